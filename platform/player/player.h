#pragma once
// Playing metafiles onto a QPainter: what the viewer, the print program and
// the page exporter call.
//
// An Enhanced Metafile is played so that its frame fills the target
// rectangle (painter coordinates), as PlayEnhMetaFile does; a Windows
// Metafile so that its window (or, lacking one, its placeable header's box)
// fills it. Any painter will do: image, widget, printer, PDF. The painter's
// state is left as it was found.
//
// The bytes are untrusted: a file that is no metafile of its kind gives
// false and a reason; a damaged one draws as far as it is sound.
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QSizeF>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace kumi::platform::player {

class FontBook;

struct PaintOptions {
  bool antialias = false;        // smooth shapes; GDI draws them hard-edged
  FontBook* fonts = nullptr;     // nullptr: the process's font book
};

bool paintEmf(QPainter& painter, std::span<const uint8_t> emf, const QRectF& target,
              const PaintOptions& options = {}, std::string* error = nullptr);
bool paintWmf(QPainter& painter, std::span<const uint8_t> wmf, const QRectF& target,
              const PaintOptions& options = {}, std::string* error = nullptr);
// Either kind, told apart by their first bytes.
bool paintMetafile(QPainter& painter, std::span<const uint8_t> bytes, const QRectF& target,
                   const PaintOptions& options = {}, std::string* error = nullptr);

// The size of an Enhanced Metafile's frame, millimetres.
std::optional<QSizeF> emfSizeMm(std::span<const uint8_t> emf, std::string* error = nullptr);

// A page file as an image at `dpi`: the frame's size at that resolution on
// white paper. nullopt (and a reason) when the bytes are no EMF or the image
// would be unreasonably large.
std::optional<QImage> renderEmf(std::span<const uint8_t> emf, double dpi,
                                const PaintOptions& options = {}, std::string* error = nullptr);

}  // namespace kumi::platform::player
