#pragma once
// The drawing parts behind the record loop: characters, rules and shapes,
// images.
#include <optional>

#include "renderer/drawing/character_drawing.h"
#include "renderer/images/image_drawer.h"
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
  // Images: G1 position and mode, G2 size and drawing, G3 file name.
  void imagePlace(const pagefile::RecordBytes& r, const DrawingContext& ctx) override;
  void imageSize(const pagefile::RecordBytes& r, const DrawingContext& ctx) override;
  void imageName(const pagefile::RecordBytes& r, const DrawingContext& ctx) override;
  // A batch run deletes its mask-pair image files.
  void runEnded(char runMode) override;

 private:
  // The settings as character drawing takes them, made once per run.
  const drawing::CharacterSettings& characterSettings(const settings::RenderSettings& s);

  drawing::CharacterDrawer characters_;
  std::optional<drawing::CharacterSettings> characterSettings_;
  // Kept for the whole run: rule attributes carry across pages, and
  // bordered characters borrow their width and outline colour.
  shapes::ShapeDrawer shapes_;
  // The image placement outlives pages, as the mask-pair list does the run.
  images::ImageDrawer images_;
};

}  // namespace kumi::renderer
