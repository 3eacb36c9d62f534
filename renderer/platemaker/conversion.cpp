#include "renderer/platemaker/conversion.h"

#include <cstdio>
#include <fstream>
#include <memory>

#include "platform/base/cp932.h"
#include "platform/base/message_box.h"
#include "platform/emf/emf_writer.h"
#include "renderer/platemaker/follow_up.h"
#include "renderer/platemaker/page_name.h"
#include "renderer/platemaker/reference_printer.h"
#include "renderer/platemaker/run_mode.h"
#include "renderer/settings/page_range_file.h"
#include "renderer/settings/settings_names.h"

namespace kumi::renderer {
namespace {

using Status = ConversionResult::Status;

constexpr const char* kPathNotFound = "パスが見つかりません。";
constexpr std::string_view kPageDescription = "kumidesk 組版ページ";
constexpr const char* kSpooling = "スプーリング中です。..";
constexpr const char* kFinished = "出力変換終了しました。";

std::string shown(std::string_view cp932) { return platform::cp932ToUtf8Lossy(cp932); }

bool readRecord(std::istream& in, pagefile::RecordBytes& r) {
  in.read(reinterpret_cast<char*>(r.data()), static_cast<std::streamsize>(r.size()));
  return in.gcount() == static_cast<std::streamsize>(r.size());
}

// The open page: its name, its metafile and the context the drawing parts
// get. A page whose file cannot be created is reported and its records are
// skipped; the run goes on with the next page.
class PageRun {
 public:
  PageRun(const PageGeometry& geometry, char runMode, const settings::RenderSettings& settings,
          RecordHandlers& handlers, StatusSink& status, ConversionResult& result)
      : geometry_(geometry), runMode_(runMode), settings_(settings), handlers_(handlers),
        status_(status), result_(result) {}
  ~PageRun() { close(); }

  bool isOpen() const { return open_; }
  const std::string& current() const { return current_; }

  void open(const std::string& name) {
    open_ = true;
    current_ = name;
    result_.lastOpenedPage = name;
    status_.show(pageStartText(name));
    ++result_.pageCount;
    path_ = settings_.dataDir + name + ".emf";
    std::string error;
    writer_ = platform::EmfWriter::create(settings::openablePath(path_), geometry_.reference,
                                          geometry_.frame(), kPageDescription, &error);
    if (!writer_) {
      pageFailed();
      return;
    }
    const DrawingContext ctx = context();
    handlers_.pageOpened(ctx);
    writer_->setMapMode(geometry_.mapMode());
    writer_->setBkMode(platform::BkMode::Transparent);
    paintSheetWhite();
  }

  void draw(const pagefile::RecordBytes& r) {
    if (writer_) dispatchRecord(handlers_, r, context());
  }

  void close() {
    if (writer_ && !writer_->close()) pageFailed();
    writer_.reset();
    open_ = false;
  }

 private:
  DrawingContext context() const { return {*writer_, geometry_, runMode_, settings_}; }

  void paintSheetWhite() {
    using platform::StockObject;
    const auto oldBrush = writer_->selectObject(platform::stockObject(StockObject::WhiteBrush));
    const auto oldPen = writer_->selectObject(platform::stockObject(StockObject::NullPen));
    writer_->rectangle(geometry_.logicalSheet());
    writer_->selectObject(oldPen);
    writer_->selectObject(oldBrush);
  }

  void pageFailed() {
    result_.pageWriteFailed = true;
    platform::messageBox(kPathNotFound, shown(path_));
  }

  const PageGeometry& geometry_;
  const char runMode_;
  const settings::RenderSettings& settings_;
  RecordHandlers& handlers_;
  StatusSink& status_;
  ConversionResult& result_;
  bool open_ = false;
  std::string current_;
  std::string path_;
  std::unique_ptr<platform::EmfWriter> writer_;
};

Status missing(const std::string& storedPath) {
  platform::messageBox(kPathNotFound, shown(storedPath));
  return Status::MissingFile;
}

}  // namespace

int ConversionResult::exitStatus() const {
  return status == Status::MissingFile || pageWriteFailed ? 1 : 0;
}

std::string pageStartText(std::string_view pageName) {
  return shown(pageName) + " ページ処理開始";
}

ConversionResult convert(char runMode, RecordHandlers& handlers, StatusSink& status) {
  ConversionResult result;
  const auto printer = openReferencePrinter();
  if (!printer) {
    result.status = Status::PrinterError;
    return result;
  }
  const PageGeometry& geometry = printer->geometry;
  settings::RenderSettings& settings = result.settings;
  if (!settings::loadRenderSettings(geometry.mode, settings).ok) {
    result.status = Status::MissingFile;
    return result;
  }

  const std::string skPath = settings.dataDir + "sk.dat";
  std::ifstream sk(settings::openablePath(skPath), std::ios::binary);
  if (!sk) {
    result.status = missing(skPath);
    return result;
  }
  const std::string rangePath = settings.programDir + std::string(settings::kWinpage);
  settings::PageRangeWriter range;
  if (!range.create(settings::settingsFilePath(settings.programDir, settings::kWinpage))) {
    result.status = missing(rangePath);
    return result;
  }

  std::string lastRead;
  {
    PageRun page(geometry, runMode, settings, handlers, status, result);
    for (pagefile::RecordBytes r; readRecord(sk, r);) {
      normalisePageName(r);
      applyMarginShift(r, geometry.shiftX(), geometry.shiftY());
      const std::string name(r.begin(), r.begin() + 4);
      if (!page.isOpen()) {
        result.firstPage = name;
        range.setFirst(name);
        page.open(name);
      } else if (name != page.current()) {
        page.close();
        page.open(name);
      }
      lastRead = name;
      page.draw(r);
    }
  }

  // The range is in place before anything is started that may read it.
  if (!range.finish(lastRead)) result.status = missing(rangePath);
  if (settings.directPrint == '1') {
    status.show(kSpooling);
    runPrintProgram(settings.programDir, result.firstPage, result.lastOpenedPage);
  }
  if (runMode != kBatchMode) status.show(kFinished);
  handlers.runEnded(runMode);
  return result;
}

}  // namespace kumi::renderer
