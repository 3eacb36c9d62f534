#pragma once
// The preview's commands without the window: the caption, stepping through
// the range, going to a typed page, zooming, the pointer's position text and
// copying. The window implements PreviewSurface and forwards its events here;
// it shows what the controller decides and asks the user only when told to.
//
// Failures are reported here through the platform's message box, with the
// caption of the command that failed ("エラー1", "エラー12" ...). A command
// that fails keeps the steps it had done, as the user saw them happen.
#include <cstdint>
#include <optional>
#include <string>

#include "viewer/logic/preview_layout.h"
#include "viewer/logic/viewer_state.h"

namespace kumi::viewer {

// What the preview window does on the controller's behalf.
class PreviewSurface {
 public:
  virtual ~PreviewSurface() = default;
  virtual void setCaption(const std::string& caption) = 0;
  // Takes the page off the display, then loads the page file at the native
  // `path`: its natural size in pixels, or nullopt with the system's
  // description in `error` (the display is then left without a page).
  virtual std::optional<SizeD> loadPage(const std::string& path, std::string& error) = 0;
  // The input box for a page; nullopt when cancelled.
  virtual std::optional<std::string> askPage(const std::string& prompt, const std::string& title) = 0;
  // Puts the page shown on the clipboard; false when that failed.
  virtual bool copyPage() = 0;
  // The position display; an empty text blanks it.
  virtual void showPosition(const std::string& text) = 0;
  // The menus that are off while zoomed.
  virtual void setPageMenusEnabled(bool enabled) = 0;
  // The layout changed: place the widgets and bars as it says, repainting
  // the display at once `repaints` times (0: the usual deferred painting).
  virtual void applyLayout(const PreviewLayout& layout, int repaints) = 0;
};

// The caption's pieces: "最終ページ" is followed by two blanks, or after the
// previous-page command by one ideographic space.
enum class CaptionStyle { Normal, AfterPrevious };
// "印刷プレビュー" ... "現在ページ  [ 3 ]  最終ページ  [ 12 ]".
std::string previewCaption(const std::string& current, const std::string& last,
                           CaptionStyle style = CaptionStyle::Normal);

// Format "###": rounded to an integer, no leading zeros, 0 gives "".
std::string formatWhole(double v);
// Format "###.0": rounded to one decimal, at least the digit after the point.
std::string formatTenths(double v);
// "(100pix×50pix)   ﾚﾌﾄ 26.5mm×ﾄｯﾌﾟ 13.2mm" for (100, 50) at 15 twips a pixel.
std::string positionText(double x, double y, int16_t twipsPerPixelX, int16_t twipsPerPixelY);

// Twips per pixel at a logical resolution in dots per inch (15 at 96).
int16_t twipsPerPixel(double dotsPerInch);

enum class MouseButton { Left, Right, Other };

class PreviewController {
 public:
  struct Screen {
    int vScrollWidth = 17;
    int hScrollHeight = 17;
    int16_t twipsPerPixelX = 15;
    int16_t twipsPerPixelY = 15;
  };
  PreviewController(ViewerState& state, PreviewSurface& surface, const Screen& screen);

  // Opens the range's first page. False after reporting "エラー1": the
  // preview closes and the program ends.
  bool load(SizeD client);
  // "エラー2" when the new size cannot be laid out; the window keeps its state.
  void resize(SizeD client);

  void nextPage();      // also a left press on the page
  void previousPage();  // also a right press on the page
  void goToPage();

  void zoomIn();
  void zoomOut();
  void restoreSize();  // "元に戻す"

  void copy();
  void toggleInfo();
  bool infoChecked() const { return infoChecked_; }

  void pressOnPage(MouseButton button);
  void pointerOnPage(double x, double y);
  void pointerOnClient();

  // The user moved a bar's thumb.
  void userScrolledH(int32_t value);
  void userScrolledV(int32_t value);

  bool zoomed() const { return zoomedFlag_ != 0; }
  const PreviewLayout& layout() const { return layout_; }
  const ViewerState& state() const { return state_; }

 private:
  // The common page display step; the system's description on failure.
  std::optional<std::string> showPage();
  void setCaption(CaptionStyle style);
  void enterZoomed();
  void publish();
  // Shared by next and previous: step, keep to the range, show.
  void step(int delta, CaptionStyle style, const char* failureCaption);

  ViewerState& state_;
  PreviewSurface& surface_;
  Screen screen_;
  PreviewLayout layout_;
  int16_t zoomedFlag_ = 0;
  bool infoChecked_ = false;
};

}  // namespace kumi::viewer
