#pragma once
// Playing an Enhanced Metafile: records in, finished drawing out.
//
// EmfPlayer walks the records with platform/emf's RecordLoop and keeps the
// device context as GDI keeps it while playing a metafile: the mapping
// (GdiState: map mode, window and viewport, world transform), the object
// table, selected font, pen, brush and palette, colours and modes, the
// current position, the path being built and the save stack. Every drawing
// record becomes canvas calls in output-device coordinates (canvas.h).
//
// Placement: the metafile's own device is its reference device (header);
// its frame (0.01 mm) is put where `frameToDevice` says, the way
// PlayEnhMetaFile maps the frame onto its destination rectangle.
//
// What a caller may rely on: the bytes are untrusted. A malformed record ends
// the walk (what was drawn stays), a record too short for its type or with
// values out of range is skipped, unknown records are skipped, and no
// geometry that is not finite reaches the canvas. Work is bounded by the
// size of the file.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/emf/device_context.h"
#include "platform/emf/gdi_types.h"
#include "platform/player/canvas.h"
#include "platform/player/geometry.h"

namespace kumi::platform::player {

// What the header says about the picture.
struct PictureInfo {
  Rect frame;                 // 0.01 mm
  Rect bounds;                // reference-device pixels, inclusive
  ReferenceDevice reference;  // pixels, millimetres and micrometres
  uint32_t records = 0;
  std::u16string description;
  // In double: the frame comes from the file and its sides may be any 32-bit values.
  double widthMm() const { return (static_cast<double>(frame.right) - frame.left) / 100.0; }
  double heightMm() const { return (static_cast<double>(frame.bottom) - frame.top) / 100.0; }
};

// The header of an Enhanced Metafile; nullopt (and the reason) when the
// bytes are not one, or when it describes no picture (an empty frame and no
// reference device to fall back on).
std::optional<PictureInfo> readPictureInfo(std::span<const uint8_t> emf,
                                           std::string* error = nullptr);

// The map that puts a picture's frame, in 0.01 mm, onto a device rectangle
// (left, top, width, height in device pixels).
Affine frameOnto(const PictureInfo& info, double left, double top, double width, double height);

struct PlayResult {
  bool ok = false;        // the file was an EMF and was played (perhaps only in part)
  size_t records = 0;     // records played
  bool complete = false;  // the walk reached EMR_EOF
  std::string error;      // why the walk stopped early, if it did
};

// Plays the records up to and including `lastRecord` (0 is the header).
PlayResult playEmf(std::span<const uint8_t> emf, Canvas& canvas, const Affine& frameToDevice,
                   size_t lastRecord = SIZE_MAX);

}  // namespace kumi::platform::player
