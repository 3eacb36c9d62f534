#pragma once
// UTF-8 and UTF-16 for metafile strings (face names, descriptions, text).
// Both directions are total: an ill-formed sequence or a lone surrogate
// becomes U+FFFD, so bytes from an untrusted file always give some text.
#include <string>
#include <string_view>

namespace kumi::platform {

std::u16string utf8ToUtf16(std::string_view utf8);
std::string utf16ToUtf8(std::u16string_view utf16);

}  // namespace kumi::platform
