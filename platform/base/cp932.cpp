#include "platform/base/cp932.h"

#include <cerrno>
#include <iconv.h>

namespace kumi::platform {
namespace {

// One iconv descriptor for one conversion, closed when done.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  // Back to the initial shift state, as after opening.
  void reset() {
    if (ok()) iconv(cd_, nullptr, nullptr, nullptr, nullptr);
  }

  // Converts as much as possible; stops at the first bad sequence and
  // returns how many input bytes were consumed.
  size_t run(std::string_view in, std::string& out) {
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char buf[512];
    while (srcLeft > 0) {
      char* dst = buf;
      size_t dstLeft = sizeof buf;
      const size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      out.append(buf, static_cast<size_t>(dst - buf));
      if (r == static_cast<size_t>(-1) && errno != E2BIG) break;
    }
    return in.size() - srcLeft;
  }

 private:
  iconv_t cd_;
};

// Opening a descriptor loads the converter module: keep one per direction
// and thread, reset before each use.
Converter& converterFor(const char* to, const char* from) {
  struct Cached {
    Converter toUtf8{"UTF-8", "CP932"};
    Converter toCp932{"CP932", "UTF-8"};
    Converter toUtf16{"UTF-16LE", "CP932"};
  };
  thread_local Cached cached;
  Converter& c = std::string_view(to) == "UTF-8"    ? cached.toUtf8
                 : std::string_view(to) == "CP932" ? cached.toCp932
                                                   : cached.toUtf16;
  (void)from;
  c.reset();
  return c;
}

std::optional<std::string> exact(const char* to, const char* from, std::string_view in) {
  Converter& c = converterFor(to, from);
  if (!c.ok()) return std::nullopt;
  std::string out;
  if (c.run(in, out) != in.size()) return std::nullopt;
  return out;
}

// The bytes of the UTF-8 character that starts `in`, for skipping it whole.
// A stray byte, a lead byte no character starts with, or a sequence cut
// short is one character up to where it breaks off: the bytes after it are
// text of their own, not part of it.
size_t utf8Length(std::string_view in) {
  const auto lead = static_cast<unsigned char>(in[0]);
  size_t length = 1;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) length = 3;
  else if (lead >= 0xF0 && lead <= 0xF4) length = 4;
  size_t n = 1;
  while (n < length && n < in.size() && (static_cast<unsigned char>(in[n]) & 0xC0) == 0x80) ++n;
  return n;
}

std::string lossy(const char* to, const char* from, std::string_view in, bool fromUtf8,
                  std::string_view replacement) {
  Converter& c = converterFor(to, from);
  std::string out;
  if (!c.ok()) return out;
  while (!in.empty()) {
    const size_t used = c.run(in, out);
    in.remove_prefix(used);
    if (in.empty()) break;
    out += replacement;
    in.remove_prefix(fromUtf8 ? utf8Length(in) : 1);
  }
  return out;
}

}  // namespace

std::optional<std::string> cp932ToUtf8(std::string_view cp932) {
  return exact("UTF-8", "CP932", cp932);
}

std::optional<std::string> utf8ToCp932(std::string_view utf8) {
  return exact("CP932", "UTF-8", utf8);
}

std::string cp932ToUtf8Lossy(std::string_view cp932) {
  return lossy("UTF-8", "CP932", cp932, false, "\xEF\xBF\xBD");
}

std::string utf8ToCp932Lossy(std::string_view utf8) {
  return lossy("CP932", "UTF-8", utf8, true, "?");
}

std::u16string cp932ToUtf16Lossy(std::string_view cp932) {
  const std::string bytes = lossy("UTF-16LE", "CP932", cp932, false, std::string("\xFD\xFF", 2));
  std::u16string out;
  out.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    out += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                 (static_cast<unsigned char>(bytes[i + 1]) << 8));
  }
  return out;
}

}  // namespace kumi::platform
