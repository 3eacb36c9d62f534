#pragma once
// FontBook: the installed fonts a metafile's LOGFONTs come to, with what the
// player needs of each: glyphs, advances, the em box, outlines, and for the
// vertical ("@") faces the vertical forms of the font's `vert` feature
// (looked up with HarfBuzz over the font's own tables).
//
// Fonts are found once per face name and weight and kept; raw fonts are
// kept per pixel size, since a page draws the same few sizes many times.
#include <QByteArray>
#include <QFont>
#include <QRawFont>
#include <QString>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "platform/emf/gdi_types.h"
#include "platform/player/face_map.h"
#include "platform/player/text_layout.h"

struct hb_font_t;

namespace kumi::platform::player {

class FontFace {
 public:
  FontFace(const QFont& font, bool vertical);
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  bool vertical() const { return vertical_; }
  const EmBox& emBox() const { return box_; }
  QString family() const { return base_.familyName(); }
  // Glyph slots for a run's text (one per code point) and their glyph ids;
  // full-width glyphs of a vertical face are turned and take their vertical
  // forms.
  void shape(const std::u16string& text, std::vector<GlyphSlot>& glyphSlots,
             std::vector<quint32>& glyphs);
  // The face at a pixel size (an em of that many device pixels).
  const QRawFont& atSize(double pixels);
  // Outline of a glyph in em units, y down.
  const QPainterPath& outline(quint32 glyph);

 private:
  quint32 verticalForm(char32_t c, quint32 glyph);

  QFont font_;
  QRawFont base_;  // at kDesignSize pixels, design metrics
  bool vertical_ = false;
  bool bold_ = false;
  EmBox box_;
  hb_font_t* hb_ = nullptr;
  std::unordered_map<char32_t, quint32> verticalForms_;
  std::unordered_map<quint32, double> advances_;
  std::unordered_map<quint32, QPainterPath> outlines_;
  std::map<int, QRawFont> sizes_;
};

class FontBook {
 public:
  FontBook();
  ~FontBook();
  // The face a LOGFONT asks for (mapped as face_map.h says).
  FontFace& face(const LogFont& font);
  bool installed(std::string_view family) const;

 private:
  std::vector<QString> families_;
  // Names to installed faces, and one face per installed family, direction
  // and weight: a file naming thousands of faces makes no more of them.
  std::map<std::string, FaceChoice> choices_;
  std::map<std::tuple<std::string, bool, int>, std::unique_ptr<FontFace>> faces_;
};

// A font book for the process, made on first use and released when the Qt
// application ends.
FontBook& defaultFontBook();

}  // namespace kumi::platform::player
