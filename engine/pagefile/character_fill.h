#pragma once
// Turning a placed cell into its character record(s).
#include <array>
#include <vector>

#include "engine/compose/char_cell.h"
#include "engine/pagefile/page_record.h"

namespace kumi::engine {

struct CharacterPlacement {
  std::array<char, 4> page{};
  int32_t y = 0;
  int32_t x = 0;
  bool singleByteKind = false;  // the call's kind begins with 'A'
  int32_t sizeUnits = 0;        // the character size, for the second byte's move
  char direction = 'Y';         // Y upright, T turned, V/W second family
};

// One record, or two when the character is written as two single bytes (ｶﾞ):
// the second with the next byte, half the character size to the right.
std::vector<pagefile::RecordBytes> fillCharacterRecords(const CharCell& cell,
                                                        const CharacterPlacement& at);

}  // namespace kumi::engine
