#include "viewer/logic/preview_controller.h"

#include <map>

#include <gtest/gtest.h>

#include "viewer/logic/tests/test_support.h"

namespace kumi::viewer {
namespace {

using testing::MessageLog;

// Pages by native path; everything the controller asks of the window is kept.
class FakeSurface final : public PreviewSurface {
 public:
  void setCaption(const std::string& c) override { caption = c; }
  std::optional<SizeD> loadPage(const std::string& path, std::string& error) override {
    loaded.push_back(path);
    const auto it = pages.find(path);
    if (it == pages.end()) {
      error = "ファイルが見つかりません。";
      return std::nullopt;
    }
    return it->second;
  }
  std::optional<std::string> askPage(const std::string& prompt, const std::string& title) override {
    asked.push_back(title + ": " + prompt);
    return answer;
  }
  bool copyPage() override { return ++copies, true; }
  void showPosition(const std::string& text) override { position = text, ++positionUpdates; }
  void setPageMenusEnabled(bool enabled) override { menusEnabled = enabled; }
  void applyLayout(const PreviewLayout&, int r) override { repaints += r; }

  std::map<std::string, SizeD> pages;
  std::vector<std::string> loaded;
  std::vector<std::string> asked;
  std::optional<std::string> answer;
  std::string caption;
  std::string position = "untouched";
  int positionUpdates = 0;
  int copies = 0;
  int repaints = 0;
  bool menusEnabled = true;
};

constexpr SizeD kPage{800, 1100};
constexpr SizeD kClient{1017, 717};  // a 1000 x 700 viewport beside 17-pixel bars

struct Preview {
  // The range `first` to `last`, every page in it present.
  Preview(int first, int last) {
    state.dataDir = "/data/";
    state.programDir = "/prog/";
    state.rangeStart = "000" + std::to_string(first);
    state.rangeEnd = last < 10 ? "000" + std::to_string(last) : "00" + std::to_string(last);
    state.currentPage = first;
    state.rangeEndNumber = last;
    for (int p = first; p <= last; ++p) {
      surface.pages[p < 10 ? "/data/000" + std::to_string(p) + ".emf"
                           : "/data/00" + std::to_string(p) + ".emf"] = kPage;
    }
  }
  ViewerState state;
  FakeSurface surface;
  PreviewController controller{state, surface, {}};
};

std::string caption(const char* current, const char* last, const char* lastLabel = "最終ページ  ") {
  return std::string("印刷プレビュー       　現在ページ  [ ") + current + " ]  " + lastLabel + "[ " +
         last + " ]";
}

TEST(PreviewController, LoadShowsTheRangesFirstPage) {
  Preview p(1, 12);
  ASSERT_TRUE(p.controller.load(kClient));
  EXPECT_EQ(p.surface.loaded, std::vector<std::string>{"/data/0001.emf"});
  EXPECT_EQ(p.state.currentFile, "0001.emf");
  EXPECT_EQ(p.surface.caption, caption("1", "12"));
  EXPECT_EQ(p.controller.layout().vBar().max, 400);
}

TEST(PreviewController, AMissingFirstPageEndsThePreview) {
  MessageLog log;
  Preview p(1, 12);
  p.state.rangeStart = "0000";
  EXPECT_FALSE(p.controller.load(kClient));
  EXPECT_EQ(log.lines(), std::vector<std::string>{"エラー1\tファイルが見つかりません。"});
}

TEST(PreviewController, NextAndPreviousKeepToTheRange) {
  Preview p(3, 5);
  ASSERT_TRUE(p.controller.load(kClient));
  p.controller.nextPage();
  EXPECT_EQ(p.state.currentFile, "0004.emf");
  p.controller.nextPage();
  p.controller.nextPage();  // on the last page: the last page again
  EXPECT_EQ(p.state.currentPage, 5);
  EXPECT_EQ(p.surface.loaded.back(), "/data/0005.emf");
  EXPECT_EQ(p.surface.caption, caption("5", "5"));
  for (int i = 0; i < 3; ++i) p.controller.previousPage();
  EXPECT_EQ(p.state.currentPage, 3);
  EXPECT_EQ(p.surface.loaded.back(), "/data/0003.emf");
  EXPECT_EQ(p.surface.caption, caption("3", "5", "最終ページ　"));
}

TEST(PreviewController, AMissingPageInsideTheRangeIsReportedAfterMovingOn) {
  MessageLog log;
  Preview p(3, 5);
  p.surface.pages.erase("/data/0004.emf");
  ASSERT_TRUE(p.controller.load(kClient));
  p.controller.nextPage();
  EXPECT_EQ(p.state.currentPage, 4);
  EXPECT_EQ(p.surface.caption, caption("4", "5"));
  p.controller.nextPage();
  p.controller.previousPage();
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"エラー12\tファイルが見つかりません。",
                                                   "エラー13\tファイルが見つかりません。"}));
}

TEST(PreviewController, GoToPageOpensTheTypedPage) {
  struct Case { const char* answer; const char* file; };
  for (const Case& c : {Case{"4", "/data/0004.emf"}, Case{"04", "/data/0004.emf"},
                        Case{"0005", "/data/0005.emf"}}) {
    Preview p(3, 5);
    ASSERT_TRUE(p.controller.load(kClient));
    p.surface.answer = c.answer;
    p.controller.goToPage();
    EXPECT_EQ(p.surface.asked, std::vector<std::string>{"ページ指定: ページを入力して下さい。"});
    EXPECT_EQ(p.surface.loaded.back(), c.file) << c.answer;
  }
}

