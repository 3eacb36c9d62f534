#pragma once
// Q sizes to the one-byte SizeCode of the records, and back to engine units.
#include <cstdint>
#include <string_view>

namespace kumi::engine {

// The size string is matched from its first character ("100" on three
// characters, the others on two); an unmatched string starting with 5 to 9 is
// that single-digit size; any other string gives its first byte as the code.
uint8_t sizeCodeFromText(std::string_view size);

// The SizeCode of a Q size from the table, or 0 when the table has no row.
uint8_t sizeCodeOfQ(int q);

// Engine units (4 per Q) of a SizeCode; 32 for a code the table lacks.
int32_t unitsOfSizeCode(uint8_t code);
// The Q size of a code, or 0 for a code the table lacks.
int qOfSizeCode(uint8_t code);

}  // namespace kumi::engine
