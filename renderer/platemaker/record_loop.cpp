#include "renderer/platemaker/record_loop.h"

#include "platform/base/cp932.h"
#include "platform/base/message_box.h"
#include "renderer/platemaker/page_name.h"
#include "renderer/settings/settings_names.h"

namespace kumi::renderer {
namespace {

constexpr const char* kPathNotFound = "パスが見つかりません。";
constexpr std::string_view kPageDescription = "kumidesk 組版ページ";

bool readRecord(std::istream& in, pagefile::RecordBytes& r) {
  in.read(reinterpret_cast<char*>(r.data()), static_cast<std::streamsize>(r.size()));
  return in.gcount() == static_cast<std::streamsize>(r.size());
}

// The open page: its name, its metafile and the context the drawing parts get.
class PageRun {
 public:
  PageRun(const PageGeometry& geometry, char runMode, const settings::RenderSettings& settings,
          RecordHandlers& handlers, StatusSink& status, const PageFactory& pages,
          RecordLoopResult& result)
      : geometry_(geometry), runMode_(runMode), settings_(settings), handlers_(handlers),
        status_(status), pages_(pages), result_(result) {}
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
    writer_ = pages_(settings::openablePath(path_), geometry_, &error);
    if (!writer_) {
      pageFailed();
      return;
    }
    handlers_.pageOpened(context());
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
    platform::messageBox(kPathNotFound, platform::cp932ToUtf8Lossy(path_));
  }

  const PageGeometry& geometry_;
  const char runMode_;
  const settings::RenderSettings& settings_;
  RecordHandlers& handlers_;
  StatusSink& status_;
  const PageFactory& pages_;
  RecordLoopResult& result_;
  bool open_ = false;
  std::string current_;
  std::string path_;
  std::unique_ptr<platform::EmfWriter> writer_;
};

}  // namespace

PageFactory pageFilesOnDisk() {
  return [](const std::string& path, const PageGeometry& geometry, std::string* error) {
    return platform::EmfWriter::create(path, geometry.reference, geometry.frame(),
                                       kPageDescription, error);
  };
}

std::string pageStartText(std::string_view pageName) {
  return platform::cp932ToUtf8Lossy(pageName) + " ページ処理開始";
}

RecordLoopResult runRecordLoop(std::istream& sk, const PageGeometry& geometry, char runMode,
                               const settings::RenderSettings& settings, RecordHandlers& handlers,
                               StatusSink& status, const PageFactory& pages) {
  RecordLoopResult result;
  PageRun page(geometry, runMode, settings, handlers, status, pages, result);
  for (pagefile::RecordBytes r; readRecord(sk, r);) {
    normalisePageName(r);
    applyMarginShift(r, geometry.shiftX(), geometry.shiftY());
    const std::string name(r.begin(), r.begin() + 4);
    if (!page.isOpen()) {
      result.firstPage = name;
      page.open(name);
    } else if (name != page.current()) {
      page.close();
      page.open(name);
    }
    result.lastRead = name;
    page.draw(r);
  }
  page.close();
  return result;
}

}  // namespace kumi::renderer
