#pragma once
// Where each glyph of an ExtTextOut goes, as GDI places it.
//
// Glyph space is the font's em square in em units: x to the right from the
// glyph's origin, y down from the baseline. A run lays its glyphs along the
// baseline of text space (canvas.h TextRun) one advance after the other, then
// moves the whole run for the text alignment: horizontally by its width,
// vertically by the em box (the faces pages name have a cell as high as
// their em, so the box is the em square split at the baseline).
//
// A glyph of a vertical ("@") face that is full-width is turned a quarter
// turn to the left inside its cell: its top faces the start of the run, its
// em square fills the cell exactly. Half-width glyphs of such a face lie on
// the baseline like any other.
#include <cstddef>
#include <span>
#include <vector>

#include "platform/player/canvas.h"
#include "platform/player/geometry.h"

namespace kumi::platform::player {

// The em box of a face as fractions of the em: ascent above the baseline,
// descent below; they add up to 1 for the faces pages use.
struct EmBox {
  double ascent = 0.88;
  double descent = 0.12;
};

struct GlyphSlot {
  size_t firstUnit = 0;  // the UTF-16 unit the glyph starts at in the run's text
  size_t units = 1;      // 2 for a surrogate pair
  double advance = 1;    // the font's own advance, em units (unstretched)
  bool turned = false;   // a full-width glyph of a vertical face
};

// GDI's slant for an italic it has to make itself.
inline constexpr double kSyntheticSlant = 0.2;

struct RunLayout {
  std::vector<Affine> glyphToText;  // one per slot
  double left = 0;                  // the box of the run in text space
  double right = 0;
  double top = 0;
  double bottom = 0;
  double penEnd = 0;                // the advance of the whole run
  Path decorations;                 // underline and strike-out bars, text space
};

RunLayout layoutRun(const TextRun& run, const EmBox& box, std::span<const GlyphSlot> glyphs,
                    bool slant);

// The advance of the run without alignment: its own advances when it has
// them, else the glyphs' stretched advances.
double runAdvance(const TextRun& run, std::span<const GlyphSlot> glyphs);

}  // namespace kumi::platform::player
