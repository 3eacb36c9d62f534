// The engine's entry with arbitrary fields, texts and table definitions.
//
// The input is cut into the character fields (each at its fixed width, any
// bytes), four integers and the text; the command is never O or C, so no file
// is touched. A fresh engine is not needed: state carrying over from call to
// call is part of what is fuzzed.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "engine/core/engine.h"

namespace {

struct Cursor {
  const uint8_t* data;
  size_t size;
  size_t pos = 0;
  uint8_t byte() { return pos < size ? data[pos++] : 0; }
  int32_t int32() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(byte()) << (8 * i);
    return static_cast<int32_t>(v);
  }
  // The next N bytes, zeros past the end (copied in one go: GCC's -O3
  // overflow warning misreads the byte-by-byte loop).
  template <size_t N>
  void fill(std::array<char, N>& field) {
    const size_t n = std::min(N, size - std::min(size, pos));
    field.fill('\0');
    if (n > 0) std::memcpy(field.data(), data + pos, n);
    pos += n;
  }
};

kumi::engine::Engine& engine() {
  static kumi::engine::Engine* e = new kumi::engine::Engine();
  return *e;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  setenv("KUMI_MSGBOX_LOG", "/dev/null", 1);
  Cursor in{data, size};
  std::array<char, 2> command, selector, kind, rubyOpen, rubyClose, breakChar;
  std::array<char, 1> sizeDown, digit, keep, wscale, hscale, blockAlign, lineAlign, trim, ruleType;
  std::array<char, 4> page, ruleStyle;
  std::array<char, 3> charSize, placeSize, font3;
  for (auto* f : {&command, &selector, &kind, &rubyOpen, &rubyClose, &breakChar}) in.fill(*f);
  for (auto* f : {&sizeDown, &digit, &keep, &wscale, &hscale, &blockAlign, &lineAlign, &trim, &ruleType})
    in.fill(*f);
  in.fill(page);
  in.fill(ruleStyle);
  in.fill(charSize);
  in.fill(placeSize);
  in.fill(font3);
  if (command[0] == 'O' || command[0] == 'C') command[0] = 'L';
  const int32_t ints[4] = {in.int32(), in.int32(), in.int32(), in.int32()};

  // The text: the rest of the input. Callers pass a NUL-terminated buffer, but
  // a text of 2000 bytes or more may lack the NUL: odd inputs pad with 'X'.
  const size_t rest = size - std::min(size, in.pos);
  std::vector<char> text(std::max<size_t>(rest + 1, 2048), (size & 1) ? 'X' : '\0');
  if (rest > 0) std::memcpy(text.data(), data + in.pos, rest);
  if (rest + 1 < 2048 && !(size & 1)) text[rest] = '\0';

  kumi::engine::CallArgs args{
      command.data(), selector.data(), sizeDown.data(), kind.data(), page.data(),
      charSize.data(), font3.data(), digit.data(), keep.data(), placeSize.data(),
      wscale.data(), hscale.data(), ints[0], ints[1], ints[2], blockAlign.data(),
      rubyOpen.data(), ints[3], ints[0] ^ ints[1], ints[2] & 0xFFFF, rubyClose.data(),
      breakChar.data(), lineAlign.data(), trim.data(), ruleType.data(), ruleStyle.data(),
      ints[0], ints[1], ints[2], ints[3], text.data()};
  engine().call(args);
  return 0;
}
