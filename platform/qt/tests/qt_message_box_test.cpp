#include "platform/qt/qt_message_box.h"

#include <cstdlib>
#include <thread>

#include <QPushButton>
#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace kumi::platform {
namespace {

struct Seen {
  QString title;
  QString text;
  QMessageBox::StandardButtons buttons;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Shows one box through messageBox(), reads it once it is up and presses
// `press` on it.
MsgAnswer showAndPress(MsgButtons buttons, QMessageBox::StandardButton press, Seen& seen) {
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.buttons = box->standardButtons();
    if (box->defaultButton() != nullptr) seen.defaultButton = box->standardButton(box->defaultButton());
    box->button(press)->click();
  });
  return messageBox("3 ページ編集しました。印刷しますか？\n", "編集ページ", buttons, MsgIcon::Question);
}

TEST(QtMessageBox, ShowsTheTextUnderTheCaptionAndReturnsTheButtonPressed) {
  ::unsetenv("KUMI_MSGBOX_LOG");
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  int argc = 1;
  char name[] = "qt_message_box_test";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  installQtMessageBoxPresenter();

  Seen seen;
  EXPECT_EQ(showAndPress(MsgButtons::YesNo, QMessageBox::No, seen), MsgAnswer::No);
  EXPECT_EQ(seen.title, QString::fromUtf8("編集ページ"));
  EXPECT_EQ(seen.text, QString::fromUtf8("3 ページ編集しました。印刷しますか？\n"));
  EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(seen.defaultButton, QMessageBox::Yes);

  EXPECT_EQ(showAndPress(MsgButtons::OkCancel, QMessageBox::Cancel, seen), MsgAnswer::Cancel);
  EXPECT_EQ(seen.defaultButton, QMessageBox::Ok);
  setMessageBoxPresenter(nullptr);
}

TEST(QtMessageBox, AnswersOnTheConsoleWhereNoDialogCanBeMade) {
  ::unsetenv("KUMI_MSGBOX_LOG");
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  int argc = 1;
  char name[] = "qt_message_box_test";
  char* argv[] = {name, nullptr};
  installQtMessageBoxPresenter();
  {
    QCoreApplication app(argc, argv);  // no widgets in this program
    EXPECT_EQ(messageBox("t", "c", MsgButtons::YesNo), MsgAnswer::Yes);
  }
  {
    QApplication app(argc, argv);
    MsgAnswer answer = MsgAnswer::Cancel;
    std::thread([&] { answer = messageBox("t", "c", MsgButtons::OkCancel); }).join();
    EXPECT_EQ(answer, MsgAnswer::Ok);
  }
  setMessageBoxPresenter(nullptr);
}

}  // namespace
}  // namespace kumi::platform
