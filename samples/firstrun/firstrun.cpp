// firstrun: the smallest real client. Run it in a directory holding
// WINPRM.cfg; it opens a run, defines two style tables, sets a heading and
// two captions on page 1, measures a text without writing it, and closes the
// run. Every field is passed at its fixed width, as a client must.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "kumi/sssub5.h"

namespace {

// One call's fields with a client's usual values; each call changes what it needs.
struct Call {
  std::string command = "L ", selector = "P ", sizeDown = " ", kind = "B2", page = "1   ";
  std::string charSize = "12 ", font = "M ", digits = "2", keep = "1", placeSize = "12 ";
  std::string widthScale = "0", heightScale = "0", blockAlign = "1", rubyOpen = "  ";
  std::string rubyClose = "  ", breakChar = "\x81\x97", lineAlign = "S", spaceTrim = "N";
  std::string ruleType = " ", ruleStyle = "    ";
  int32_t x = 0, y = 0, extent = 0, pitch = 0, length = 0, colour = 1;
  int32_t c1 = 0, c2 = 0, c3 = 0, c4 = 0;

  int32_t send(const std::string& text, int16_t words[4]) {
    std::vector<char> buffer(text.begin(), text.end());
    buffer.resize(text.size() + 16, '\0');
    const int32_t r = sssub5(command.data(), selector.data(), sizeDown.data(), kind.data(),
                             page.data(), charSize.data(), font.data(), digits.data(), keep.data(),
                             placeSize.data(), widthScale.data(), heightScale.data(), x, y, extent,
                             blockAlign.data(), rubyOpen.data(), pitch, length, colour,
                             rubyClose.data(), breakChar.data(), lineAlign.data(), spaceTrim.data(),
                             ruleType.data(), ruleStyle.data(), c1, c2, c3, c4, buffer.data());
    for (int i = 0; i < 4; ++i) {
      words[i] = static_cast<int16_t>(static_cast<uint8_t>(buffer[2 * i]) |
                                      (static_cast<uint8_t>(buffer[2 * i + 1]) << 8));
    }
    return r;
  }
};

}  // namespace

int main() {
  int16_t words[4];
  Call open;
  open.command = "O ";
  open.send("", words);

  // Kinsoku: 、。 must not begin a line; opening brackets set at 50 %.
  Call table;
  table.kind = "P ";
  table.send("GT  \x81\x41  \x81\x42  FF", words);
  table.send("PD  \x81\x75  50  FF", words);

  // A heading at Q24 and two captions at Q12 (units are 1/16 mm; a Q is 4 units).
  Call heading;
  heading.charSize = heading.placeSize = "24 ";
  heading.x = 320;
  heading.y = 320;
  heading.pitch = 120;
  heading.length = 2400;
  heading.send("\x91\x67\x94\xc5\x82\xcc\x82\xa8\x8e\x8e\x82\xb5", words);  // 組版のお試し

  Call caption;
  caption.x = 320;
  caption.y = 480;
  caption.pitch = 72;
  caption.length = 1600;
  caption.selector = "D ";
  const int32_t lines = caption.send(
      "\x81\x75\x82\xad\x82\xde\x81\x76\x82\xcd\x93\xfa\x96\x7b\x8c\xea\x82\xcc"
      "\x91\x67\x94\xc5\x82\xf0\x8e\xe8\x8c\x79\x82\xc9\x81\x42",  // 「くむ」は日本語の組版を手軽に。
      words);
  std::printf("caption: %d line(s), natural length %d, cursor y %d x %d\n", lines, words[0],
              words[2], words[3]);

  caption.y = 640;
  caption.selector = "Y ";
  caption.send("ABC 123", words);

  Call measure;
  measure.command = "N ";
  measure.selector = "P ";
  const int32_t natural = measure.send("\x91\x67\x94\xc5", words);  // 組版, measured only
  std::printf("measured without output: natural length %d\n", natural);

  Call close;
  close.command = "C ";
  close.send("", words);
  std::printf("run closed\n");
  return 0;
}
