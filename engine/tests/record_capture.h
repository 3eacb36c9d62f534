#pragma once
// Runs calls on an Engine inside a scratch run directory and returns what
// they wrote to sk.dat, as skdump lines.
#include <string>
#include <vector>

#include "call_builder.h"
#include "engine/core/engine.h"
#include "engine/pagefile/page_file_reader.h"
#include "run_dir.h"
#include "tools/skdump/skdump_format.h"

namespace kumi::engine::testing {

class RecordCapture {
 public:
  explicit RecordCapture(const std::string& name) : run_(name) {
    run_.writeWinprm(run_.windowsPath());
    CallBuilder open;
    open.command = "O ";
    engine_.call(open.args());
  }

  Engine& engine() { return engine_; }
  int32_t call(CallBuilder& b) { return engine_.call(b.args()); }

  // Closes the run and returns the records, one skdump line each.
  std::vector<std::string> closeAndDump() {
    CallBuilder close;
    close.command = "C ";
    engine_.call(close.args());
    pagefile::PageFileContents contents;
    pagefile::readPageFile(run_.skDat().string(), contents);
    std::vector<std::string> lines;
    for (const auto& r : contents.records) lines.push_back(tools::formatRecord(r));
    return lines;
  }

 private:
  RunDirectory run_;
  Engine engine_;
};

}  // namespace kumi::engine::testing
