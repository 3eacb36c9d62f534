#include "tools/emfdump/emfdump_format.h"

#include <cstdio>

#include "platform/emf/dib.h"
#include "platform/emf/utf16.h"

namespace kumi::tools {
namespace {

using namespace platform;
using namespace platform::emf;

constexpr size_t kMaxPointsShown = 16;

std::string fmt(const char* f, auto... args) {
  char buf[160];
  std::snprintf(buf, sizeof buf, f, args...);
  return buf;
}

std::string pointText(Point p) { return fmt("(%d,%d)", p.x, p.y); }
std::string rectText(const Rect& r) { return fmt("(%d,%d,%d,%d)", r.left, r.top, r.right, r.bottom); }
std::string sizeText(Size s) { return fmt("%dx%d", s.cx, s.cy); }

std::string colorText(uint32_t c) {
  if ((c >> 24) != 0) return fmt("0x%08X", c);
  return fmt("rgb(%u,%u,%u)", unsigned{redOf(c)}, unsigned{greenOf(c)}, unsigned{blueOf(c)});
}

// Quoted UTF-8, with quotes, backslashes and control characters escaped.
std::string quoted(std::string_view utf8) {
  std::string out = "\"";
  for (char c : utf8) {
    const auto b = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (b < 0x20 || b == 0x7F) {
      out += fmt("\\x%02X", unsigned{b});
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string named(uint32_t v, std::initializer_list<std::pair<uint32_t, const char*>> names) {
  for (const auto& [value, name] : names) {
    if (value == v) return name;
  }
  return fmt("%u", v);
}

std::string mapModeText(uint32_t m) {
  return named(m, {{1, "TEXT"}, {2, "LOMETRIC"}, {3, "HIMETRIC"}, {4, "LOENGLISH"},
                   {5, "HIENGLISH"}, {6, "TWIPS"}, {7, "ISOTROPIC"}, {8, "ANISOTROPIC"}});
}

std::string regionModeText(uint32_t m) {
  return named(m, {{1, "AND"}, {2, "OR"}, {3, "XOR"}, {4, "DIFF"}, {5, "COPY"}});
}

std::string handleText(uint32_t h) {
  if ((h & kStockObjectFlag) == 0) return fmt("#%u", h);
  return named(h & ~kStockObjectFlag,
               {{0, "WHITE_BRUSH"}, {1, "LTGRAY_BRUSH"}, {2, "GRAY_BRUSH"}, {3, "DKGRAY_BRUSH"},
                {4, "BLACK_BRUSH"}, {5, "NULL_BRUSH"}, {6, "WHITE_PEN"}, {7, "BLACK_PEN"},
                {8, "NULL_PEN"}, {10, "OEM_FIXED_FONT"}, {11, "ANSI_FIXED_FONT"},
                {12, "ANSI_VAR_FONT"}, {13, "SYSTEM_FONT"}, {14, "DEVICE_DEFAULT_FONT"},
                {15, "DEFAULT_PALETTE"}, {16, "SYSTEM_FIXED_FONT"}, {17, "DEFAULT_GUI_FONT"},
                {18, "DC_BRUSH"}, {19, "DC_PEN"}});
}

std::string penStyleText(uint32_t s) {
  std::string out = named(s & PenStyle::StyleMask,
                          {{0, "SOLID"}, {1, "DASH"}, {2, "DOT"}, {3, "DASHDOT"},
                           {4, "DASHDOTDOT"}, {5, "NULL"}, {6, "INSIDEFRAME"}, {7, "USERSTYLE"},
                           {8, "ALTERNATE"}});
  if ((s & 0xF00) == PenStyle::EndCapSquare) out += "|ENDCAP_SQUARE";
  if ((s & 0xF00) == PenStyle::EndCapFlat) out += "|ENDCAP_FLAT";
  if ((s & 0xF000) == PenStyle::JoinBevel) out += "|JOIN_BEVEL";
  if ((s & 0xF000) == PenStyle::JoinMiter) out += "|JOIN_MITER";
  if ((s & PenStyle::Geometric) != 0) out += "|GEOMETRIC";
  return out;
}

std::string brushStyleText(uint32_t s) {
  return named(s, {{0, "SOLID"}, {1, "NULL"}, {2, "HATCHED"}, {3, "PATTERN"}, {5, "DIBPATTERN"},
                   {6, "DIBPATTERNPT"}});
}

std::string hatchText(uint32_t h) {
  return named(h, {{0, "HORIZONTAL"}, {1, "VERTICAL"}, {2, "FDIAGONAL"}, {3, "BDIAGONAL"},
                   {4, "CROSS"}, {5, "DIAGCROSS"}});
}

std::string textAlignText(uint32_t a) {
  std::string out = named(a & TextAlign::Center, {{0, "LEFT"}, {2, "RIGHT"}, {6, "CENTER"}});
  out += "|" + named(a & TextAlign::Baseline, {{0, "TOP"}, {8, "BOTTOM"}, {24, "BASELINE"}});
  if ((a & TextAlign::UpdateCP) != 0) out += "|UPDATECP";
  if ((a & ~uint32_t{0x1F}) != 0) out += fmt("|0x%X", a & ~uint32_t{0x1F});
  return out;
}

std::string ropText(uint32_t rop) {
  return named(rop, {{RasterOp::SrcCopy, "SRCCOPY"}, {RasterOp::SrcAnd, "SRCAND"},
                     {RasterOp::SrcInvert, "SRCINVERT"}, {RasterOp::SrcPaint, "SRCPAINT"},
                     {RasterOp::Blackness, "BLACKNESS"}, {RasterOp::Whiteness, "WHITENESS"}});
}

std::string textOptionsText(uint32_t o) {
  std::string out;
  auto add = [&out](const char* s) { out += out.empty() ? s : std::string("|") + s; };
  if ((o & TextOutOption::Opaque) != 0) add("OPAQUE");
  if ((o & TextOutOption::Clipped) != 0) add("CLIPPED");
  if ((o & TextOutOption::GlyphIndex) != 0) add("GLYPH_INDEX");
  if ((o & TextOutOption::Pdy) != 0) add("PDY");
  const uint32_t rest = o & ~uint32_t{0x2016};
  if (rest != 0) add(fmt("0x%X", rest).c_str());
  return out;
}

std::string pointsText(const std::vector<Point>& pts) {
  std::string out;
  for (size_t i = 0; i < pts.size() && i < kMaxPointsShown; ++i) out += " " + pointText(pts[i]);
  if (pts.size() > kMaxPointsShown) out += fmt(" ...(+%zu)", pts.size() - kMaxPointsShown);
  return out;
}

std::string headerText(const RecordView& r) {
  const auto h = decodeHeader(r.bytes);
  if (!h) return "HEADER (malformed)";
  std::string out = "HEADER bounds=" + rectText(h->bounds) + " frame=" + rectText(h->frame) +
                    " device=" + sizeText(h->device) + " mm=" + sizeText(h->millimeters);
  if (h->hasMicrometers) out += " um=" + sizeText(h->micrometers);
  out += fmt(" records=%u bytes=%u handles=%u", h->records, h->bytes, unsigned{h->handles});
  if (h->paletteEntries != 0) out += fmt(" palette=%u", h->paletteEntries);
  if (h->version != kEmfVersion) out += fmt(" version=0x%X", h->version);
  if (h->hasPixelFormat && h->openGL != 0) out += " opengl";
  return out + " description=" + quoted(utf16ToUtf8(h->description));
}

std::string textText(const RecordView& r, const EmfDumpOptions& o) {
  const auto x = decodeText(r);
  if (!x) return "";
  std::string out = " " + pointText(x->reference) + " ";
  if (r.is(RecordType::ExtTextOutW)) {
    out += quoted(utf16ToUtf8(x->text));
  } else {
    std::string hex;
    for (char c : x->bytes) hex += fmt("%02X", unsigned{static_cast<unsigned char>(c)});
    out += "bytes=" + hex;
  }
  if (!x->dx.empty()) {
    out += " dx=";
    for (size_t i = 0; i < x->dx.size(); ++i) out += (i ? "," : "") + fmt("%d", x->dx[i]);
  }
  if (x->options != 0) out += " options=" + textOptionsText(x->options);
  if ((x->options & (TextOutOption::Opaque | TextOutOption::Clipped)) != 0) {
    out += " rect=" + rectText(x->rect);
  }
  if (x->graphicsMode != static_cast<uint32_t>(GraphicsMode::Compatible)) {
    out += fmt(" graphicsmode=%u", x->graphicsMode);
  }
  if (o.bounds) out += " bounds=" + rectText(x->bounds);
  return out;
}

std::string fontText(const RecordView& r) {
  const auto f = decodeFont(r);
  if (!f) return "";
  const LogFont& lf = f->font;
  std::string out = " " + handleText(f->handle) + " face=" + quoted(lf.faceName);
  out += fmt(" height=%d width=%d escapement=%d orientation=%d weight=%d", lf.height, lf.width,
             lf.escapement, lf.orientation, lf.weight);
  if (lf.italic) out += " italic";
  if (lf.underline) out += " underline";
  if (lf.strikeOut) out += " strikeout";
  out += fmt(" charset=%u", unsigned{lf.charSet});
  if (lf.outPrecision != 0) out += fmt(" outprecision=%u", unsigned{lf.outPrecision});
  if (lf.clipPrecision != 0) out += fmt(" clipprecision=%u", unsigned{lf.clipPrecision});
  out += fmt(" quality=%u", unsigned{lf.quality});
  if (lf.pitchAndFamily != 0) out += fmt(" pitchfamily=0x%02X", unsigned{lf.pitchAndFamily});
  return out;
}

std::string penText(const RecordView& r) {
  const auto p = decodePen(r);
  if (!p) return "";
  std::string out = " " + handleText(p->handle) + " style=" + penStyleText(p->pen.style) +
                    fmt(" width=%d", p->pen.width) + " color=" + colorText(p->pen.color);
  if (p->extended) {
    out += " brush=" + brushStyleText(p->brushStyle);
    if (p->brushStyle == 2) out += " hatch=" + hatchText(p->hatch);
    if (!p->styleEntries.empty()) out += fmt(" dashes=%zu", p->styleEntries.size());
  }
  return out;
}

std::string brushText(const RecordView& r) {
  const auto b = decodeBrush(r);
  if (!b) return "";
  std::string out = " " + handleText(b->handle) + " style=" + brushStyleText(b->rawStyle);
  if (b->rawStyle == 2) out += " hatch=" + hatchText(static_cast<uint32_t>(b->brush.hatch));
  if (b->rawStyle != 1) out += " color=" + colorText(b->brush.color);
  return out;
}

std::string stretchDibText(const RecordView& r, const EmfDumpOptions& o) {
  const auto s = decodeStretchDib(r);
  if (!s) return "";
  std::string out = fmt(" dest=(%d,%d,%d,%d) src=(%d,%d,%d,%d)", s->dest.x, s->dest.y, s->dest.cx,
                        s->dest.cy, s->source.x, s->source.y, s->source.cx, s->source.cy);
  out += " rop=" + ropText(s->rasterOp) +
         " usage=" + named(s->usage, {{0, "RGB"}, {1, "PAL"}, {2, "PALINDICES"}});
  if (const auto d = dibLayout(s->bitmapInfo, s->usage == 1 ? 2 : 4)) {
    out += fmt(" bitmap=%dx%d bpp=%u", d->width, d->height, unsigned{d->bitCount});
    if (d->colorCount != 0) out += fmt(" colors=%u", d->colorCount);
    if (s->bits.size() < d->imageSize) out += " (bits short)";
  } else {
    out += fmt(" bitmap=(unusable, %zu bytes)", s->bitmapInfo.size());
  }
  if (o.bounds) out += " bounds=" + rectText(s->bounds);
  return out;
}

std::string commentText(const RecordView& r) {
  const auto c = decodeComment(r);
  if (!c) return "";
  std::string out = fmt(" %zu bytes", c->size());
  std::string shown;
  for (size_t i = 0; i < c->size() && i < 32; ++i) {
    const uint8_t b = (*c)[i];
    shown += (b >= 0x20 && b < 0x7F) ? static_cast<char>(b) : '.';
  }
  return out + " " + quoted(shown);
}

// The fields of one record after its name; empty when the record is too
// short for its type (the caller then says so).
std::string fieldsText(const RecordView& r, const EmfDumpOptions& o) {
  const auto type = static_cast<RecordType>(r.type);
  auto u = [&r](size_t i) { return fieldU32(r, i); };
  auto withU = [&](auto&& f) -> std::string {
    const auto v = u(0);
    return v ? " " + f(*v) : "";
  };
  auto withPoint = [&r]() -> std::string {
    const auto p = fieldPoint(r, 0);
    return p ? " " + pointText(*p) : "";
  };
  auto withBounds = [&](std::string s) {
    if (!o.bounds) return s;
    const auto b = fieldRect(r, 0);
    return b ? s + " bounds=" + rectText(*b) : s;
  };
  if (isPolyType(r.type)) {
    const auto p = decodePoly(r);
    return p ? withBounds(fmt(" %zu", p->points.size()) + pointsText(p->points)) : "";
  }
  if (isPolyPolyType(r.type)) {
    const auto p = decodePolyPoly(r);
    if (!p) return "";
    std::string counts;
    for (size_t i = 0; i < p->counts.size() && i < kMaxPointsShown; ++i) {
      counts += (i ? "," : "") + fmt("%u", p->counts[i]);
    }
    return withBounds(" counts=" + counts + pointsText(p->points));
  }
  switch (type) {
    case RecordType::Header: return headerText(r).substr(6);
    case RecordType::Eof: return " ";
    case RecordType::SetMapMode: return withU(mapModeText);
    case RecordType::SetBkMode:
      return withU([](uint32_t v) { return named(v, {{1, "TRANSPARENT"}, {2, "OPAQUE"}}); });
    case RecordType::SetPolyFillMode:
      return withU([](uint32_t v) { return named(v, {{1, "ALTERNATE"}, {2, "WINDING"}}); });
    case RecordType::SetTextAlign: return withU(textAlignText);
    case RecordType::SetTextColor:
    case RecordType::SetBkColor: return withU(colorText);
    case RecordType::SetStretchBltMode:
    case RecordType::SetRop2:
    case RecordType::SetMapperFlags:
    case RecordType::SetArcDirection:
    case RecordType::SetIcmMode:
    case RecordType::SetLayout: return withU([](uint32_t v) { return fmt("%u", v); });
    case RecordType::SetMiterLimit: return withU([](uint32_t v) { return fmt("%u", v); });
    case RecordType::RestoreDc:
      return withU([](uint32_t v) { return fmt("%d", static_cast<int32_t>(v)); });
    case RecordType::SelectObject:
    case RecordType::DeleteObject:
    case RecordType::SelectPalette: return withU(handleText);
    case RecordType::SelectClipPath: return withU(regionModeText);
    case RecordType::SetWindowOrgEx:
    case RecordType::SetViewportOrgEx:
    case RecordType::SetBrushOrgEx:
    case RecordType::MoveToEx:
    case RecordType::LineTo: return withPoint();
    case RecordType::SetWindowExtEx:
    case RecordType::SetViewportExtEx: {
      const auto p = fieldPoint(r, 0);
      return p ? " " + sizeText({p->x, p->y}) : "";
    }
    case RecordType::Rectangle:
    case RecordType::Ellipse:
    case RecordType::IntersectClipRect:
    case RecordType::ExcludeClipRect: {
      const auto b = fieldRect(r, 0);
      return b ? " " + rectText(*b) : "";
    }
    case RecordType::RoundRect: {
      const auto b = fieldRect(r, 0);
      const auto c = fieldPoint(r, 4);
      return b && c ? " " + rectText(*b) + " corner=" + sizeText({c->x, c->y}) : "";
    }
    case RecordType::SetPixelV: {
      const auto p = fieldPoint(r, 0);
      const auto c = u(2);
      return p && c ? " " + pointText(*p) + " " + colorText(*c) : "";
    }
    case RecordType::StrokePath:
    case RecordType::FillPath:
    case RecordType::StrokeAndFillPath: {
      if (!fieldRect(r, 0)) return "";
      const std::string b = withBounds("");
      return b.empty() ? " " : b;
    }
    case RecordType::ExtTextOutW:
    case RecordType::ExtTextOutA: return textText(r, o);
    case RecordType::ExtCreateFontIndirectW: return fontText(r);
    case RecordType::CreatePen:
    case RecordType::ExtCreatePen: return penText(r);
    case RecordType::CreateBrushIndirect: return brushText(r);
    case RecordType::CreatePalette: {
      const auto p = decodePalette(r);
      return p ? " " + handleText(p->handle) + fmt(" entries=%zu", p->entries.size()) : "";
    }
    case RecordType::StretchDiBits: return stretchDibText(r, o);
    case RecordType::SetWorldTransform:
    case RecordType::ModifyWorldTransform: {
      const auto x = decodeTransform(r);
      if (!x) return "";
      const XForm& f = x->xform;
      std::string out = fmt(" [%g %g %g %g %g %g]", f.m11, f.m12, f.m21, f.m22, f.dx, f.dy);
      if (r.is(RecordType::ModifyWorldTransform)) {
        out += " " + named(x->mode, {{1, "IDENTITY"}, {2, "LEFTMULTIPLY"}, {3, "RIGHTMULTIPLY"},
                                     {4, "SET"}});
      }
      return out;
    }
    case RecordType::ExtSelectClipRgn: {
      const auto c = decodeClipRegion(r);
      if (!c) return "";
      if (c->regionData.empty()) return " " + regionModeText(c->mode) + " default";
      return " " + regionModeText(c->mode) + fmt(" region=%zu bytes", c->regionData.size());
    }
    case RecordType::GdiComment: return commentText(r);
    case RecordType::SaveDc:
    case RecordType::RealizePalette:
    case RecordType::BeginPath:
    case RecordType::EndPath:
    case RecordType::CloseFigure:
    case RecordType::AbortPath:
    case RecordType::FlattenPath:
    case RecordType::WidenPath:
    case RecordType::SetMetaRgn: return " ";
    default: return fmt(" size=%zu", r.bytes.size());
  }
}

}  // namespace

std::string formatEmfRecord(const RecordView& r, const EmfDumpOptions& o) {
  std::string line = o.offsets ? fmt("%08zX ", r.offset) : std::string();
  const std::string_view name = recordName(r.type);
  if (name.empty()) return line + fmt("UNKNOWN(%u) size=%zu", r.type, r.bytes.size());
  line += name;
  const std::string fields = fieldsText(r, o);
  if (fields.empty()) return line + fmt(" size=%zu (malformed)", r.bytes.size());
  if (fields != " ") line += fields;
  return line;
}

std::string formatEmf(std::span<const uint8_t> file, const EmfDumpOptions& o, bool* ok) {
  RecordLoop loop(file);
  std::string out;
  while (const auto r = loop.next()) out += formatEmfRecord(*r, o) + "\n";
  const bool clean = loop.error().empty();
  if (!clean) out += fmt("error: %s (offset %zu)\n", loop.error().c_str(), loop.errorOffset());
  if (ok != nullptr) *ok = clean;
  return out;
}

}  // namespace kumi::tools
