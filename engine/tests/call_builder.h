#pragma once
// A call of sssub5 with readable defaults: a B2 caption on page 1 at Q12.
// Fields are kept at their fixed widths; tests change what they need.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/call_record.h"

namespace kumi::engine::testing {

struct CallBuilder {
  std::string command = "L ";
  std::string resultSelector = "P ";
  std::string sizeDownFlag = " ";
  std::string recordKind = "B2";
  std::string pageNumber = "1   ";
  std::string charSize = "12 ";
  std::string fontCode = "M ";
  std::string digitMode = "0";
  std::string keepTogether = "1";
  std::string placeSize = "12 ";
  std::string widthScale = "0";
  std::string heightScale = "0";
  int32_t originX = 400;
  int32_t originY = 800;
  int32_t blockExtent = 0;
  std::string blockAlign = "1";
  std::string rubyOpen = "  ";
  int32_t linePitch = 60;
  int32_t lineLength = 2000;
  int32_t lineCounter = 1;
  std::string rubyClose = "  ";
  std::string breakChar = "\x81\x97";  // ＠
  std::string lineAlign = "S";
  std::string spaceTrim = "N";
  std::string ruleType = " ";
  std::string ruleStyle = "    ";
  int32_t coord1 = 0;
  int32_t coord2 = 0;
  int32_t coord3 = 0;
  int32_t coord4 = 0;
  std::vector<char> text = bufferOf("");

  static std::vector<char> bufferOf(const std::string& s) {
    // Sized first and then filled: growing a copy makes GCC 12 at -O3 see a
    // memmove past the end (-Warray-bounds) in release builds.
    std::vector<char> b(std::max<size_t>(s.size() + 1, 2048), '\0');
    std::copy(s.begin(), s.end(), b.begin());
    return b;
  }
  CallBuilder& withText(const std::string& s) {
    text = bufferOf(s);
    return *this;
  }

  CallArgs args() {
    return CallArgs{command.data(), resultSelector.data(), sizeDownFlag.data(), recordKind.data(),
                    pageNumber.data(), charSize.data(), fontCode.data(), digitMode.data(),
                    keepTogether.data(), placeSize.data(), widthScale.data(), heightScale.data(),
                    originX, originY, blockExtent, blockAlign.data(), rubyOpen.data(), linePitch,
                    lineLength, lineCounter, rubyClose.data(), breakChar.data(), lineAlign.data(),
                    spaceTrim.data(), ruleType.data(), ruleStyle.data(), coord1, coord2, coord3,
                    coord4, text.data()};
  }

  // The four result words in the text buffer.
  int16_t resultWord(int i) const {
    const auto lo = static_cast<uint8_t>(text[2 * i]);
    const auto hi = static_cast<uint8_t>(text[2 * i + 1]);
    return static_cast<int16_t>(lo | (hi << 8));
  }
};

}  // namespace kumi::engine::testing
