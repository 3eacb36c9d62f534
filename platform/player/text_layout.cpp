#include "platform/player/text_layout.h"

#include "platform/emf/gdi_types.h"

namespace kumi::platform::player {
namespace {

double slotAdvance(const TextRun& run, const GlyphSlot& g) {
  if (run.advances.empty()) return g.advance * run.em * run.widthScale;
  double a = 0;
  for (size_t u = g.firstUnit; u < g.firstUnit + g.units && u < run.advances.size(); ++u) {
    a += run.advances[u];
  }
  return a;
}

}  // namespace

double runAdvance(const TextRun& run, std::span<const GlyphSlot> glyphs) {
  double w = 0;
  for (const GlyphSlot& g : glyphs) w += slotAdvance(run, g);
  return w;
}

RunLayout layoutRun(const TextRun& run, const EmBox& box, std::span<const GlyphSlot> glyphs,
                    bool slant) {
  RunLayout out;
  const double em = run.em;
  const double ws = run.widthScale;
  const double k = slant ? kSyntheticSlant : 0.0;
  const double width = runAdvance(run, glyphs);

  double shift = 0;
  if ((run.align & TextAlign::Center) == TextAlign::Center) shift = -width / 2;
  else if ((run.align & TextAlign::Right) != 0) shift = -width;
  double baseline = box.ascent * em;  // top alignment
  if ((run.align & TextAlign::Baseline) == TextAlign::Baseline) baseline = 0;
  else if ((run.align & TextAlign::Bottom) != 0) baseline = -box.descent * em;
  const double cellTop = baseline - box.ascent * em;

  double pen = shift;
  out.glyphToText.reserve(glyphs.size());
  for (const GlyphSlot& g : glyphs) {
    if (g.turned) {
      // Glyph (x, y) goes to cell (ascent + y, 1 - x) in em units; a
      // narrowed face keeps its glyphs centred across the column.
      out.glyphToText.push_back({0, -em * ws, em, em * ws * k, pen + em * box.ascent,
                                 cellTop + em * (1 + ws) / 2});
    } else {
      out.glyphToText.push_back({em * ws, 0, -em * ws * k, em, pen, baseline});
    }
    pen += slotAdvance(run, g);
  }
  out.left = shift;
  out.right = shift + width;
  out.top = cellTop;
  out.bottom = cellTop + em;
  out.penEnd = width;

  const double bar = em / 20;
  if (run.font.underline) {
    out.decorations.append(rectanglePath(out.left, baseline + em / 10, out.right, baseline + em / 10 + bar));
  }
  if (run.font.strikeOut) {
    out.decorations.append(rectanglePath(out.left, baseline - em * 0.3, out.right, baseline - em * 0.3 + bar));
  }
  return out;
}

}  // namespace kumi::platform::player
