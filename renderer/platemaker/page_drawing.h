#pragma once
// The drawing parts behind the record loop: characters now; rules, shapes
// and images later.
#include <optional>

#include "renderer/drawing/character_drawing.h"
#include "renderer/platemaker/record_handlers.h"

namespace kumi::renderer {

class PageDrawing final : public RecordHandlers {
 public:
  PageDrawing();
  ~PageDrawing() override;

  void pageOpened(const DrawingContext& ctx) override;
  void character(const pagefile::RecordBytes& r, const DrawingContext& ctx) override;

  // Rules and shapes (K2 attributes, K1 shapes) and images (G1 position,
  // G2 size and drawing, G3 file name) are not drawn yet: these handlers are
  // the seam where their parts plug in, and until then they skip the record
  // and count it.
  void ruleAttributes(const pagefile::RecordBytes& r, const DrawingContext& ctx) override;
  void shape(const pagefile::RecordBytes& r, const DrawingContext& ctx) override;
  void imagePlace(const pagefile::RecordBytes& r, const DrawingContext& ctx) override;
  void imageSize(const pagefile::RecordBytes& r, const DrawingContext& ctx) override;
  void imageName(const pagefile::RecordBytes& r, const DrawingContext& ctx) override;
  void runEnded(char runMode) override;

  int skippedRuleRecords() const { return skippedRules_; }
  int skippedImageRecords() const { return skippedImages_; }

 private:
  // The settings as character drawing takes them, made once per run.
  const drawing::CharacterSettings& characterSettings(const settings::RenderSettings& s);

  drawing::CharacterDrawer characters_;
  std::optional<drawing::CharacterSettings> characterSettings_;
  // The rule width and outline colour of bordered characters come from the
  // rules' state; until rule records are drawn it stays as before any K2:
  // width 0, black.
  drawing::RuleOutline outline_;
  int skippedRules_ = 0;
  int skippedImages_ = 0;
};

}  // namespace kumi::renderer
