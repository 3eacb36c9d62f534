#include "engine/compose/cells/font_classes.h"

#include <cstdint>

namespace kumi::engine {
namespace {

struct NamedClass {
  char name[3];
  size_t column;
  char letter;
};

// Columns 14 to 25 belong to named classes; the second family names its own.
constexpr NamedClass kFirstFamily[] = {
    {"M0", 14, 'A'}, {"G0", 15, 'B'}, {"KM", 16, 'C'}, {"HE", 17, 'D'}, {"HM", 18, 'E'},
    {"PG", 19, 'F'}, {"PM", 20, 'G'}, {"BG", 21, 'H'}, {"BM", 22, 'I'}, {"FK", 23, 'J'},
    {"F1", 24, '1'}, {"MR", 25, 'A'},
};
constexpr NamedClass kSecondFamily[] = {
    {"M0", 14, 'A'}, {"G0", 15, 'B'}, {"DR", 16, 'K'}, {"DB", 17, 'L'}, {"DI", 18, 'M'},
    {"DL", 19, 'N'}, {"S0", 20, 'O'}, {"SB", 21, 'P'}, {"SO", 22, 'Q'}, {"SL", 23, 'R'},
    {"LB", 24, 'U'}, {"MR", 25, 'V'},
};
constexpr size_t kNoColumn = SIZE_MAX;  // YL and YR have a letter but no column
constexpr NamedClass kSecondFamilyLettersOnly[] = {{"YL", kNoColumn, 'S'}, {"YR", kNoColumn, 'T'}};

// The two-byte classes: a letter followed by a (half-width katakana) byte.
struct TwoByteClass {
  char first;
  uint8_t second;
  size_t column;
  size_t verticalColumn;  // when the direction flag is 'W'
};
constexpr TwoByteClass kTwoByte[] = {
    {'I', 0xCC, 1, 1}, {'I', 0xCD, 2, 2},   {'I', 0xCE, 3, 3},   {'C', 0xB8, 4, 4},
    {'C', 0xB9, 5, 5}, {'E', 0xBE, 6, 6},   {'E', 0xBF, 7, 6},   {'I', 0xCF, 8, 8},
    {'I', 0xD0, 9, 9}, {'A', 0xB2, 10, 10}, {'F', 0xC1, 11, 12}, {'F', 0xC0, 12, 12},
};

FontClass normalised(const FontClass& c) {
  FontClass n = c;
  if (n[1] == ' ' || n[1] == '\0') n[1] = '0';
  return n;
}

template <size_t N>
const NamedClass* findNamed(const NamedClass (&list)[N], const FontClass& c) {
  for (const NamedClass& named : list) {
    if (named.name[0] == c[0] && named.name[1] == c[1]) return &named;
  }
  return nullptr;
}

}  // namespace

size_t fontColumn(const FontClass& fontClass, bool secondFamily, char direction) {
  const FontClass c = normalised(fontClass);
  const NamedClass* named = secondFamily ? findNamed(kSecondFamily, c) : findNamed(kFirstFamily, c);
  if (named != nullptr) return named->column;
  for (const TwoByteClass& t : kTwoByte) {
    if (t.first == c[0] && t.second == static_cast<uint8_t>(c[1])) {
      return direction == 'W' ? t.verticalColumn : t.column;
    }
  }
  return 0;
}

char fontLetterOf(const FontClass& fontClass, bool secondFamily) {
  const FontClass c = normalised(fontClass);
  if (secondFamily) {
    if (const NamedClass* named = findNamed(kSecondFamily, c)) return named->letter;
    if (const NamedClass* named = findNamed(kSecondFamilyLettersOnly, c)) return named->letter;
    return 'A';
  }
  if (const NamedClass* named = findNamed(kFirstFamily, c)) return named->letter;
  if (c[0] == 'F' && c[1] >= '1' && c[1] <= '9') return c[1];
  return 'A';
}

}  // namespace kumi::engine
