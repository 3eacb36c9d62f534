#include "renderer/platemaker/record_handlers.h"

namespace kumi::renderer {

void dispatchRecord(RecordHandlers& handlers, const pagefile::RecordBytes& r,
                    const DrawingContext& ctx) {
  using pagefile::RecordKind;
  switch (pagefile::kindOf(r)) {
    case RecordKind::ShapeColours: handlers.ruleAttributes(r, ctx); return;
    case RecordKind::Shape: handlers.shape(r, ctx); return;
    case RecordKind::ImagePlace: handlers.imagePlace(r, ctx); return;
    case RecordKind::ImageSize: handlers.imageSize(r, ctx); return;
    case RecordKind::ImageName: handlers.imageName(r, ctx); return;
    case RecordKind::Character: handlers.character(r, ctx); return;
  }
}

}  // namespace kumi::renderer
