#include "viewer/ui/preview_window.h"

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include <gtest/gtest.h>

#include "viewer/ui/page_display.h"
#include "viewer/ui/tests/ui_test_support.h"

namespace kumi::viewer {
namespace {

using testing::child;
using testing::FakePageSource;
using testing::MessageLog;
using testing::RecordingLauncher;

struct PreviewFixture : ::testing::Test {
  // Pages 1 to 3 of 800 x 1100 pixels, the range 1 to 3.
  PreviewFixture() {
    state.dataDir = "/data/";
    state.programDir = "/prog/";
    state.firstPage = "0001";
    state.lastPage = "0003";
    state.rangeStart = "0001";
    state.rangeEnd = "0003";
    state.currentPage = 1;
    state.rangeEndNumber = 3;
    for (const char* p : {"/data/0001.emf", "/data/0002.emf", "/data/0003.emf"}) {
      pages.add(p, QSize(800, 1100));
    }
  }

  // Shows the window and gives it a viewport of 1000 x 700 pixels.
  void open() {
    window = std::make_unique<PreviewWindow>(state, pages, launcher, true);
    window->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->loaded(); }));
    window->setWindowState(Qt::WindowNoState);
    QWidget* client = child<QWidget>(window.get(), "client");
    const QScrollBar* v = child<QScrollBar>(window.get(), "VScroll1");
    const QSize wanted(1000 + v->sizeHint().width(), 700 + v->sizeHint().width());
    for (int i = 0; i < 3 && client->size() != wanted; ++i) {
      window->resize(window->size() + (wanted - client->size()));
      QTest::qWait(20);
    }
    ASSERT_EQ(window->controller().layout().viewport(), (RectD{0, 0, 1000, 700}));
  }

  QScrollBar* hBar() { return child<QScrollBar>(window.get(), "HScroll1"); }
  QScrollBar* vBar() { return child<QScrollBar>(window.get(), "VScroll1"); }
  QAction* action(const char* name) { return child<QAction>(window.get(), name); }
  void key(int k) { QTest::keyClick(window.get(), Qt::Key(k), Qt::ControlModifier); }

  ViewerState state;
  FakePageSource pages;
  RecordingLauncher launcher;
  std::unique_ptr<PreviewWindow> window;
};

std::string caption(const char* current, const char* last, const char* lastLabel = "最終ページ  ") {
  return std::string("印刷プレビュー       　現在ページ  [ ") + current + " ]  " + lastLabel + "[ " +
         last + " ]";
}

TEST_F(PreviewFixture, LoadsTheFirstPageAtItsNaturalSize) {
  open();
  EXPECT_EQ(window->windowTitle().toStdString(), caption("1", "3"));
  EXPECT_EQ(window->display()->geometry(), QRect(0, 0, 800, 1100));
  EXPECT_TRUE(vBar()->isVisible());
  EXPECT_FALSE(hBar()->isVisible());
  EXPECT_EQ(vBar()->maximum(), 400);
  EXPECT_EQ(vBar()->pageStep(), 80);
  EXPECT_EQ(vBar()->singleStep(), 40);
  EXPECT_EQ(vBar()->geometry().topLeft(), QPoint(1000, 0));
  EXPECT_EQ(hBar()->geometry().topLeft(), QPoint(0, 700));
  const auto* viewport = child<QWidget>(window.get(), "Picture1");
  EXPECT_EQ(viewport->palette().color(QPalette::Window), QColor(128, 128, 128));
}

TEST_F(PreviewFixture, MenusCarryTheirCaptionsAndShortcuts) {
  open();
  struct Case { const char* name; const char* text; const char* keys; };
  const Case cases[] = {{"MPRINT", "印刷(&P)", "Ctrl+P"},       {"MEND", "終了(&Q)", "Ctrl+Q"},
                        {"MCOPY", "複写(&C)", "Ctrl+C"},        {"MKAKUDAI", "拡大(&K)", "Ctrl+K"},
                        {"MSHUKUSHOU", "縮小(&S)", "Ctrl+S"},   {"MREBACK", "元に戻す(&R)", ""},
                        {"MNEXTP", "次ページ(&N)", "Ctrl+N"},   {"MBACKP", "前ページ(&B)", "Ctrl+B"},
                        {"PAGESITEI", "ページ指定(&J)", "Ctrl+J"}, {"MINFO", "位置情報(&I)", "Ctrl+I"}};
  for (const Case& c : cases) {
    EXPECT_EQ(action(c.name)->text().toStdString(), c.text);
    EXPECT_EQ(action(c.name)->shortcut().toString().toStdString(), c.keys) << c.name;
  }
  EXPECT_EQ(child<QMenu>(window.get(), "MFILE")->title().toStdString(), "ファイル(&F)");
  EXPECT_EQ(child<QMenu>(window.get(), "MOPTION")->title().toStdString(), "オプション(&P)");
}

