#pragma once
// Handlers that remember what the record loop handed them.
#include <string>
#include <vector>

#include "renderer/platemaker/record_handlers.h"

namespace kumi::renderer::testing {

struct Handed {
  std::string call;  // "page", "char", "K1", "K2", "G1", "G2", "G3", "end"
  pagefile::RecordBytes record{};
  settings::PageMode mode = settings::PageMode::Standard;
  char runMode = '\0';
};

class RecordingHandlers final : public RecordHandlers {
 public:
  std::vector<Handed> calls;
  std::vector<std::string> callNames() const {
    std::vector<std::string> names;
    for (const Handed& h : calls) names.push_back(h.call);
    return names;
  }

  void pageOpened(const DrawingContext& ctx) override { add("page", {}, ctx); }
  void character(const pagefile::RecordBytes& r, const DrawingContext& ctx) override { add("char", r, ctx); }
  void ruleAttributes(const pagefile::RecordBytes& r, const DrawingContext& ctx) override { add("K2", r, ctx); }
  void shape(const pagefile::RecordBytes& r, const DrawingContext& ctx) override { add("K1", r, ctx); }
  void imagePlace(const pagefile::RecordBytes& r, const DrawingContext& ctx) override { add("G1", r, ctx); }
  void imageSize(const pagefile::RecordBytes& r, const DrawingContext& ctx) override { add("G2", r, ctx); }
  void imageName(const pagefile::RecordBytes& r, const DrawingContext& ctx) override { add("G3", r, ctx); }
  void runEnded(char runMode) override {
    Handed h;
    h.call = "end";
    h.runMode = runMode;
    calls.push_back(h);
  }

 private:
  void add(const char* call, const pagefile::RecordBytes& r, const DrawingContext& ctx) {
    calls.push_back(Handed{call, r, ctx.geometry.mode, ctx.runMode});
  }
};

}  // namespace kumi::renderer::testing
