#pragma once
// The hand-off from the record loop to the drawing parts.
//
// The loop calls exactly one handler per record, with the record already
// normalised and shifted and the page's device context prepared. Characters
// are drawn by renderer/drawing; rules and shapes (K1, K2) and images (G1,
// G2, G3) come later and are skipped by the default handlers until then.
#include "engine/pagefile/page_record.h"
#include "platform/emf/device_context.h"
#include "renderer/platemaker/page_geometry.h"
#include "renderer/settings/render_settings.h"

namespace kumi::renderer {

// What every drawing part receives besides the record.
struct DrawingContext {
  platform::DeviceContext& dc;
  const PageGeometry& geometry;  // PW, PH, OX, OY, PageScale, divisor, correction
  char runMode;
  const settings::RenderSettings& settings;
};

class RecordHandlers {
 public:
  virtual ~RecordHandlers() = default;

  // A page metafile was opened: whatever a part caches per page (the
  // character font) is forgotten.
  virtual void pageOpened(const DrawingContext& ctx) = 0;
  virtual void character(const pagefile::RecordBytes& r, const DrawingContext& ctx) = 0;
  virtual void ruleAttributes(const pagefile::RecordBytes& r, const DrawingContext& ctx) = 0;  // K2
  virtual void shape(const pagefile::RecordBytes& r, const DrawingContext& ctx) = 0;           // K1
  virtual void imagePlace(const pagefile::RecordBytes& r, const DrawingContext& ctx) = 0;      // G1
  virtual void imageSize(const pagefile::RecordBytes& r, const DrawingContext& ctx) = 0;       // G2
  virtual void imageName(const pagefile::RecordBytes& r, const DrawingContext& ctx) = 0;       // G3
  // The run is over (all pages closed): a batch run deletes its mask-pair
  // image files here.
  virtual void runEnded(char runMode) = 0;
};

// Sends a record to its handler by bytes 23-24.
void dispatchRecord(RecordHandlers& handlers, const pagefile::RecordBytes& r,
                    const DrawingContext& ctx);

}  // namespace kumi::renderer
