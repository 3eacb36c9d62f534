#pragma once
// The engine's copy of one call's 31 arguments, after normalisation.
//
// CallArgs is what crosses the C boundary (pointers to fixed-width fields,
// values); intake copies each field with the width the engine reads, so a
// field never needs a terminator. A null pointer reads as a field of NULs.
#include <array>
#include <cstdint>
#include <string_view>

#include "engine/text/codes.h"

namespace kumi::engine {

constexpr size_t kMaxTextBytes = 2000;

struct CallArgs {
  char* command = nullptr;
  char* resultSelector = nullptr;
  char* sizeDownFlag = nullptr;
  char* recordKind = nullptr;
  char* pageNumber = nullptr;
  char* charSize = nullptr;
  char* fontCode = nullptr;
  char* digitMode = nullptr;
  char* keepTogether = nullptr;
  char* placeSize = nullptr;
  char* widthScale = nullptr;
  char* heightScale = nullptr;
  int32_t originX = 0;
  int32_t originY = 0;
  int32_t blockExtent = 0;
  char* blockAlign = nullptr;
  char* rubyOpen = nullptr;
  int32_t linePitch = 0;
  int32_t lineLength = 0;
  int32_t lineCounter = 0;
  char* rubyClose = nullptr;
  char* breakChar = nullptr;
  char* lineAlign = nullptr;
  char* spaceTrim = nullptr;
  char* ruleType = nullptr;
  char* ruleStyle = nullptr;
  int32_t coord1 = 0;
  int32_t coord2 = 0;
  int32_t coord3 = 0;
  int32_t coord4 = 0;
  char* text = nullptr;
};

struct CallRecord {
  // Refreshed on every call, O and C included.
  char command = '\0';         // O, C, L, N, other
  char family = '\0';          // 'Z' second family
  char resultSelector = '\0';  // P, D, X, Y (T turns glyphs)
  char textCodeFlag = '\0';    // 'J' / 'Z': the text is already JIS
  char sizeDownFlag = '\0';    // 'S' size reduction

  std::array<char, 2> recordKind{};
  std::array<char, 4> pageName{};  // normalised to four digits where it was a number
  uint8_t charSizeCode = 0;
  std::array<char, 2> fontCode{};  // blank second character stored as '0'
  char digitMode = '\0';
  char keepTogether = '\0';
  uint8_t placeSizeCode = 0;
  char widthScale = '0';
  char heightScale = '0';
  int32_t originX = 0;
  int32_t originY = 0;
  int32_t blockExtent = 0;
  char blockAlign = '\0';
  std::array<char, 2> rubyOpen{};
  int32_t linePitch = 0;
  int32_t lineLength = 0;
  int32_t lineCounter = 0;
  std::array<char, 2> rubyClose{};
  Unit breakChar = 0;  // JIS
  char lineAlign = '\0';
  char spaceTrim = '\0';
  char ruleType = '\0';
  std::array<char, 4> ruleStyle{};
  int32_t coord1 = 0;
  int32_t coord2 = 0;
  int32_t coord3 = 0;
  int32_t coord4 = 0;

  // The raw text, cut at its NUL or at 2000 bytes.
  std::array<char, kMaxTextBytes + 1> text{};
  size_t textLength = 0;

  // "1000000" with byte 2 = placeSize's code, 5 = widthScale, 6 = heightScale.
  std::array<char, 7> attributes{};
  // lineCounter as decimal text, NUL-padded; its first two bytes colour the records.
  std::array<char, 4> counterText{};

  char kindLetter() const { return recordKind[0]; }
  bool secondFamily() const { return family == 'Z'; }
  bool measureOnly() const { return command == 'N'; }
  bool isVertical() const { return recordKind[0] == 'J'; }
  std::string_view textView() const { return {text.data(), textLength}; }
};

// Intake of the five flag characters, done for every call.
void intakeFlags(const CallArgs& args, CallRecord& rec);
// Intake of everything else (steps 2 to 6); writes blank scale codes back.
void intakeArguments(const CallArgs& args, CallRecord& rec);

// Page normalisation: a left-justified, blank-padded number becomes four digits.
std::array<char, 4> normalisePageName(const std::array<char, 4>& raw);
// Decimal text of a colour/tier counter, four bytes NUL-padded.
std::array<char, 4> counterTextOf(int32_t value);

}  // namespace kumi::engine
