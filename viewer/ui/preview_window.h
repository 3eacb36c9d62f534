#pragma once
// Form3, the preview window: the page display inside its viewport, the two
// scroll bars, the menus and the position display in the menu bar line.
//
// The window is a thin surface over PreviewController: it forwards menu
// commands, presses, pointer movement, scrolling and resizing, and shows
// what the controller decides. It loads its first page once shown; when that
// fails, exec() returns kLoadFailed and the program is to end.
#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "viewer/logic/preview_controller.h"
#include "viewer/logic/program_launcher.h"
#include "viewer/ui/page_source.h"
#include "viewer/ui/screen_units.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QScrollBar;

namespace kumi::viewer {

class PageDisplay;

class PreviewWindow : public QDialog, private PreviewSurface {
  Q_OBJECT
 public:
  static constexpr int kLoadFailed = 2;

  // `panelAllPages`: the panel's "すべて" was selected, for the print dialog.
  PreviewWindow(ViewerState& state, const PageSource& pages, ProgramLauncher& launcher,
                bool panelAllPages, QWidget* parent = nullptr);
  ~PreviewWindow() override;

  // The input box of the go-to-page command (tests answer it themselves).
  using AskText = std::function<std::optional<QString>(QWidget* parent, const QString& prompt,
                                                       const QString& title)>;
  void setAskText(AskText ask) { askText_ = std::move(ask); }

  bool loaded() const { return loaded_; }
  const PreviewController& controller() const { return controller_; }
  PageDisplay* display() const { return display_; }
  QLabel* positionDisplay() const { return position_; }

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // PreviewSurface
  void setCaption(const std::string& caption) override;
  std::optional<SizeD> loadPage(const std::string& path, std::string& error) override;
  std::optional<std::string> askPage(const std::string& prompt, const std::string& title) override;
  bool copyPage() override;
  void showPosition(const std::string& text) override;
  void setPageMenusEnabled(bool enabled) override;
  void applyLayout(const PreviewLayout& layout, int repaints) override;

  void buildMenus();
  QAction* addCommand(QMenu* menu, const char* name, const char* caption, const char* shortcut,
                      void (PreviewWindow::*slot)());
  void loadFirstPage();
  void openPrintRange();
  void toggleInfo();

  // The controller's commands, as menu slots.
  void nextPage() { controller_.nextPage(); }
  void previousPage() { controller_.previousPage(); }
  void goToPage() { controller_.goToPage(); }
  void zoomIn() { controller_.zoomIn(); }
  void zoomOut() { controller_.zoomOut(); }
  void restoreSize() { controller_.restoreSize(); }
  void copy() { controller_.copy(); }
  void end() { accept(); }

  ViewerState& state_;
  const PageSource& pages_;
  ProgramLauncher& launcher_;
  bool panelAllPages_;
  TwipsPerPixel tpp_;
  AskText askText_;

  QMenuBar* menuBar_;
  QLabel* position_;
  QWidget* client_;
  QWidget* viewport_;
  PageDisplay* display_;
  QScrollBar* hBar_;
  QScrollBar* vBar_;
  QMenu* fileMenu_ = nullptr;
  QMenu* editMenu_ = nullptr;
  QMenu* optionMenu_ = nullptr;
  QAction* next_ = nullptr;
  QAction* previous_ = nullptr;
  QAction* goTo_ = nullptr;
  QAction* info_ = nullptr;

  PreviewController controller_;
  bool loaded_ = false;
  bool loadStarted_ = false;
  bool syncing_ = false;  // scroll bars being set from the layout, not by the user
};

}  // namespace kumi::viewer
