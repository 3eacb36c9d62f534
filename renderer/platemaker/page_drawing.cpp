#include "renderer/platemaker/page_drawing.h"

namespace kumi::renderer {

PageDrawing::PageDrawing() = default;
PageDrawing::~PageDrawing() = default;

void PageDrawing::pageOpened(const DrawingContext&) {}

// Characters reach the page once the character drawing library is linked in.
void PageDrawing::character(const pagefile::RecordBytes&, const DrawingContext&) {}

void PageDrawing::ruleAttributes(const pagefile::RecordBytes&, const DrawingContext&) { ++skippedRules_; }
void PageDrawing::shape(const pagefile::RecordBytes&, const DrawingContext&) { ++skippedRules_; }
void PageDrawing::imagePlace(const pagefile::RecordBytes&, const DrawingContext&) { ++skippedImages_; }
void PageDrawing::imageSize(const pagefile::RecordBytes&, const DrawingContext&) { ++skippedImages_; }
void PageDrawing::imageName(const pagefile::RecordBytes&, const DrawingContext&) { ++skippedImages_; }

// No mask-pair image files exist until images are drawn.
void PageDrawing::runEnded(char) {}

}  // namespace kumi::renderer
