#include "engine/core/size_code.h"

#include <array>

namespace kumi::engine {
namespace {

struct SizeRow {
  int q;
  uint8_t code;
};

// Letters for the large sizes; 179 + 2 * (Q - 5) for Q 5 to 24.
constexpr std::array<SizeRow, 29> kSizes = {{
    {100, 'K'}, {90, 'J'}, {80, 'I'}, {70, 'H'}, {62, 'G'}, {56, 'F'}, {50, 'E'},
    {44, 'D'},  {38, 'C'}, {32, 'B'}, {28, 'A'}, {24, 0xD9}, {22, 0xD5}, {20, 0xD1},
    {18, 0xCD}, {16, 0xC9}, {15, 0xC7}, {14, 0xC5}, {13, 0xC3}, {12, 0xC1}, {11, 0xBF},
    {10, 0xBD}, {9, 0xBB},  {8, 0xB9},  {7, 0xB7},  {6, 0xB5},  {5, 0xB3}, {0, 0}, {0, 0},
}};

bool matches(std::string_view size, int q) {
  const std::string_view digits = q == 100 ? "100" : std::string_view();
  if (q == 100) return size.size() >= 3 && size.substr(0, 3) == digits;
  if (size.size() < 2) return false;
  if (q < 10) return size[0] == '0' + q && (size[1] == ' ' || size[1] == '\0');
  return size[0] == '0' + q / 10 && size[1] == '0' + q % 10;
}

}  // namespace

uint8_t sizeCodeFromText(std::string_view size) {
  for (const SizeRow& row : kSizes) {
    if (row.q != 0 && matches(size, row.q)) return row.code;
  }
  if (!size.empty() && size[0] >= '5' && size[0] <= '9') return sizeCodeOfQ(size[0] - '0');
  return size.empty() ? 0 : static_cast<uint8_t>(size[0]);
}

uint8_t sizeCodeOfQ(int q) {
  for (const SizeRow& row : kSizes) {
    if (row.q != 0 && row.q == q) return row.code;
  }
  return 0;
}

int qOfSizeCode(uint8_t code) {
  for (const SizeRow& row : kSizes) {
    if (row.q != 0 && row.code == code) return row.q;
  }
  return 0;
}

int32_t unitsOfSizeCode(uint8_t code) {
  const int q = qOfSizeCode(code);
  return q == 0 ? 32 : 4 * q;
}

}  // namespace kumi::engine
