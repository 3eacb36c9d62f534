#pragma once
// Code page 932 (Shift_JIS with the Windows extensions) to and from UTF-8,
// through the C library's iconv. Every byte that crosses a file or a call in
// kumi is CP932; drawing and the user interface need Unicode.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kumi::platform {

// The first byte of a two-byte CP932 character. Its second byte may be 0x5C
// ("\") or "/"-like ASCII, so paths and texts are walked by characters.
constexpr bool isCp932LeadByte(uint8_t b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Exact conversions: nullopt when the input holds a sequence the other side
// cannot represent.
std::optional<std::string> cp932ToUtf8(std::string_view cp932);
std::optional<std::string> utf8ToCp932(std::string_view utf8);

// Conversions that never fail: each byte (or character) that cannot be
// converted becomes U+FFFD (or "?" going to CP932).
std::string cp932ToUtf8Lossy(std::string_view cp932);
std::string utf8ToCp932Lossy(std::string_view utf8);

// UTF-16 code units, for EMF text records.
std::u16string cp932ToUtf16Lossy(std::string_view cp932);

}  // namespace kumi::platform