TEST(PreviewController, GoToPageOutsideTheRangeSaysSo) {
  MessageLog log;
  Preview p(3, 5);
  ASSERT_TRUE(p.controller.load(kClient));
  for (const char* answer : {"2", "6", "-4"}) {
    p.surface.answer = answer;
    p.controller.goToPage();
  }
  EXPECT_EQ(log.lines().size(), 3u);
  EXPECT_EQ(log.lines()[0], "ページ指定\t指定されたページはありません。");
  EXPECT_EQ(p.surface.loaded.size(), 1u);
  EXPECT_EQ(p.state.currentPage, 3);
}

TEST(PreviewController, AnEmptyAnswerOrCancelDoesNothing) {
  MessageLog log;
  Preview p(3, 5);
  ASSERT_TRUE(p.controller.load(kClient));
  p.surface.answer = "";
  p.controller.goToPage();
  p.surface.answer.reset();
  p.controller.goToPage();
  EXPECT_EQ(p.surface.loaded.size(), 1u);
  EXPECT_TRUE(log.lines().empty());
}

TEST(PreviewController, GoToPageNamesTheFileAfterTheTypedText) {
  MessageLog log;
  Preview p(3, 5);
  ASSERT_TRUE(p.controller.load(kClient));
  p.surface.answer = "4.0";  // passes the range test as 4, but names 04.0.emf
  p.controller.goToPage();
  EXPECT_EQ(p.surface.loaded.back(), "/data/04.0.emf");
  EXPECT_EQ(p.state.currentPage, 4);
  EXPECT_EQ(p.surface.caption, caption("4", "5"));
  EXPECT_EQ(log.lines(), std::vector<std::string>{"エラー12\tファイルが見つかりません。"});
}

TEST(PreviewController, PositionTextFollowsTheCheckMark) {
  Preview p(1, 2);
  ASSERT_TRUE(p.controller.load(kClient));
  p.controller.pointerOnPage(100, 50);
  EXPECT_EQ(p.surface.position, "");
  p.controller.toggleInfo();
  EXPECT_TRUE(p.controller.infoChecked());
  p.controller.pointerOnPage(100, 50);
  EXPECT_EQ(p.surface.position, "(100pix×50pix)   ﾚﾌﾄ 26.5mm×ﾄｯﾌﾟ 13.2mm");
  p.controller.pointerOnClient();
  EXPECT_EQ(p.surface.position, "");
}

TEST(PositionText, FormatsWholesAndTenths) {
  EXPECT_EQ(positionText(0, 0, 15, 15), "(pix×pix)   ﾚﾌﾄ .0mm×ﾄｯﾌﾟ .0mm");
  EXPECT_EQ(formatTenths(0.04), ".0");
  EXPECT_EQ(formatTenths(0.05), ".1");
  EXPECT_EQ(formatTenths(-0.3), "-.3");
  EXPECT_EQ(formatWhole(2.5), "3");
  EXPECT_EQ(formatWhole(-4), "-4");
  EXPECT_EQ(twipsPerPixel(96), 15);
  EXPECT_EQ(twipsPerPixel(120), 12);
  EXPECT_EQ(twipsPerPixel(0), 15);
}

TEST(PreviewController, ZoomedPagesIgnorePressesAndPageCommands) {
  Preview p(1, 3);
  ASSERT_TRUE(p.controller.load(kClient));
  p.controller.toggleInfo();
  p.controller.zoomIn();
  EXPECT_TRUE(p.controller.zoomed());
  EXPECT_FALSE(p.surface.menusEnabled);
  EXPECT_EQ(p.surface.position, "");
  p.controller.pressOnPage(MouseButton::Left);
  p.controller.pressOnPage(MouseButton::Right);
  p.controller.nextPage();
  p.surface.answer = "2";
  p.controller.goToPage();
  p.controller.copy();
  const int updates = p.surface.positionUpdates;
  p.controller.pointerOnPage(10, 10);
  EXPECT_EQ(p.surface.positionUpdates, updates);
  EXPECT_EQ(p.state.currentPage, 1);
  EXPECT_EQ(p.surface.loaded.size(), 1u);
  EXPECT_EQ(p.surface.copies, 0);
}

TEST(PreviewController, RestoreShowsTheNaturalSizeAndFreesTheCommands) {
  Preview p(1, 3);
  ASSERT_TRUE(p.controller.load(kClient));
  p.controller.zoomIn();
  p.controller.zoomIn();
  p.controller.restoreSize();
  EXPECT_FALSE(p.controller.zoomed());
  EXPECT_TRUE(p.surface.menusEnabled);
  EXPECT_EQ(p.controller.layout().display(), (RectD{0, 0, 800, 1100}));
  EXPECT_EQ(p.surface.loaded.size(), 2u);  // the page file is loaded again
  p.controller.pressOnPage(MouseButton::Left);
  EXPECT_EQ(p.state.currentPage, 2);
}

TEST(PreviewController, ResizeThatCannotBeLaidOutIsReported) {
  MessageLog log;
  Preview p(1, 3);
  ASSERT_TRUE(p.controller.load(kClient));
  p.controller.resize({5, 5});
  EXPECT_EQ(log.lines(), std::vector<std::string>{"エラー2\tプロパティの値が不正です。"});
  EXPECT_EQ(p.controller.layout().viewport().width, 1000);
  p.controller.resize({517, 817});
  EXPECT_EQ(p.controller.layout().viewport(), (RectD{0, 0, 500, 800}));
  EXPECT_TRUE(p.controller.layout().hBar().visible);
  EXPECT_TRUE(p.controller.layout().vBar().visible);
}

TEST(PreviewController, CopyPutsThePageOnTheClipboard) {
  Preview p(1, 3);
  ASSERT_TRUE(p.controller.load(kClient));
  p.controller.copy();
  EXPECT_EQ(p.surface.copies, 1);
}

}  // namespace
}  // namespace kumi::viewer
