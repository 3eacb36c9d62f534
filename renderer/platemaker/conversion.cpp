#include "renderer/platemaker/conversion.h"

#include <filesystem>
#include <fstream>

#include "platform/base/cp932.h"
#include "platform/base/message_box.h"
#include "renderer/platemaker/follow_up.h"
#include "renderer/platemaker/record_loop.h"
#include "renderer/platemaker/reference_printer.h"
#include "renderer/platemaker/run_mode.h"
#include "renderer/settings/page_range_file.h"
#include "renderer/settings/settings_names.h"

namespace kumi::renderer {
namespace {

using Status = ConversionResult::Status;

constexpr const char* kPathNotFound = "パスが見つかりません。";
constexpr const char* kSpooling = "スプーリング中です。..";
constexpr const char* kFinished = "出力変換終了しました。";

std::string shown(std::string_view cp932) { return platform::cp932ToUtf8Lossy(cp932); }

Status missing(const std::string& storedPath) {
  platform::messageBox(kPathNotFound, shown(storedPath));
  return Status::MissingFile;
}

}  // namespace

int ConversionResult::exitStatus() const {
  return status == Status::MissingFile || pageWriteFailed ? 1 : 0;
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
  const std::string skOpenable = settings::openablePath(skPath);
  std::ifstream sk(skOpenable, std::ios::binary);
  // A folder opens here and reads as empty: it must not pass for a run
  // without records, which would overwrite the last page range.
  std::error_code ec;
  if (!sk || std::filesystem::is_directory(skOpenable, ec)) {
    result.status = missing(skPath);
    return result;
  }
  const std::string rangePath = settings.programDir + std::string(settings::kWinpage);
  settings::PageRangeWriter range;
  if (!range.create(settings::settingsFilePath(settings.programDir, settings::kWinpage))) {
    result.status = missing(rangePath);
    return result;
  }

  const RecordLoopResult loop =
      runRecordLoop(sk, geometry, runMode, settings, handlers, status, pageFilesOnDisk());
  result.pageCount = loop.pageCount;
  result.firstPage = loop.firstPage;
  result.lastOpenedPage = loop.lastOpenedPage;
  result.pageWriteFailed = loop.pageWriteFailed;

  // The range is in place before anything is started that may read it.
  if (loop.pageCount > 0) range.setFirst(loop.firstPage);
  if (!range.finish(loop.lastRead)) result.status = missing(rangePath);
  if (settings.directPrint == '1') {
    status.show(kSpooling);
    runPrintProgram(settings.programDir, result.firstPage, result.lastOpenedPage);
  }
  if (runMode != kBatchMode) status.show(kFinished);
  handlers.runEnded(runMode);
  return result;
}

}  // namespace kumi::renderer
