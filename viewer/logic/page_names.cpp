#include "viewer/logic/page_names.h"

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace kumi::viewer {
namespace {

bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Byte offset of the character `index` (or the text's size past its end).
size_t offsetOfChar(std::string_view text, size_t index) {
  size_t seen = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (isContinuation(text[i])) continue;
    if (seen == index) return i;
    ++seen;
  }
  return text.size();
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

size_t charCount(std::string_view text) {
  size_t n = 0;
  for (char c : text) n += isContinuation(c) ? 0 : 1;
  return n;
}

std::string firstChars(std::string_view text, size_t count) {
  return std::string(text.substr(0, offsetOfChar(text, count)));
}

std::string lastChars(std::string_view text, size_t count) {
  const size_t total = charCount(text);
  if (total <= count) return std::string(text);
  return std::string(text.substr(offsetOfChar(text, total - count)));
}

std::string fourCharField(std::string_view text) {
  std::string field = firstChars(text, 4);
  for (size_t n = charCount(field); n < 4; ++n) field += ' ';
  return field;
}

double roundHalfEven(double v) {
  // nearbyint follows the current rounding mode, which is to-nearest-even
  // unless someone changed it; say so rather than rely on it silently.
  const int mode = std::fegetround();
  if (mode != FE_TONEAREST) std::fesetround(FE_TONEAREST);
  const double r = std::nearbyint(v);
  if (mode != FE_TONEAREST) std::fesetround(mode);
  return r;
}

double leadingNumber(std::string_view text) {
  // Blanks are skipped wherever they stand inside the number, as the
  // classic reading does ("1 2" is 12).
  std::string digits;
  bool sawSign = false, sawPoint = false, sawDigit = false;
  for (char c : text) {
    if (isBlank(c)) continue;
    if ((c == '+' || c == '-') && !sawSign && !sawPoint && !sawDigit) {
      sawSign = true;
      digits += c;
    } else if (c == '.' && !sawPoint) {
      sawPoint = true;
      digits += c;
    } else if (isDigit(c)) {
      sawDigit = true;
      digits += c;
    } else {
      break;
    }
  }
  if (!sawDigit) return 0;
  const double v = std::strtod(digits.c_str(), nullptr);
  return v == 0 ? 0.0 : v;  // no negative zero
}

StrictReading strictNumber(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && isBlank(text[b])) ++b;
  while (e > b && isBlank(text[e - 1])) --e;
  const std::string_view body = text.substr(b, e - b);
  // sign? digits [. digits] ([eE] sign? digits)?  with at least one digit
  size_t i = 0;
  if (i < body.size() && (body[i] == '+' || body[i] == '-')) ++i;
  size_t mantissaDigits = 0;
  while (i < body.size() && isDigit(body[i])) ++i, ++mantissaDigits;
  if (i < body.size() && body[i] == '.') {
    ++i;
    while (i < body.size() && isDigit(body[i])) ++i, ++mantissaDigits;
  }
  if (mantissaDigits == 0) return {std::nullopt, kTypeMismatch};
  if (i < body.size() && (body[i] == 'e' || body[i] == 'E')) {
    ++i;
    if (i < body.size() && (body[i] == '+' || body[i] == '-')) ++i;
    size_t exponentDigits = 0;
    while (i < body.size() && isDigit(body[i])) ++i, ++exponentDigits;
    if (exponentDigits == 0) return {std::nullopt, kTypeMismatch};
  }
  if (i != body.size()) return {std::nullopt, kTypeMismatch};

  const double v = roundHalfEven(std::strtod(std::string(body).c_str(), nullptr));
  if (!(v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max())) {
    return {std::nullopt, kOverflow};
  }
  return {static_cast<int32_t>(v), {}};
}

std::string decimalText(double v) {
  if (v == 0 || std::isnan(v)) return "0";
  if (std::isinf(v)) return v > 0 ? "1E+309" : "-1E+309";
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.15G", v);
  return buf;
}

std::string formatPageName(double n) {
  // The sign position becomes "0": a blank for n >= 0, "-" otherwise.
  std::string s = "0" + decimalText(std::fabs(n));
  switch (s.size()) {  // all ASCII: bytes and characters agree
    case 2: return "00" + s;
    case 3: return "0" + s;
    case 4: return s;
    default: return s.substr(s.size() - 4);
  }
}

std::string padPageName(std::string_view text) {
  switch (charCount(text)) {
    case 1: return "000" + std::string(text);
    case 2: return "00" + std::string(text);
    case 3: return "0" + std::string(text);
    default: return lastChars(text, 4);
  }
}

std::string pageFilePath(std::string_view dataDir, std::string_view pageName) {
  return std::string(dataDir) + std::string(pageName) + ".emf";
}

}  // namespace kumi::viewer