TEST_F(PreviewFixture, ZoomInSetsTheBarsInProportion) {
  open();
  vBar()->setValue(200);  // as the user scrolls
  EXPECT_EQ(window->display()->geometry().top(), -200);
  key(Qt::Key_K);
  EXPECT_EQ(window->display()->geometry(), QRect(0, -475, 1200, 1650));
  EXPECT_EQ(vBar()->maximum(), 950);
  EXPECT_EQ(vBar()->value(), 475);
  EXPECT_EQ(vBar()->pageStep(), 190);
  EXPECT_EQ(vBar()->singleStep(), 95);
  EXPECT_TRUE(hBar()->isVisible());
  EXPECT_EQ(hBar()->maximum(), 200);
  EXPECT_EQ(hBar()->pageStep(), 40);
  EXPECT_EQ(hBar()->singleStep(), 20);
  hBar()->setValue(150);
  EXPECT_EQ(window->display()->geometry().left(), -150);
}

TEST_F(PreviewFixture, ZoomOutCentresAndHidesTheBars) {
  open();
  vBar()->setValue(300);
  key(Qt::Key_S);
  EXPECT_EQ(window->display()->geometry(), QRect(300, 75, 400, 550));
  EXPECT_FALSE(vBar()->isVisible());
  EXPECT_FALSE(hBar()->isVisible());
  EXPECT_EQ(vBar()->value(), 0);
}

TEST_F(PreviewFixture, WhileZoomedThePageCommandsAreOff) {
  open();
  key(Qt::Key_K);
  for (const char* name : {"MPRINT", "MEND", "MCOPY", "MNEXTP", "MBACKP", "PAGESITEI", "MINFO"}) {
    EXPECT_FALSE(action(name)->isEnabled()) << name;
  }
  for (const char* name : {"MFILE", "MHENSHU", "MOPTION"}) {
    EXPECT_FALSE(child<QMenu>(window.get(), name)->menuAction()->isEnabled()) << name;
  }
  EXPECT_TRUE(action("MKAKUDAI")->isEnabled());
  key(Qt::Key_N);
  QTest::mouseClick(window->display(), Qt::LeftButton, {}, QPoint(50, 50));
  QTest::mouseClick(window->display(), Qt::RightButton, {}, QPoint(50, 50));
  EXPECT_EQ(state.currentPage, 1);
  action("MREBACK")->trigger();
  EXPECT_TRUE(action("MNEXTP")->isEnabled());
  EXPECT_EQ(window->display()->geometry(), QRect(0, 0, 800, 1100));
  EXPECT_FALSE(hBar()->isVisible());
}

TEST_F(PreviewFixture, KeysAndButtonsStepThroughTheRange) {
  open();
  key(Qt::Key_N);
  EXPECT_EQ(window->windowTitle().toStdString(), caption("2", "3"));
  QTest::mouseClick(window->display(), Qt::LeftButton, {}, QPoint(50, 50));
  QTest::mouseClick(window->display(), Qt::LeftButton, {}, QPoint(50, 50));
  EXPECT_EQ(state.currentPage, 3);
  QTest::mouseClick(window->display(), Qt::RightButton, {}, QPoint(50, 50));
  EXPECT_EQ(window->windowTitle().toStdString(), caption("2", "3", "最終ページ　"));
  key(Qt::Key_B);
  EXPECT_EQ(pages.loads.back(), "/data/0001.emf");
}

