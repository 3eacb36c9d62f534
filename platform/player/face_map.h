#pragma once
// Face names of the metafiles mapped to the fonts installed here.
//
// Pages name the faces of the system they were designed on. Each built-in
// face goes to the nearest of the two Japanese faces every installation has
// (Debian's fonts-ipafont): the mincho faces to IPAMincho, the gothic ones to
// IPAGothic. Any other name is taken as it stands when a font of that family
// is installed, else by the same rule from the words in it. A leading "@"
// asks for the vertical form of the face.
#include <functional>
#include <string>
#include <string_view>

namespace kumi::platform::player {

inline constexpr std::string_view kMinchoFamily = "IPAMincho";
inline constexpr std::string_view kGothicFamily = "IPAGothic";

struct FaceChoice {
  std::string family;     // an installed family (or the fallback when none matches)
  bool vertical = false;  // the name started with "@"
  friend bool operator==(const FaceChoice&, const FaceChoice&) = default;
};

// `installed` answers whether a family of that exact name is installed.
FaceChoice mapFace(std::string_view utf8Face,
                   const std::function<bool(std::string_view)>& installed);

}  // namespace kumi::platform::player
