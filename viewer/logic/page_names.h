#pragma once
// Page names and the two ways the viewer reads a number from a page text.
//
// A page is named by four characters, normally four digits ("0001"), and its
// metafile is DataDir + name + ".emf". Names come from winpage.cfg, from the
// range the user types and from page numbers; every text here is UTF-8 and
// lengths count characters (code points), never bytes, except where a rule
// says otherwise. Nothing here fails on any input: StrictNumber reports a
// text that is no number instead of guessing.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kumi::viewer {

// The first `count` characters of a UTF-8 text (all of it when shorter).
std::string firstChars(std::string_view text, size_t count);
// The last `count` characters.
std::string lastChars(std::string_view text, size_t count);
size_t charCount(std::string_view text);

// A four-character field: a longer text keeps its first four characters, a
// shorter one is padded with blanks on the right.
std::string fourCharField(std::string_view text);

// Rounding to the nearest integer, halves to the even one.
double roundHalfEven(double v);

// The number at the start of a text: blanks are skipped, then a sign, digits
// and one decimal point are taken; the first other character ends it. A text
// without digits gives 0.
double leadingNumber(std::string_view text);

// Why a strict reading failed, in the words the system reports it with.
inline constexpr std::string_view kTypeMismatch = "型が一致しません。";
inline constexpr std::string_view kOverflow = "オーバーフローしました。";

// The whole text (blanks around it allowed) read as a number and rounded to a
// 32-bit integer, halves to even. `failure` names why a text is no number
// (kTypeMismatch) or too large (kOverflow).
struct StrictReading {
  std::optional<int32_t> value;
  std::string_view failure;
};
StrictReading strictNumber(std::string_view text);

// A number in plain decimal: no leading blank, no leading zeros, a
// fractional value keeps its decimals (up to 15 significant digits).
std::string decimalText(double v);

// Four characters from a number: written with a sign position ("0" for the
// blank or the minus), padded with zeros to four, or cut to its last four.
// 1 -> 0001, 12345 -> 2345, -7 -> 0007, 2.5 -> 02.5.
std::string formatPageName(double n);

// The typed text itself padded with zeros to four characters, or cut to its
// last four: 7 -> 0007, 4.0 -> 04.0.
std::string padPageName(std::string_view text);

// DataDir + name + ".emf"; DataDir carries its own trailing separator.
std::string pageFilePath(std::string_view dataDir, std::string_view pageName);

}  // namespace kumi::viewer
