#pragma once
// Playing an Enhanced Metafile into a rectangle of another drawing device,
// as PlayEnhMetaFile does when a page places a picture: the picture's frame
// fills the rectangle (logical units of the device; a rectangle given
// bottom-up turns the picture the right way up on a y-up page).
//
// The interpreter resolves the picture's own mapping, world transform and
// objects; what reaches the device are plain calls in its logical space:
// paths as polygons and polylines inside path brackets, pens and brushes
// made for each shape, text with the font it comes to (height, width and
// escapement), bitmaps that lie straight as StretchDIBits, pixels. The
// device's own state is saved before and restored after. Not carried over:
// text inside the picture's path brackets (no glyph outlines without a font
// system) and bitmaps the picture turns or shears.
#include <cstdint>
#include <span>
#include <string>

#include "platform/emf/device_context.h"
#include "platform/player/emf_player.h"

namespace kumi::platform::player {

PlayResult playEmfInto(std::span<const uint8_t> emf, DeviceContext& dc, const Rect& logicalBox);

}  // namespace kumi::platform::player
