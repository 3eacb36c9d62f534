#include "platform/player/font_book.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <hb.h>

#include "platform/player/face_map.h"

namespace kumi::platform::player {
namespace {

// Metrics and outlines are taken at this size and scaled: one size's
// numbers serve every size of a face.
constexpr double kDesignSize = 1000;
// Raw fonts kept per face before the cache starts again.
constexpr size_t kMaxSizes = 48;
// Face names remembered with what they map to before that starts again.
constexpr size_t kMaxNames = 1024;

int16_t be16(const QByteArray& t, int at) {
  if (at < 0 || at + 2 > t.size()) return 0;
  return static_cast<int16_t>((uint8_t(t[at]) << 8) | uint8_t(t[at + 1]));
}

// The em box: the OS/2 typographic ascender and descender where the font
// has them (CJK faces put the ideographic em box there), else the hhea ones,
// scaled to add up to one em.
EmBox emBoxOf(const QRawFont& raw) {
  double asc = 0, desc = 0;
  const QByteArray os2 = raw.fontTable("OS/2");
  if (os2.size() >= 72) {
    asc = be16(os2, 68);
    desc = -be16(os2, 70);
  }
  if (asc <= 0 || desc < 0) {
    const QByteArray hhea = raw.fontTable("hhea");
    asc = be16(hhea, 4);
    desc = -be16(hhea, 6);
  }
  if (asc <= 0 || desc < 0 || asc + desc <= 0) return {};
  return {asc / (asc + desc), desc / (asc + desc)};
}

hb_blob_t* tableOf(hb_face_t*, hb_tag_t tag, void* user) {
  const auto* raw = static_cast<const QRawFont*>(user);
  const char name[5] = {char(tag >> 24), char(tag >> 16), char(tag >> 8), char(tag), 0};
  auto* data = new QByteArray(raw->fontTable(name));
  if (data->isEmpty()) {
    delete data;
    return nullptr;
  }
  return hb_blob_create(data->constData(), static_cast<unsigned>(data->size()),
                        HB_MEMORY_MODE_READONLY, data,
                        [](void* p) { delete static_cast<QByteArray*>(p); });
}

char32_t codePointAt(const std::u16string& s, size_t i, size_t& units) {
  const char16_t c = s[i];
  if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
    units = 2;
    return 0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(s[i + 1]) - 0xDC00);
  }
  units = 1;
  return c;
}

FontBook* g_book = nullptr;

}  // namespace

FontFace::FontFace(const QFont& font, bool vertical)
    : font_(font), vertical_(vertical), bold_(font.weight() >= QFont::Bold) {
  base_ = QRawFont::fromFont(font);
  base_.setPixelSize(kDesignSize);
  box_ = emBoxOf(base_);
  if (vertical_) {
    auto* keep = new QRawFont(base_);
    hb_face_t* face = hb_face_create_for_tables(tableOf, keep,
                                                [](void* p) { delete static_cast<QRawFont*>(p); });
    hb_face_set_upem(face, static_cast<unsigned>(std::max(1.0, base_.unitsPerEm())));
    hb_ = hb_font_create(face);
    hb_face_destroy(face);
  }
}

FontFace::~FontFace() {
  if (hb_ != nullptr) hb_font_destroy(hb_);
}

quint32 FontFace::verticalForm(char32_t c, quint32 glyph) {
  if (hb_ == nullptr) return glyph;
  if (auto it = verticalForms_.find(c); it != verticalForms_.end()) return it->second;
  // Shaped top to bottom, HarfBuzz applies the vertical features (vert,
  // vrt2) as a vertical layout engine would.
  hb_buffer_t* buf = hb_buffer_create();
  const uint32_t cp = c;
  hb_buffer_add_codepoints(buf, &cp, 1, 0, 1);
  hb_buffer_set_direction(buf, HB_DIRECTION_TTB);
  hb_buffer_set_language(buf, hb_language_from_string("ja", -1));
  hb_buffer_guess_segment_properties(buf);
  hb_feature_t vert;
  hb_feature_from_string("vert", -1, &vert);
  hb_shape(hb_, buf, &vert, 1);
  unsigned n = 0;
  const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buf, &n);
  const quint32 v = n == 1 && info[0].codepoint != 0 ? info[0].codepoint : glyph;
  hb_buffer_destroy(buf);
  verticalForms_.emplace(c, v);
  return v;
}

