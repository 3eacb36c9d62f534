#pragma once
// Pages without page files, and small helpers the windows' tests share.
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <QWidget>
#include <map>
#include <string>

#include "viewer/logic/tests/test_support.h"
#include "viewer/ui/page_source.h"

namespace kumi::viewer::testing {

// A page of a fixed natural size that paints a grey frame.
class FakePicture final : public PagePicture {
 public:
  FakePicture(QSize size, QByteArray bytes) : size_(size), bytes_(std::move(bytes)) {}
  QSize naturalSize(int, int) const override { return size_; }
  void paint(QPainter& painter, const QRectF& target) const override {
    painter.fillRect(target.adjusted(10, 10, -10, -10), Qt::lightGray);
  }
  const QByteArray& fileBytes() const override { return bytes_; }

 private:
  QSize size_;
  QByteArray bytes_;
};

// Pages by native path; anything else is missing.
class FakePageSource final : public PageSource {
 public:
  std::shared_ptr<const PagePicture> load(const QString& path, QString& error) const override {
    loads.push_back(path.toStdString());
    const auto it = pages.find(path.toStdString());
    if (it == pages.end()) {
      error = QString::fromUtf8(kPageFileMissing);
      return nullptr;
    }
    return std::make_shared<FakePicture>(it->second, QByteArray("EMF of ") + path.toUtf8());
  }
  void add(const std::string& path, QSize size = QSize(600, 900)) { pages[path] = size; }

  std::map<std::string, QSize> pages;
  mutable std::vector<std::string> loads;
};

// A pointer movement without buttons, as the window system sends it.
inline void movePointer(QWidget* w, QPoint at) {
  QMouseEvent move(QEvent::MouseMove, QPointF(at), w->mapToGlobal(QPointF(at)), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w, &move);
}

template <class T>
T* child(QObject* parent, const char* name) {
  T* found = parent->findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(found, nullptr) << name;
  return found;
}

}  // namespace kumi::viewer::testing
