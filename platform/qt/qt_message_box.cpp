#include "platform/qt/qt_message_box.h"

#include <cstdio>

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QThread>

namespace kumi::platform {
namespace {

QString fromUtf8(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QMessageBox::Icon qtIcon(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Warning: return QMessageBox::Warning;
    case MsgIcon::Error: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::Ok: return QMessageBox::Ok;
    case MsgButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

// Closing the dialog by its window button answers as Escape would: the
// cancelling button where there is one.
MsgAnswer answerOf(int result, MsgButtons buttons) {
  switch (result) {
    case QMessageBox::Ok: return MsgAnswer::Ok;
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    default: break;
  }
  if (buttons == MsgButtons::YesNo) return MsgAnswer::No;
  if (buttons == MsgButtons::Ok) return MsgAnswer::Ok;
  return MsgAnswer::Cancel;
}

}  // namespace

MsgAnswer presentQtMessageBox(std::string_view text, std::string_view caption, MsgButtons buttons,
                              MsgIcon icon) {
  // A dialog needs a widget application and its thread; anywhere else
  // making one would abort the program.
  const auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (app == nullptr || QThread::currentThread() != app->thread()) {
    std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
                 static_cast<int>(text.size()), text.data());
    return defaultAnswer(buttons);
  }
  QMessageBox box(qtIcon(icon), fromUtf8(caption), fromUtf8(text), qtButtons(buttons));
  // The first button is the default, as on the system's home platform.
  if (buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel) {
    box.setDefaultButton(QMessageBox::Yes);
  } else {
    box.setDefaultButton(QMessageBox::Ok);
  }
  return answerOf(box.exec(), buttons);
}

void installQtMessageBoxPresenter() { setMessageBoxPresenter(&presentQtMessageBox); }

}  // namespace kumi::platform
