#include "platform/player/face_map.h"

#include <array>
#include <cctype>
#include <utility>

namespace kumi::platform::player {
namespace {

// The faces pages are drawn with (the built-in ones and their usual
// spellings), each with the installed face nearest to it.
constexpr std::array<std::pair<std::string_view, std::string_view>, 16> kKnownFaces{{
    {"ＭＳ 明朝", kMinchoFamily},
    {"ＭＳ Ｐ明朝", kMinchoFamily},
    {"MS Mincho", kMinchoFamily},
    {"MS PMincho", kMinchoFamily},
    {"ＭＳ ゴシック", kGothicFamily},
    {"ＭＳ Ｐゴシック", kGothicFamily},
    {"MS Gothic", kGothicFamily},
    {"MS PGothic", kGothicFamily},
    {"ＨＧ正楷書体", kMinchoFamily},
    {"ＨＧゴシックE", kGothicFamily},
    {"ＨＧ丸ゴシックM", kGothicFamily},
    {"ＦＡ Ｐ ゴシック", kGothicFamily},
    {"ＦＡ Ｐ 明朝", kMinchoFamily},
    {"ＦＡ 文結ゴシック", kGothicFamily},
    {"ＦＡ 文結明朝", kMinchoFamily},
    {"ＦＡ クリアレター", kGothicFamily},
}};

bool containsFolded(std::string_view text, std::string_view word) {
  if (word.size() > text.size()) return false;
  for (size_t i = 0; i + word.size() <= text.size(); ++i) {
    size_t k = 0;
    while (k < word.size() &&
           std::tolower(static_cast<unsigned char>(text[i + k])) ==
               std::tolower(static_cast<unsigned char>(word[k]))) {
      ++k;
    }
    if (k == word.size()) return true;
  }
  return false;
}

// Sans-serif faces by the words their names use; everything else is nearer
// to a mincho (serif) face.
bool looksGothic(std::string_view face) {
  for (std::string_view w : {"ゴシック", "ｺﾞｼｯｸ", "丸", "gothic", "sans", "arial", "helvetica",
                             "verdana", "tahoma", "meiryo", "メイリオ"}) {
    if (containsFolded(face, w)) return true;
  }
  return false;
}

}  // namespace

FaceChoice mapFace(std::string_view face, const std::function<bool(std::string_view)>& installed) {
  FaceChoice c;
  if (!face.empty() && face.front() == '@') {
    c.vertical = true;
    face.remove_prefix(1);
  }
  for (const auto& [name, family] : kKnownFaces) {
    if (face == name) {
      c.family = family;
      return c;
    }
  }
  if (!face.empty() && installed && installed(face)) {
    c.family = face;
    return c;
  }
  c.family = looksGothic(face) ? kGothicFamily : kMinchoFamily;
  return c;
}

}  // namespace kumi::platform::player
