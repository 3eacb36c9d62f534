#include "viewer/ui/field_behaviour.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>

namespace kumi::viewer {
namespace {

class EnterMovesFocus : public QObject {
 public:
  EnterMovesFocus(QLineEdit* box, QWidget* next) : QObject(box), next_(next) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    if (next_) next_->setFocus(Qt::TabFocusReason);
    return true;  // consumed: no default button sees it
  }

 private:
  QPointer<QWidget> next_;
};

class ClickSelects : public QObject {
 public:
  ClickSelects(QLineEdit* box, QRadioButton* option) : QObject(box), option_(option) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress && option_) option_->setChecked(true);
    return false;
  }

 private:
  QPointer<QRadioButton> option_;
};

}  // namespace

void moveFocusOnEnter(QLineEdit* box, QWidget* next) {
  box->installEventFilter(new EnterMovesFocus(box, next));
}

void selectOptionOnClick(QLineEdit* box, QRadioButton* option) {
  box->installEventFilter(new ClickSelects(box, option));
}

}  // namespace kumi::viewer
