#pragma once
// The drawing parts behind the record loop: characters, rules and shapes
// now; images later.
#include <optional>

#include "renderer/drawing/character_drawing.h"
#include "renderer/platemaker/record_handlers.h"
#include "renderer/shapes/shape_drawer.h"

namespace kumi::renderer {

class PageDrawing final : public RecordHandlers {
 public:
  PageDrawing();
  ~PageDrawing() override;

  void pageOpened(const DrawingContext& ctx) override;
  void character(const pagefile::RecordBytes& r, const DrawingContext& ctx) override;

  void ruleAttributes(const pagefile::RecordBytes& r, const DrawingContext& ctx) override;
  void shape(const pagefile::RecordBytes& r, const DrawingContext& ctx) override;
  // Images (G1 position, G2 size and drawing, G3 file name) are not drawn
  // yet: these handlers are the seam where their part plugs in, and until
  // then they skip the record and count it.
  void imagePlace(const pagefile::RecordBytes& r, const DrawingContext& ctx) override;
  void imageSize(const pagefile::RecordBytes& r, const DrawingContext& ctx) override;
  void imageName(const pagefile::RecordBytes& r, const DrawingContext& ctx) override;
  void runEnded(char runMode) override;

  int skippedImageRecords() const { return skippedImages_; }

 private:
  // The settings as character drawing takes them, made once per run.
  const drawing::CharacterSettings& characterSettings(const settings::RenderSettings& s);

  drawing::CharacterDrawer characters_;
  std::optional<drawing::CharacterSettings> characterSettings_;
  // Kept for the whole run: rule attributes carry across pages, and
  // bordered characters borrow their width and outline colour.
  shapes::ShapeDrawer shapes_;
  int skippedImages_ = 0;
};

}  // namespace kumi::renderer