TEST_F(PreviewFixture, GoToPageAsksAndOpensThePage) {
  MessageLog log;
  open();
  std::vector<QString> asked;
  QString answer = "3";
  window->setAskText([&](QWidget*, const QString& prompt, const QString& title) {
    asked.push_back(title + ":" + prompt);
    return std::optional<QString>(answer);
  });
  key(Qt::Key_J);
  EXPECT_EQ(asked, std::vector<QString>{QString::fromUtf8("ページ指定:ページを入力して下さい。")});
  EXPECT_EQ(pages.loads.back(), "/data/0003.emf");
  answer = "9";
  key(Qt::Key_J);
  EXPECT_EQ(log.lines(), std::vector<std::string>{"ページ指定\t指定されたページはありません。"});
}

TEST_F(PreviewFixture, ThePositionShowsInTheMenuBarWhenChecked) {
  open();
  QLabel* spot = window->positionDisplay();
  testing::movePointer(window->display(), QPoint(100, 50));
  EXPECT_EQ(spot->text(), "");
  key(Qt::Key_I);
  EXPECT_TRUE(action("MINFO")->isChecked());
  testing::movePointer(window->display(), QPoint(100, 50));
  EXPECT_EQ(spot->text().toStdString(), "(100pix×50pix)   ﾚﾌﾄ 26.5mm×ﾄｯﾌﾟ 13.2mm");
  // Over the window's own client area (the corner between the bars) it blanks.
  QWidget* client = child<QWidget>(window.get(), "client");
  testing::movePointer(client, QPoint(client->width() - 2, client->height() - 2));
  EXPECT_EQ(spot->text(), "");
  EXPECT_EQ(spot->palette().color(QPalette::Window),
            window->findChild<QMenuBar*>()->palette().color(QPalette::Window));
}

TEST_F(PreviewFixture, CopyPutsTheMetafileAndAnImageOnTheClipboard) {
  open();
  key(Qt::Key_C);
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->data("image/x-emf"), QByteArray("EMF of /data/0001.emf"));
  const QImage image = qvariant_cast<QImage>(data->imageData());
  EXPECT_EQ(image.size(), QSize(800, 1100));
}

TEST_F(PreviewFixture, APageBeyondAnySheetIsCopiedAsItsMetafileOnly) {
  pages.add("/data/0001.emf", QSize(20000, 20000));  // 400 M pixels: no image of it
  open();
  key(Qt::Key_C);
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->data("image/x-emf"), QByteArray("EMF of /data/0001.emf"));
  EXPECT_FALSE(data->hasImage());
}

TEST_F(PreviewFixture, AMissingPageLeavesTheDisplayEmptyAndSaysSo) {
  MessageLog log;
  pages.pages.erase("/data/0002.emf");
  open();
  key(Qt::Key_N);
  EXPECT_EQ(window->display()->picture(), nullptr);
  EXPECT_EQ(log.lines(), std::vector<std::string>{"エラー12\tファイルが見つかりません。"});
  EXPECT_EQ(window->windowTitle().toStdString(), caption("2", "3"));
}

TEST_F(PreviewFixture, AMissingFirstPageEndsThePreview) {
  MessageLog log;
  pages.pages.clear();
  PreviewWindow preview(state, pages, launcher, true);
  EXPECT_EQ(preview.exec(), PreviewWindow::kLoadFailed);
  EXPECT_EQ(log.lines(), std::vector<std::string>{"エラー1\tファイルが見つかりません。"});
}

TEST_F(PreviewFixture, PrintOpensTheRangeDialogAtTheWindowsPlace) {
  open();
  key(Qt::Key_N);
  key(Qt::Key_N);
  QString from, to;
  bool all = false;
  QPoint at;
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    at = dialog->pos();
    from = child<QLineEdit>(dialog, "Text3")->text();
    to = child<QLineEdit>(dialog, "Text4")->text();
    all = child<QRadioButton>(dialog, "Option3")->isChecked();
    child<QRadioButton>(dialog, "Option4")->setChecked(true);
    QTest::mouseClick(child<QPushButton>(dialog, "Command1"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(dialog, "Command2"), Qt::LeftButton);
  });
  key(Qt::Key_P);
  EXPECT_EQ(at, window->pos());
  EXPECT_TRUE(all);
  EXPECT_EQ(from, "3");
  EXPECT_EQ(to, "3");
  ASSERT_EQ(launcher.started.size(), 1u);
  EXPECT_EQ(launcher.started[0].text(), "/prog/sheetpress.exe 0003 0003 PR");
}

}  // namespace
}  // namespace kumi::viewer
