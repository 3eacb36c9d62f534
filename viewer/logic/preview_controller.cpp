#include "viewer/logic/preview_controller.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/base/message_box.h"
#include "platform/base/paths.h"
#include "viewer/logic/page_names.h"

namespace kumi::viewer {
namespace {

constexpr std::string_view kInvalidPropertyValue = "プロパティの値が不正です。";
constexpr double kTwipsPerMillimetre = 56.7;

void report(std::string_view why, std::string_view caption) {
  platform::messageBox(why, caption);
}

// Format's rounding: halves away from zero.
long long roundAway(double v) { return static_cast<long long>(std::llround(v)); }

}  // namespace

std::string previewCaption(const std::string& current, const std::string& last, CaptionStyle style) {
  const char* lastLabel = style == CaptionStyle::Normal ? "最終ページ  " : "最終ページ　";
  return std::string("印刷プレビュー       　") + "現在ページ  " + "[ " + current + " ]" + "  " +
         lastLabel + "[ " + last + " ]";
}

std::string formatWhole(double v) {
  if (!std::isfinite(v) || std::fabs(v) > 1e15) return decimalText(v);
  const long long n = roundAway(v);
  return n == 0 ? std::string() : std::to_string(n);
}

std::string formatTenths(double v) {
  if (!std::isfinite(v) || std::fabs(v) > 1e14) return decimalText(v);
  const long long tenths = roundAway(std::fabs(v) * 10);
  std::string text = (v < 0 && tenths != 0) ? "-" : "";
  if (tenths / 10 != 0) text += std::to_string(tenths / 10);
  return text + "." + std::to_string(tenths % 10);
}

std::string positionText(double x, double y, int16_t twipsPerPixelX, int16_t twipsPerPixelY) {
  return "(" + formatWhole(x) + "pix" + "×" + formatWhole(y) + "pix" + ")" + "   " + "ﾚﾌﾄ " +
         formatTenths(twipsPerPixelX * x / kTwipsPerMillimetre) + "mm" + "×" + "ﾄｯﾌﾟ " +
         formatTenths(twipsPerPixelY * y / kTwipsPerMillimetre) + "mm";
}

int16_t twipsPerPixel(double dotsPerInch) {
  if (!(dotsPerInch > 0)) return 15;
  const double t = std::round(1440 / dotsPerInch);
  return static_cast<int16_t>(std::clamp(t, 1.0, 32767.0));
}

PreviewController::PreviewController(ViewerState& state, PreviewSurface& surface, const Screen& screen)
    : state_(state), surface_(surface), screen_(screen),
      layout_(screen.vScrollWidth, screen.hScrollHeight) {}

void PreviewController::publish() { surface_.applyLayout(layout_, layout_.takeRepaints()); }

void PreviewController::setCaption(CaptionStyle style) {
  surface_.setCaption(previewCaption(decimalText(state_.currentPage),
                                     decimalText(leadingNumber(state_.rangeEnd)), style));
}

bool PreviewController::load(SizeD client) {
  if (!layout_.fitViewport(client)) {
    report(kInvalidPropertyValue, "エラー1");
    return false;
  }
  layout_.moveDisplay(0, 0);
  state_.currentFile = state_.rangeStart + ".emf";
  std::string error;
  const auto size = surface_.loadPage(platform::nativePath(state_.dataDir + state_.currentFile), error);
  if (!size) {
    report(error, "エラー1");
    return false;
  }
  layout_.setDisplaySize(*size);
  surface_.setCaption(
      previewCaption(decimalText(state_.currentPage), decimalText(state_.rangeEndNumber)));
  layout_.scroll();
  publish();
  return true;
}

void PreviewController::resize(SizeD client) {
  if (!layout_.fitViewport(client)) {
    report(kInvalidPropertyValue, "エラー2");
    return;
  }
  layout_.moveDisplay(0, 0);
  layout_.scroll();
  publish();
}

std::optional<std::string> PreviewController::showPage() {
  layout_.setHValue(0);
  layout_.setVValue(0);
  if (!layout_.fitViewport(layout_.client())) {
    publish();
    return std::string(kInvalidPropertyValue);
  }
  layout_.moveDisplay(0, 0);
  std::string error;
  const auto size = surface_.loadPage(platform::nativePath(state_.dataDir + state_.currentFile), error);
  if (!size) {
    publish();
    return error;
  }
  layout_.setDisplaySize(*size);
  layout_.scroll();
  publish();
  return std::nullopt;
}

void PreviewController::step(int delta, CaptionStyle style, const char* failureCaption) {
  const int64_t moved = int64_t{state_.currentPage} + delta;
  if (moved < std::numeric_limits<int32_t>::min() || moved > std::numeric_limits<int32_t>::max()) {
    report(kOverflow, failureCaption);
    return;
  }
  state_.currentPage = static_cast<int32_t>(moved);
  // At either end of the range the command shows the same page again.
  const StrictReading limit = strictNumber(delta > 0 ? state_.rangeEnd : state_.rangeStart);
  if (!limit.value) {
    report(limit.failure, failureCaption);
    return;
  }
  if (delta > 0 && *limit.value < state_.currentPage) state_.currentPage -= delta;
  if (delta < 0 && *limit.value > state_.currentPage) state_.currentPage -= delta;
  setCaption(style);
  state_.currentFile = formatPageName(state_.currentPage) + ".emf";
  if (auto failure = showPage()) report(*failure, failureCaption);
}

void PreviewController::nextPage() {
  if (zoomed()) return;
  step(+1, CaptionStyle::Normal, "エラー12");
}

void PreviewController::previousPage() {
  if (zoomed()) return;
  step(-1, CaptionStyle::AfterPrevious, "エラー13");
}

void PreviewController::goToPage() {
  if (zoomed()) return;
  const auto answer = surface_.askPage("ページを入力して下さい。", "ページ指定");
  if (!answer || answer->empty()) return;
  const double v = leadingNumber(*answer);
  // Both ends must read as numbers before the answer is judged.
  const StrictReading end = strictNumber(state_.rangeEnd);
  if (!end.value) return report(end.failure, "エラー12");
  const StrictReading start = strictNumber(state_.rangeStart);
  if (!start.value) return report(start.failure, "エラー12");
  if (v > *end.value || *start.value > v) {
    platform::messageBox("指定されたページはありません。", "ページ指定");
    return;
  }
  state_.currentPage = static_cast<int32_t>(roundHalfEven(v));
  // The file is named after the typed text itself, not the number read.
  state_.currentFile = padPageName(*answer) + ".emf";
  setCaption(CaptionStyle::Normal);
  if (auto failure = showPage()) report(*failure, "エラー12");
}

void PreviewController::enterZoomed() {
  zoomedFlag_ = 1;
  surface_.setPageMenusEnabled(false);
  surface_.showPosition({});
}

void PreviewController::zoomIn() {
  enterZoomed();
  layout_.enlarge();
  publish();
}

void PreviewController::zoomOut() {
  enterZoomed();
  layout_.reduce();
  publish();
}

void PreviewController::restoreSize() {
  zoomedFlag_ = 0;
  surface_.setPageMenusEnabled(true);
  if (auto failure = showPage()) report(*failure, "エラー");
}

void PreviewController::copy() {
  if (zoomed()) return;
  surface_.copyPage();  // a failure is not reported
}

void PreviewController::toggleInfo() {
  if (zoomed()) return;
  infoChecked_ = !infoChecked_;
}

void PreviewController::pressOnPage(MouseButton button) {
  if (zoomed()) return;
  if (button == MouseButton::Left) nextPage();
  else if (button == MouseButton::Right) previousPage();
}

void PreviewController::pointerOnPage(double x, double y) {
  if (zoomed()) return;
  surface_.showPosition(infoChecked_ ? positionText(x, y, screen_.twipsPerPixelX, screen_.twipsPerPixelY)
                                     : std::string());
}

void PreviewController::pointerOnClient() { surface_.showPosition({}); }

void PreviewController::userScrolledH(int32_t value) {
  layout_.setHValue(value);
  publish();
}

void PreviewController::userScrolledV(int32_t value) {
  layout_.setVValue(value);
  publish();
}

}  // namespace kumi::viewer
