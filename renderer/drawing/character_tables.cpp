#include "renderer/drawing/character_tables.h"

#include "platform/base/cp932.h"

namespace kumi::renderer::drawing {
namespace {

using platform::ColorRef;
using platform::rgb;

struct BuiltInFace {
  const char* horizontal;  // UTF-8
  const char* vertical;
};

// Font codes 'A' to 'J'. The blanks inside the names are single-byte.
constexpr std::array<BuiltInFace, 10> kBuiltInFaces = {{
    {"ＭＳ 明朝", "@ＭＳ 明朝"},
    {"ＭＳ ゴシック", "@ＭＳ ゴシック"},
    {"ＨＧ正楷書体", "@ＨＧ正楷書体"},
    {"ＨＧゴシックE", "@ＨＧゴシックE"},
    {"ＨＧ丸ゴシックM", "@ＨＧ丸ゴシックM"},
    {"ＦＡ Ｐ ゴシック", "@ＦＡ Ｐ ゴシック"},
    {"ＦＡ Ｐ 明朝", "@ＦＡ Ｐ 明朝"},
    {"ＦＡ 文結ゴシック", "@ＦＡ 文結ゴシック"},
    {"ＦＡ 文結明朝", "@ＦＡ 文結明朝"},
    {"ＦＡ クリアレター", "@ＦＡ クリアレター"},
}};

// Colours 1 to 9.
constexpr std::array<ColorRef, 9> kFixedColours = {
    rgb(0, 0, 0),     rgb(0, 0, 255),   rgb(0, 255, 0),     rgb(0, 255, 255), rgb(255, 0, 0),
    rgb(255, 0, 255), rgb(255, 255, 0), rgb(255, 255, 255), rgb(128, 128, 128),
};

std::string toCp932(const char* utf8) { return platform::utf8ToCp932Lossy(utf8); }

// The built-in names in CP932, converted once: conversions open the code
// page's converter, far too slow to do for every character.
const std::string& builtInFace(size_t index, bool vertical) {
  static const auto table = [] {
    std::array<std::array<std::string, 2>, kBuiltInFaces.size()> t;
    for (size_t i = 0; i < kBuiltInFaces.size(); ++i) {
      t[i] = {toCp932(kBuiltInFaces[i].horizontal), toCp932(kBuiltInFaces[i].vertical)};
    }
    return t;
  }();
  return table[index][vertical ? 1 : 0];
}

}  // namespace

CharacterSize sizeOfCode(uint8_t code) {
  // Up to 24 Q the code is 169 + 2 Q (odd bytes 0xB3 to 0xD9); the sizes
  // of that range the table lists are 5-16, 18, 20, 22 and 24 Q.
  if (code >= 0xB3 && code <= 0xD9 && code % 2 == 1) {
    const int q = (code - 169) / 2;
    if (q <= 16 || q == 18 || q == 20 || q == 22 || q == 24) {
      return {q, q * 25.0, q * 4};
    }
    return {};
  }
  static constexpr int kLetterQ[] = {28, 32, 38, 44, 50, 56, 62, 70, 80, 90, 100};
  if (code >= 'A' && code <= 'K') {
    const int q = kLetterQ[code - 'A'];
    return {q, q * 25.0, q * 4};
  }
  return {};
}

double scaleOfCode(char code) {
  switch (code) {
    case '1': return 0.95;
    case '2': return 0.85;
    case '3': return 0.75;
    case '4': return 0.65;
    case '5': return 0.55;
    default: return 1.0;
  }
}

ColorRef colourOfNumber(const char (&digits)[2], const CharacterSettings& settings) {
  int n = 0;
  bool any = false;
  for (char c : digits) {
    if (c < '0' || c > '9') break;
    n = n * 10 + (c - '0');
    any = true;
  }
  if (!any) return rgb(0, 0, 0);
  if (n >= 1 && n <= 9) return kFixedColours[static_cast<size_t>(n - 1)];
  if (n >= 10 && n <= 16) return settings.userColors[static_cast<size_t>(n - 10)];
  return rgb(0, 0, 0);
}

CharacterStyle styleOfCode(char code) {
  CharacterStyle s;
  switch (code) {
    case '0': case '2': case '3': case '4': case 'I':
      s.italic = true;
      break;
    case '5':
      s.italic = true;
      s.effect = TextEffect::Hollow;
      break;
    case '6':
      s.italic = true;
      s.effect = TextEffect::Shadow;
      break;
    case '7': case 'P': case 'Q': case 'R': case 'T': case 'U':
      s.italic = true;
      s.weight = 800;
      break;
    case 'W':
      s.italic = true;
      s.weight = 800;
      s.effect = TextEffect::Shadow;
      break;
    case 'C': case 'E': case 'F': case 'G': case 'K':
      s.weight = 800;
      break;
    case 'J':
      s.weight = 800;
      s.effect = TextEffect::Shadow;
      break;
    case 'O': s.effect = TextEffect::Hollow; break;
    case 'N':
      s.effect = TextEffect::Filled;
      s.doubleByteForm = true;
      break;
    case 'S': s.effect = TextEffect::Shadow; break;
    case 'Y': s.effect = TextEffect::Bordered; break;
    case 'Z': s.effect = TextEffect::ImageFilled; break;
    case 'X': s.doubleByteForm = true; break;
    default: break;
  }
  return s;
}

std::string_view defaultFace() {
  static const std::string face = toCp932("ＭＳ 明朝");
  return face;
}

std::string faceOfCode(char fontCode, char direction, const CharacterSettings& settings) {
  std::string face;
  if (fontCode >= '1' && fontCode <= '9') {
    face = settings.fontFaces[static_cast<size_t>(fontCode - '1')];
  } else if (fontCode >= 'A' && fontCode <= 'J') {
    face = builtInFace(static_cast<size_t>(fontCode - 'A'), direction != 'Y');
  }
  if (face.empty() || face[0] == ' ') face = defaultFace();
  return face;
}

}  // namespace kumi::renderer::drawing
