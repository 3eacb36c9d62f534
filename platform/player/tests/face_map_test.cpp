// Face names of the pages mapped to the installed fonts.
#include <gtest/gtest.h>

#include "platform/player/face_map.h"

namespace kumi::platform::player {
namespace {

struct FaceCase {
  const char* face;
  const char* family;
  bool vertical;
};

class FaceMap : public ::testing::TestWithParam<FaceCase> {};

TEST_P(FaceMap, ChoosesTheNearestInstalledFace) {
  const FaceCase k = GetParam();
  // "Noto Sans CJK JP" stands for a face that is installed here.
  const auto installed = [](std::string_view f) { return f == "Noto Sans CJK JP"; };
  EXPECT_EQ(mapFace(k.face, installed), (FaceChoice{k.family, k.vertical}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FaceMap,
    ::testing::Values(FaceCase{"ＭＳ 明朝", "IPAMincho", false},
                      FaceCase{"@ＭＳ 明朝", "IPAMincho", true},
                      FaceCase{"ＭＳ ゴシック", "IPAGothic", false},
                      FaceCase{"@ＭＳ ゴシック", "IPAGothic", true},
                      FaceCase{"ＨＧ正楷書体", "IPAMincho", false},
                      FaceCase{"@ＨＧ丸ゴシックM", "IPAGothic", true},
                      FaceCase{"ＦＡ クリアレター", "IPAGothic", false},
                      FaceCase{"ＦＡ 文結明朝", "IPAMincho", false},
                      FaceCase{"Noto Sans CJK JP", "Noto Sans CJK JP", false},
                      FaceCase{"@Noto Sans CJK JP", "Noto Sans CJK JP", true},
                      FaceCase{"ＤＦ極太ゴシック体", "IPAGothic", false},
                      FaceCase{"Some Sans", "IPAGothic", false},
                      FaceCase{"Century", "IPAMincho", false},
                      FaceCase{"", "IPAMincho", false},
                      FaceCase{"@", "IPAMincho", true}));

}  // namespace
}  // namespace kumi::platform::player
