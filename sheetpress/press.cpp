#include "sheetpress/press.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/base/cp932.h"
#include "platform/base/message_box.h"
#include "platform/player/player.h"
#include "platform/printer/printer.h"
#include "renderer/settings/render_settings.h"
#include "renderer/settings/settings_names.h"

namespace kumi::sheetpress {
namespace {

constexpr const char* kCaption = "sheetpress";
// The virtual printer's resolution: the PDF's device pixels are its dots.
constexpr int kPdfDpi = 600;
// Page files are a few megabytes at most; anything far larger is refused
// before it is read.
constexpr std::uintmax_t kMaxPageBytes = 512u << 20;
// After this many messages about missing files one more sums up the rest.
constexpr int kMaxMissingMessages = 20;

struct PageFile {
  std::string path;   // as the file system opens it
  std::string shown;  // as the user knows it (the stored path, UTF-8)
};

bool isDecimal(const std::string& s) {
  return !s.empty() && s.size() <= 9 &&
         std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool readPage(const std::string& path, std::vector<uint8_t>& bytes) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  if (ec || size > kMaxPageBytes) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

std::vector<std::string> pageFileStems(const std::string& dir) {
  std::vector<std::string> stems;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(dir.empty() ? "." : dir, ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() < 5) continue;
    std::string ext = name.substr(name.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (ext == ".emf") stems.push_back(name.substr(0, name.size() - 4));
  }
  return stems;
}

PressResult press(QPagedPaintDevice& device, const std::vector<PageFile>& pages,
                  const std::string& deviceCaption, QPageSize::SizeMatchPolicy match) {
  PressResult result;
  QPainter painter;
  for (const PageFile& page : pages) {
    std::vector<uint8_t> bytes;
    if (!readPage(page.path, bytes)) {
      if (++result.missing <= kMaxMissingMessages) platform::messageBox("パスが見つかりません。", page.shown);
      continue;
    }
    const auto size = platform::player::emfSizeMm(bytes);
    if (!size) {
      ++result.unreadable;
      platform::messageBox("ページファイルを読めません。", page.shown);
      continue;
    }
    const QPageLayout layout(QPageSize(*size, QPageSize::Millimeter, QString(), match),
                             QPageLayout::Portrait, QMarginsF());
    device.setPageLayout(layout);
    const bool open = painter.isActive() ? device.newPage() : painter.begin(&device);
    if (!open) {
      result.deviceFailed = true;
      platform::messageBox("出力先を開けません。", deviceCaption);
      break;
    }
    platform::player::paintEmf(painter, bytes, QRectF(0, 0, device.width(), device.height()));
    ++result.printed;
  }
  if (painter.isActive()) painter.end();
  if (result.missing > kMaxMissingMessages) {
    char text[128];
    std::snprintf(text, sizeof text, "ほかに %d 個のページファイルが見つかりません。",
                  result.missing - kMaxMissingMessages);
    platform::messageBox(text, kCaption);
  }
  return result;
}

}  // namespace

std::optional<Request> parseRequest(const std::vector<std::string>& args) {
  std::string joined;
  for (const std::string& a : args) joined += a + " ";
  std::istringstream words(joined);
  Request r;
  if (!(words >> r.first >> r.last)) return std::nullopt;
  return r;
}

std::vector<std::string> pageNamesInRange(const std::string& first, const std::string& last,
                                          const std::vector<std::string>& existing) {
  std::vector<std::string> names;
  if (isDecimal(first) && isDecimal(last)) {
    const long a = std::stol(first), b = std::stol(last);
    if (b < a || static_cast<size_t>(b - a) >= kMaxPages) return names;
    const int width = static_cast<int>(std::max<size_t>(first.size(), 4));
    for (long n = a; n <= b; ++n) {
      char name[16];
      std::snprintf(name, sizeof name, "%0*ld", width, n);
      names.push_back(name);
    }
    return names;
  }
  for (const std::string& e : existing) {
    if (first <= e && e <= last) names.push_back(e);
  }
  std::sort(names.begin(), names.end());
  if (names.size() > kMaxPages) names.clear();
  return names;
}

PressResult pressPages(QPagedPaintDevice& device, const std::vector<std::string>& pagePaths,
                       const std::string& deviceCaption) {
  std::vector<PageFile> pages;
  for (const std::string& p : pagePaths) pages.push_back({p, p});
  return press(device, pages, deviceCaption, QPageSize::ExactMatch);
}

int runSheetpress(const std::vector<std::string>& args, const std::string& printerEntry) {
  const auto request = parseRequest(args);
  if (!request) {
    platform::messageBox("印刷するページの範囲がありません。", kCaption);
    return 1;
  }
  std::ifstream winprm(settings::settingsFilePath("", settings::kWinprm), std::ios::binary);
  if (!winprm) {
    platform::messageBox("パスが見つかりません。", "WINPRM.CFG");
    return 1;
  }
  settings::RenderSettings s;
  settings::readWinprm(winprm, s);
  const std::string& dataDir = s.dataDir;  // CP932, ends with its separator

  std::vector<std::string> existing;
  if (!isDecimal(request->first) || !isDecimal(request->last)) {
    existing = pageFileStems(settings::openablePath(dataDir));
  }
  std::vector<PageFile> pages;
  for (const std::string& name : pageNamesInRange(request->first, request->last, existing)) {
    const std::string stored = dataDir + name + ".emf";
    pages.push_back({settings::openablePath(stored), platform::cp932ToUtf8Lossy(stored)});
  }

  const std::string deviceName = printerEntry.substr(0, printerEntry.find(','));
  PressResult result;
  // An empty device entry names no printer: a printer error, as platemaker
  // reports it, rather than a PDF nobody asked for.
  if (platform::isVirtualPrinter(deviceName)) {
    const std::string stored = dataDir + request->first + "-" + request->last + ".pdf";
    QPdfWriter pdf(QString::fromStdString(settings::openablePath(stored)));
    pdf.setResolution(kPdfDpi);
    pdf.setCreator(QStringLiteral("sheetpress"));
    pdf.setTitle(QString::fromStdString(request->first + "-" + request->last));
    result = press(pdf, pages, platform::cp932ToUtf8Lossy(stored), QPageSize::ExactMatch);
  } else {
    const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(deviceName));
    QPrinter printer(info, QPrinter::HighResolution);
    if (info.isNull() || !printer.isValid()) {
      platform::messageBox(deviceName, "プリンターデバイスエラー");
      return 1;
    }
    printer.setFullPage(true);
    printer.setDocName(QString::fromStdString("sheetpress " + request->first + "-" + request->last));
    // A printer takes its media by name: a page within a hair of a standard
    // size is printed on that size.
    result = press(printer, pages, deviceName, QPageSize::FuzzyMatch);
  }
  if (result.printed > 0) return 0;
  if (!result.deviceFailed) platform::messageBox("印刷できるページファイルがありません。", kCaption);
  return 1;
}

}  // namespace kumi::sheetpress
