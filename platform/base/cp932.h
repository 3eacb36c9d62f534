#pragma once
// Code page 932 (Shift_JIS with the Windows extensions) to and from UTF-8,
// through the C library's iconv. Every byte that crosses a file or a call in
// kumi is CP932; drawing and the user interface need Unicode.
#include <optional>
#include <string>
#include <string_view>

namespace kumi::platform {

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