void FontFace::shape(const std::u16string& text, std::vector<GlyphSlot>& glyphSlots,
                     std::vector<quint32>& glyphs) {
  glyphSlots.clear();
  glyphs.clear();
  QList<quint32> ids;
  for (size_t i = 0; i < text.size();) {
    size_t units = 1;
    const char32_t c = codePointAt(text, i, units);
    const QChar pair[2] = {QChar(text[i]), QChar(units == 2 ? text[i + 1] : 0)};
    ids = base_.glyphIndexesForString(QString(pair, int(units)));
    quint32 g = ids.isEmpty() ? 0 : ids.front();
    auto it = advances_.find(g);
    if (it == advances_.end()) {
      const auto adv = base_.advancesForGlyphIndexes(QList<quint32>{g}, QRawFont::UseDesignMetrics);
      it = advances_.emplace(g, adv.isEmpty() ? 0.0 : adv.front().x() / kDesignSize).first;
    }
    GlyphSlot s{i, units, it->second, false};
    // Full-width glyphs of a vertical face turn; half-width ones lie on the
    // baseline as GDI sets them.
    if (vertical_ && s.advance >= 0.75) {
      s.turned = true;
      g = verticalForm(c, g);
    }
    glyphSlots.push_back(s);
    glyphs.push_back(g);
    i += units;
  }
}

const QRawFont& FontFace::atSize(double pixels) {
  const int key = static_cast<int>(std::lround(std::clamp(pixels, 0.25, 1e5) * 4));
  auto it = sizes_.find(key);
  if (it != sizes_.end()) return it->second;
  if (sizes_.size() >= kMaxSizes) sizes_.clear();
  QRawFont raw;
  if (bold_) {
    // A raw font resized keeps its weight but loses the emboldening a face
    // without a bold gets: bold ones are made at whole pixel sizes (the
    // caller scales by what it got).
    QFont f = font_;
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(key / 4.0))));
    raw = QRawFont::fromFont(f);
  } else {
    raw = base_;
    raw.setPixelSize(key / 4.0);
  }
  return sizes_.emplace(key, std::move(raw)).first->second;
}

const QPainterPath& FontFace::outline(quint32 glyph) {
  auto it = outlines_.find(glyph);
  if (it != outlines_.end()) return it->second;
  QPainterPath p = base_.pathForGlyph(glyph);
  p = QTransform::fromScale(1 / kDesignSize, 1 / kDesignSize).map(p);
  return outlines_.emplace(glyph, std::move(p)).first->second;
}

FontBook::FontBook() {
  const QStringList all = QFontDatabase::families();
  families_.assign(all.begin(), all.end());
}

FontBook::~FontBook() = default;

bool FontBook::installed(std::string_view family) const {
  const QString f = QString::fromUtf8(family.data(), qsizetype(family.size()));
  return std::any_of(families_.begin(), families_.end(),
                     [&f](const QString& g) { return g.compare(f, Qt::CaseInsensitive) == 0; });
}

FontFace& FontBook::face(const LogFont& lf) {
  // Weights above semi-bold draw bold (emboldened when the face has none);
  // italic is slanted by the layout, so it is no part of the key.
  const int weight = lf.weight >= 600 ? 700 : 400;
  auto named = choices_.find(lf.faceName);
  if (named == choices_.end()) {
    if (choices_.size() >= kMaxNames) choices_.clear();
    named = choices_.emplace(lf.faceName, mapFace(lf.faceName, [this](std::string_view f) {
                               return installed(f);
                             })).first;
  }
  const FaceChoice& choice = named->second;
  const auto key = std::make_tuple(choice.family, choice.vertical, weight);
  auto it = faces_.find(key);
  if (it != faces_.end()) return *it->second;
  QFont font(QString::fromStdString(choice.family));
  font.setWeight(static_cast<QFont::Weight>(weight));
  font.setPixelSize(static_cast<int>(kDesignSize));
  auto face = std::make_unique<FontFace>(font, choice.vertical);
  return *faces_.emplace(key, std::move(face)).first->second;
}

FontBook& defaultFontBook() {
  if (g_book == nullptr) {
    g_book = new FontBook;
    qAddPostRoutine([] {
      delete g_book;
      g_book = nullptr;
    });
  }
  return *g_book;
}

}  // namespace kumi::platform::player
