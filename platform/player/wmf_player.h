#pragma once
// Playing a Windows Metafile onto a drawing device, as PlayMetaFile does.
//
// A WMF is a list of GDI calls; each record becomes the same call on the
// DeviceContext (platform/emf/device_context.h), so playing one into a page
// metafile (the EMF writer) records what GDI would record, and playing one
// onto a painter goes through the EMF writer and the EMF player (player.h).
// Where a page places the picture is the caller's business, the way the
// image drawing sets an anisotropic mapping and a viewport before it plays:
// the metafile's own window settings then map it onto that viewport.
//
// Calls the device interface has no word for are made of the ones it has:
// arcs, chords and pies become polylines and polygons, clip rectangles
// become clip paths, PatBlt a rectangle with a null pen, a polygon set a
// path. Objects are numbered the WMF way (the lowest free slot). Text keeps
// its bytes when the font's character set is Japanese (or the default);
// text of other character sets is converted to code page 932 as far as it
// goes. The bytes are untrusted (see wmf_reader.h); records the player does
// not know are skipped.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/emf/device_context.h"
#include "platform/player/wmf_reader.h"

namespace kumi::platform::player {

struct WmfPicture {
  std::optional<wmf::Placeable> placeable;
  // The logical box of the picture: the first window origin and extent the
  // records set, else the placeable header's box. Absent when neither says.
  std::optional<Rect> box;
};

std::optional<WmfPicture> readWmfPicture(std::span<const uint8_t> wmf,
                                         std::string* error = nullptr);

struct WmfPlayResult {
  bool ok = false;        // the bytes were a WMF
  size_t records = 0;
  bool complete = false;  // the walk reached META_EOF
  std::string error;
};

WmfPlayResult playWmf(std::span<const uint8_t> wmf, DeviceContext& dc);

// The Enhanced Metafile GDI would record when the WMF is played into a
// picture `widthMm` × `heightMm` large: an anisotropic mapping whose
// viewport is the picture and whose window is the WMF's box (readWmfPicture).
// This is how a WMF reaches a painter (player.h).
std::optional<std::vector<uint8_t>> wmfToEmf(std::span<const uint8_t> wmf, double widthMm,
                                             double heightMm, std::string* error = nullptr);

}  // namespace kumi::platform::player
