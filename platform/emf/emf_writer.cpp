#include "platform/emf/emf_writer.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <numbers>

#include "platform/base/cp932.h"
#include "platform/base/paths.h"
#include "platform/emf/byte_io.h"
#include "platform/emf/dib.h"
#include "platform/emf/emf_records.h"
#include "platform/emf/utf16.h"

namespace kumi::platform {

using emf::RecordType;

namespace {

constexpr uint32_t t(RecordType r) { return static_cast<uint32_t>(r); }

size_t pad4(size_t n) { return (n + 3) & ~size_t{3}; }

// One CP932 character's byte length at pos: lead bytes of the double-byte
// ranges take the next byte with them.
size_t cp932CharLength(std::string_view s, size_t pos) {
  const auto b = static_cast<uint8_t>(s[pos]);
  const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
  return lead && pos + 1 < s.size() ? 2 : 1;
}

// The text as UTF-16, one code unit per CP932 character (every CP932
// character lies in the BMP), and whether each was double-byte.
void splitCp932(std::string_view cp932, std::u16string& units, std::vector<bool>& wide) {
  std::vector<std::string_view> chars;
  for (size_t pos = 0; pos < cp932.size();) {
    const size_t n = cp932CharLength(cp932, pos);
    chars.push_back(cp932.substr(pos, n));
    wide.push_back(n == 2);
    pos += n;
  }
  units = cp932ToUtf16Lossy(cp932);
  if (units.size() == chars.size()) return;
  // Some byte did not convert: go character by character so that each
  // keeps its own advance.
  units.clear();
  for (std::string_view c : chars) {
    const std::u16string u = cp932ToUtf16Lossy(c);
    units += u.size() == 1 ? u[0] : u'\uFFFD';
  }
}

}  // namespace

// ---------------------------------------------------------------------------

struct EmfWriter::Object {
  ObjectKind kind = ObjectKind::None;
  LogFont font;
  LogPen pen;
  LogBrush brush;
};

// Builds one record at the end of the body: type and size first, the size
// fixed when the record is done (padded to a multiple of 4).
class EmfWriter::Record {
 public:
  Record(EmfWriter& w, uint32_t type) : w_(w), start_(w.body_.size()) {
    writeU32LE(w_.body_, type);
    writeU32LE(w_.body_, 0);
  }
  ~Record() {
    w_.body_.resize(start_ + pad4(w_.body_.size() - start_), 0);
    putU32LE(w_.body_, start_ + 4, static_cast<uint32_t>(w_.body_.size() - start_));
    ++w_.bodyRecords_;
  }
  Record(const Record&) = delete;
  Record& operator=(const Record&) = delete;

  Record& u32(uint32_t v) { writeU32LE(w_.body_, v); return *this; }
  Record& i32(int32_t v) { writeI32LE(w_.body_, v); return *this; }
  Record& u16(uint16_t v) { writeU16LE(w_.body_, v); return *this; }
  Record& u8(uint8_t v) { w_.body_.push_back(v); return *this; }
  Record& f32(float v) { writeF32LE(w_.body_, v); return *this; }
  Record& point(Point p) { return i32(p.x).i32(p.y); }
  Record& size(Size s) { return i32(s.cx).i32(s.cy); }
  Record& rect(const Rect& r) { return i32(r.left).i32(r.top).i32(r.right).i32(r.bottom); }
  Record& bytes(std::span<const uint8_t> b) {
    w_.body_.insert(w_.body_.end(), b.begin(), b.end());
    return *this;
  }
  Record& zeros(size_t n) {
    w_.body_.resize(w_.body_.size() + n, 0);
    return *this;
  }
  Record& alignTo4() {
    w_.body_.resize(start_ + pad4(w_.body_.size() - start_), 0);
    return *this;
  }
  size_t offset() const { return w_.body_.size() - start_; }

 private:
  EmfWriter& w_;
  size_t start_;
};

// ---------------------------------------------------------------------------

void EmfWriter::DeviceBox::add(PointD p) {
  if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
  if (empty) {
    left = right = p.x;
    top = bottom = p.y;
    empty = false;
    return;
  }
  left = std::min(left, p.x);
  right = std::max(right, p.x);
  top = std::min(top, p.y);
  bottom = std::max(bottom, p.y);
}

void EmfWriter::DeviceBox::add(const DeviceBox& b) {
  if (b.empty) return;
  add(PointD{b.left, b.top});
  add(PointD{b.right, b.bottom});
}

void EmfWriter::DeviceBox::inflate(double by) {
  if (empty) return;
  left -= by;
  top -= by;
  right += by;
  bottom += by;
}

Rect EmfWriter::DeviceBox::inclusive() const {
  if (empty) return {0, 0, -1, -1};
  auto clampI = [](double v) {
    return static_cast<int32_t>(std::clamp(v, -2147483648.0, 2147483647.0));
  };
  return {clampI(std::floor(left)), clampI(std::floor(top)), clampI(std::ceil(right)),
          clampI(std::ceil(bottom))};
}

// ---------------------------------------------------------------------------

EmfWriter::EmfWriter(const ReferenceDevice& ref, const Rect& frame, std::string_view description)
    : ref_(ref), frame_(frame), description_(utf8ToUtf16(description)) {
  if (!description_.empty()) {
    if (description_.back() != u'\0') description_ += u'\0';
    description_ += u'\0';
  }
  objects_.resize(1);
}

EmfWriter::~EmfWriter() {
  if (out_ != nullptr) close();
}

std::unique_ptr<EmfWriter> EmfWriter::create(std::string_view storedPath,
                                             const ReferenceDevice& ref, const Rect& frame,
                                             std::string_view description, std::string* error) {
  const std::string path = nativePath(storedPath);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) {
    if (error != nullptr) *error = path + ": " + std::strerror(errno);
    return nullptr;
  }
  auto w = std::make_unique<EmfWriter>(ref, frame, description);
  w->out_ = f;
  return w;
}

const std::vector<uint8_t>& EmfWriter::finish() {
  if (finished_) return file_;
  if (inPath_) abortPath();  // a bracket left open ends with the file
  finished_ = true;
  // EMR_EOF: no palette; offPalEntries points just past the fixed fields
  // and SizeLast repeats the record's size ([MS-EMF] 2.3.4.1).
  {
    Record r(*this, t(RecordType::Eof));
    r.u32(0).u32(16).u32(emf::kEofSize);
  }
  const size_t descBytes = description_.size() * 2;
  const size_t headerSize = emf::kHeaderExt2Size + pad4(descBytes);
  const uint64_t total = headerSize + body_.size();

  file_.clear();
  file_.reserve(static_cast<size_t>(total));
  writeU32LE(file_, t(RecordType::Header));
  writeU32LE(file_, static_cast<uint32_t>(headerSize));
  const Rect b = bounds_.inclusive();
  for (int32_t v : {b.left, b.top, b.right, b.bottom}) writeI32LE(file_, v);
  for (int32_t v : {frame_.left, frame_.top, frame_.right, frame_.bottom}) writeI32LE(file_, v);
  writeU32LE(file_, emf::kEmfSignature);
  writeU32LE(file_, emf::kEmfVersion);
  writeU32LE(file_, static_cast<uint32_t>(total));
  writeU32LE(file_, bodyRecords_ + 1);
  writeU16LE(file_, static_cast<uint16_t>(maxHandle_ + 1));
  writeU16LE(file_, 0);
  writeU32LE(file_, static_cast<uint32_t>(description_.size()));
  writeU32LE(file_, description_.empty() ? 0 : static_cast<uint32_t>(emf::kHeaderExt2Size));
  writeU32LE(file_, 0);  // nPalEntries
  writeI32LE(file_, ref_.horzRes);
  writeI32LE(file_, ref_.vertRes);
  writeI32LE(file_, ref_.horzSize);
  writeI32LE(file_, ref_.vertSize);
  writeU32LE(file_, 0);  // cbPixelFormat
  writeU32LE(file_, 0);  // offPixelFormat
  writeU32LE(file_, 0);  // bOpenGL
  writeI32LE(file_, ref_.horzMicrometers > 0 ? ref_.horzMicrometers : ref_.horzSize * 1000);
  writeI32LE(file_, ref_.vertMicrometers > 0 ? ref_.vertMicrometers : ref_.vertSize * 1000);
  for (char16_t c : description_) writeU16LE(file_, static_cast<uint16_t>(c));
  file_.resize(headerSize, 0);
  file_.insert(file_.end(), body_.begin(), body_.end());
  body_.clear();
  body_.shrink_to_fit();
  return file_;
}

bool EmfWriter::close() {
  finish();
  if (out_ == nullptr) return true;
  bool ok = std::fwrite(file_.data(), 1, file_.size(), out_) == file_.size();
  ok = std::fclose(out_) == 0 && ok;
  out_ = nullptr;
  return ok;
}

std::optional<LogFont> EmfWriter::fontOf(ObjectHandle h) const {
  const Object* o = objectAt(h);
  if (o == nullptr || o->kind != ObjectKind::Font) return std::nullopt;
  return o->font;
}

// --- helpers ---------------------------------------------------------------

uint32_t EmfWriter::allocateHandle() {
  // The lowest free index, searched from the lowest one that may be free:
  // a table kept full by objects still selected costs no search per call.
  for (; firstFree_ < objects_.size(); ++firstFree_) {
    if (!objects_[firstFree_]) return firstFree_;
  }
  // The header counts handles in 16 bits.
  if (objects_.size() >= 0xFFFF) return 0;
  objects_.emplace_back();
  return static_cast<uint32_t>(objects_.size() - 1);
}

const EmfWriter::Object* EmfWriter::objectAt(ObjectHandle h) const {
  if (isStock(h) || h.value == 0 || h.value >= objects_.size()) return nullptr;
  return objects_[h.value].get();
}

bool EmfWriter::isSelectedAnywhere(ObjectHandle h) const {
  auto holds = [h](const GdiState& s) {
    return s.font == h || s.pen == h || s.brush == h || s.palette == h;
  };
  if (holds(states_.current())) return true;
  return std::any_of(states_.saved().begin(), states_.saved().end(), holds);
}

LogFont EmfWriter::currentFont() const {
  if (const Object* o = objectAt(states_.current().font)) return o->font;
  // A stock font: about 16 device pixels high.
  LogFont f;
  const double scale = deviceScaleY(states_.current());
  f.height = static_cast<int32_t>(std::lround(16.0 / (scale > 0 ? scale : 1.0)));
  return f;
}

LogPen EmfWriter::currentPen() const {
  if (const Object* o = objectAt(states_.current().pen)) return o->pen;
  LogPen p;
  if (states_.current().pen == stockObject(StockObject::NullPen)) p.style = PenStyle::Null;
  return p;
}

double EmfWriter::penHalfWidth() const {
  const LogPen p = currentPen();
  if ((p.style & PenStyle::StyleMask) == PenStyle::Null) return 0.0;
  const double w = std::abs(static_cast<double>(p.width)) * deviceScaleX(states_.current());
  return std::max(w, 1.0) / 2.0;
}

void EmfWriter::drew(const DeviceBox& box, bool stroked) {
  // Inside a path nothing is drawn yet: the pen counts when it is stroked.
  DeviceBox b = box;
  if (stroked && !inPath_) b.inflate(penHalfWidth());
  (inPath_ ? pathBox_ : bounds_).add(b);
}

EmfWriter::DeviceBox EmfWriter::boxOf(std::span<const PointD> logical) const {
  DeviceBox b;
  for (const PointD& p : logical) b.add(toDevice(states_.current(), p));
  return b;
}

EmfWriter::DeviceBox EmfWriter::boxOf(const Rect& r) const {
  const PointD corners[] = {{double(r.left), double(r.top)},
                            {double(r.right), double(r.top)},
                            {double(r.left), double(r.bottom)},
                            {double(r.right), double(r.bottom)}};
  return boxOf(corners);
}

// The text's box on the device: advance long along the baseline, the font's
// height across it, placed by the alignment and turned by the escapement.
// The baseline runs along (cos a, −sin a) in logical space, so a positive
// escapement turns counter-clockwise where y points down and clockwise
// where it points up, as GDI does.
EmfWriter::DeviceBox EmfWriter::textBox(Point reference, double advance) const {
  const GdiState& s = states_.current();
  const LogFont f = currentFont();
  const double h = std::abs(static_cast<double>(f.height));
  const double a = f.escapement / 10.0 * std::numbers::pi / 180.0;
  const PointD p0 = toDevice(s, {double(reference.x), double(reference.y)});
  const PointD p1 = toDevice(s, {reference.x + std::cos(a), reference.y - std::sin(a)});
  double bx = p1.x - p0.x, by = p1.y - p0.y;
  const double along = std::hypot(bx, by);
  if (along == 0.0) return {};
  bx /= along;
  by /= along;
  const double dx = -by, dy = bx;  // "down" for the glyphs, device space
  const double across = deviceScaleY(s);

  double x0 = 0.0, y0 = 0.0;
  const uint32_t horiz = s.textAlign & TextAlign::Center;
  if (horiz == TextAlign::Center) x0 = -advance / 2;
  else if (horiz == TextAlign::Right) x0 = -advance;
  const uint32_t vert = s.textAlign & TextAlign::Baseline;
  if (vert == TextAlign::Baseline) y0 = -0.88 * h;
  else if (vert == TextAlign::Bottom) y0 = -h;
  // Italics and overhangs reach a little past the cell.
  const double slack = 0.15 * h;
  DeviceBox box;
  for (double x : {x0 - slack, x0 + advance + slack}) {
    for (double y : {y0 - slack, y0 + h + slack}) {
      box.add(PointD{p0.x + bx * x * along + dx * y * across, p0.y + by * x * along + dy * y * across});
    }
  }
  return box;
}

void EmfWriter::writeU32Record(uint32_t type, uint32_t value) {
  if (finished_) return;
  Record(*this, type).u32(value);
}

void EmfWriter::writeEmptyRecord(uint32_t type) {
  if (finished_) return;
  Record r(*this, type);
}

// --- mapping ----------------------------------------------------------------

void EmfWriter::setMapMode(MapMode mode) {
  if (finished_) return;
  applyMapMode(states_.current(), mode, ref_);
  writeU32Record(t(RecordType::SetMapMode), static_cast<uint32_t>(mode));
}

void EmfWriter::setWindowOrg(Point origin) {
  if (finished_) return;
  states_.current().windowOrg = origin;
  Record(*this, t(RecordType::SetWindowOrgEx)).point(origin);
}

void EmfWriter::setWindowExt(Size extent) {
  if (finished_) return;
  applyWindowExt(states_.current(), extent);
  Record(*this, t(RecordType::SetWindowExtEx)).size(extent);
}

void EmfWriter::setViewportOrg(Point origin) {
  if (finished_) return;
  states_.current().viewportOrg = origin;
  Record(*this, t(RecordType::SetViewportOrgEx)).point(origin);
}

void EmfWriter::setViewportExt(Size extent) {
  if (finished_) return;
  applyViewportExt(states_.current(), extent);
  Record(*this, t(RecordType::SetViewportExtEx)).size(extent);
}

// A metafile has no record for the graphics mode; players run in the
// advanced mode and the world-transform records carry what it changes.
void EmfWriter::setGraphicsMode(GraphicsMode mode) { states_.current().graphicsMode = mode; }

bool EmfWriter::setWorldTransform(const XForm& xf) {
  if (finished_ || states_.current().graphicsMode != GraphicsMode::Advanced) return false;
  states_.current().world = xf;
  Record(*this, t(RecordType::SetWorldTransform))
      .f32(xf.m11).f32(xf.m12).f32(xf.m21).f32(xf.m22).f32(xf.dx).f32(xf.dy);
  return true;
}

bool EmfWriter::modifyWorldTransform(const XForm& xf, TransformMode mode) {
  if (finished_ || states_.current().graphicsMode != GraphicsMode::Advanced) return false;
  XForm& w = states_.current().world;
  switch (mode) {
    case TransformMode::Identity: w = XForm{}; break;
    case TransformMode::LeftMultiply: w = combine(xf, w); break;
    case TransformMode::RightMultiply: w = combine(w, xf); break;
    case TransformMode::Set: w = xf; break;
    default: return false;
  }
  Record(*this, t(RecordType::ModifyWorldTransform))
      .f32(xf.m11).f32(xf.m12).f32(xf.m21).f32(xf.m22).f32(xf.dx).f32(xf.dy)
      .u32(static_cast<uint32_t>(mode));
  return true;
}

int EmfWriter::saveDC() {
  if (finished_) return 0;
  writeEmptyRecord(t(RecordType::SaveDc));
  return states_.save();
}

bool EmfWriter::restoreDC(int which) {
  if (finished_) return false;
  const int rel = states_.relativeOf(which);
  if (rel == 0) return false;
  states_.restore(rel);
  Record(*this, t(RecordType::RestoreDc)).i32(rel);
  return true;
}

// --- objects ----------------------------------------------------------------

ObjectHandle EmfWriter::createFont(const LogFont& font) {
  if (finished_) return {};
  const uint32_t h = allocateHandle();
  if (h == 0) return {};
  auto o = std::make_unique<Object>();
  o->kind = ObjectKind::Font;
  o->font = font;
  // The face in its 32 UTF-16 units, the last one a NUL; a name too long
  // is cut before a character, never inside a surrogate pair.
  std::u16string face = utf8ToUtf16(font.faceName);
  if (face.size() > emf::kLogFontFaceUnits - 1) {
    size_t keep = emf::kLogFontFaceUnits - 1;
    if (face[keep - 1] >= 0xD800 && face[keep - 1] <= 0xDBFF) --keep;
    face.resize(keep);
  }
  o->font.faceName = utf16ToUtf8(face);
  {
    Record r(*this, t(RecordType::ExtCreateFontIndirectW));
    r.u32(h);
    r.i32(font.height).i32(font.width).i32(font.escapement).i32(font.orientation).i32(font.weight);
    r.u8(font.italic ? 1 : 0).u8(font.underline ? 1 : 0).u8(font.strikeOut ? 1 : 0);
    r.u8(font.charSet).u8(font.outPrecision).u8(font.clipPrecision).u8(font.quality);
    r.u8(font.pitchAndFamily);
    for (size_t i = 0; i < emf::kLogFontFaceUnits; ++i) {
      r.u16(i < face.size() ? static_cast<uint16_t>(face[i]) : 0);
    }
    // The rest of LogFontPanose: full name, style, version and the
    // matching fields, all unused, and a PANOSE of "any".
    r.zeros(emf::kLogFontPanoseSize - emf::kLogFontSize);
  }
  objects_[h] = std::move(o);
  maxHandle_ = std::max(maxHandle_, h);
  return ObjectHandle{h};
}

ObjectHandle EmfWriter::createPen(const LogPen& pen) {
  if (finished_) return {};
  const uint32_t h = allocateHandle();
  if (h == 0) return {};
  auto o = std::make_unique<Object>();
  o->kind = ObjectKind::Pen;
  o->pen = pen;
  Record(*this, t(RecordType::CreatePen)).u32(h).u32(pen.style).i32(pen.width).i32(0).u32(pen.color);
  objects_[h] = std::move(o);
  maxHandle_ = std::max(maxHandle_, h);
  return ObjectHandle{h};
}

ObjectHandle EmfWriter::createBrush(const LogBrush& brush) {
  if (finished_) return {};
  const uint32_t h = allocateHandle();
  if (h == 0) return {};
  auto o = std::make_unique<Object>();
  o->kind = ObjectKind::Brush;
  o->brush = brush;
  Record(*this, t(RecordType::CreateBrushIndirect))
      .u32(h).u32(static_cast<uint32_t>(brush.style)).u32(brush.color)
      .u32(static_cast<uint32_t>(brush.hatch));
  objects_[h] = std::move(o);
  maxHandle_ = std::max(maxHandle_, h);
  return ObjectHandle{h};
}

ObjectHandle EmfWriter::createPalette(std::span<const PaletteEntry> entries) {
  if (finished_ || entries.empty() || entries.size() > 0xFFFF) return {};
  const uint32_t h = allocateHandle();
  if (h == 0) return {};
  auto o = std::make_unique<Object>();
  o->kind = ObjectKind::Palette;
  {
    // LogPalette: Version 0x0300, NumberOfEntries, then the entries.
    Record r(*this, t(RecordType::CreatePalette));
    r.u32(h).u16(0x0300).u16(static_cast<uint16_t>(entries.size()));
    for (const PaletteEntry& e : entries) r.u8(e.red).u8(e.green).u8(e.blue).u8(e.flags);
  }
  objects_[h] = std::move(o);
  maxHandle_ = std::max(maxHandle_, h);
  return ObjectHandle{h};
}

ObjectHandle EmfWriter::selectObject(ObjectHandle h) {
  if (finished_) return {};
  ObjectKind kind = stockKind(h);
  if (const Object* o = objectAt(h)) kind = o->kind;
  GdiState& s = states_.current();
  ObjectHandle* slot = nullptr;
  switch (kind) {
    case ObjectKind::Font: slot = &s.font; break;
    case ObjectKind::Pen: slot = &s.pen; break;
    case ObjectKind::Brush: slot = &s.brush; break;
    default: return {};  // palettes go through selectPalette
  }
  const ObjectHandle previous = *slot;
  *slot = h;
  writeU32Record(t(RecordType::SelectObject), h.value);
  return previous;
}

ObjectHandle EmfWriter::selectPalette(ObjectHandle h, bool /*background*/) {
  if (finished_) return {};
  ObjectKind kind = stockKind(h);
  if (const Object* o = objectAt(h)) kind = o->kind;
  if (kind != ObjectKind::Palette) return {};
  const ObjectHandle previous = states_.current().palette;
  states_.current().palette = h;
  writeU32Record(t(RecordType::SelectPalette), h.value);
  return previous;
}

void EmfWriter::realizePalette() { writeEmptyRecord(t(RecordType::RealizePalette)); }

bool EmfWriter::deleteObject(ObjectHandle h) {
  if (finished_ || objectAt(h) == nullptr || isSelectedAnywhere(h)) return false;
  objects_[h.value].reset();
  firstFree_ = std::min(firstFree_, h.value);
  writeU32Record(t(RecordType::DeleteObject), h.value);
  return true;
}

// --- attributes -------------------------------------------------------------

void EmfWriter::setTextColor(ColorRef color) {
  if (finished_) return;
  states_.current().textColor = color;
  writeU32Record(t(RecordType::SetTextColor), color);
}

void EmfWriter::setBkColor(ColorRef color) {
  if (finished_) return;
  states_.current().bkColor = color;
  writeU32Record(t(RecordType::SetBkColor), color);
}

void EmfWriter::setBkMode(BkMode mode) {
  if (finished_) return;
  states_.current().bkMode = mode;
  writeU32Record(t(RecordType::SetBkMode), static_cast<uint32_t>(mode));
}

void EmfWriter::setTextAlign(uint32_t flags) {
  if (finished_) return;
  states_.current().textAlign = flags;
  writeU32Record(t(RecordType::SetTextAlign), flags);
}

void EmfWriter::setPolyFillMode(PolyFillMode mode) {
  if (finished_) return;
  states_.current().polyFillMode = mode;
  writeU32Record(t(RecordType::SetPolyFillMode), static_cast<uint32_t>(mode));
}

// --- text -------------------------------------------------------------------

void EmfWriter::extTextOut(Point reference, uint32_t options, const Rect* rect,
                           std::string_view cp932, std::span<const int32_t> dx) {
  if (finished_) return;
  std::u16string text;
  std::vector<bool> wide;
  splitCp932(cp932, text, wide);
  const size_t n = text.size();

  // Advances: the caller's, else the font's natural ones.
  std::vector<int32_t> advances;
  bool pairs = (options & TextOutOption::Pdy) != 0 && dx.size() == 2 * n;
  if (pairs || dx.size() == n) {
    advances.assign(dx.begin(), dx.end());
  } else {
    pairs = false;
    const LogFont f = currentFont();
    const int32_t full = f.width != 0 ? 2 * std::abs(f.width) : std::abs(f.height);
    for (bool w : wide) advances.push_back(w ? full : full / 2);
  }
  if (!pairs) options &= ~TextOutOption::Pdy;
  double along = 0;
  for (size_t i = 0; i < advances.size(); i += pairs ? 2 : 1) along += advances[i];

  GdiState& s = states_.current();
  const bool updateCp = (s.textAlign & TextAlign::UpdateCP) != 0;
  const Point at = updateCp ? s.currentPosition : reference;
  DeviceBox box = textBox(at, along);
  if (rect != nullptr && (options & TextOutOption::Opaque) != 0) box.add(boxOf(*rect));
  if (updateCp) {
    // Advances add up over the calls: stop at the 32-bit range, not past it.
    s.currentPosition.x = static_cast<int32_t>(
        std::clamp(s.currentPosition.x + std::trunc(along), -2147483648.0, 2147483647.0));
  }

  // GM_COMPATIBLE text carries the scale from logical units to 0.01 mm
  // ([MS-EMF] 2.3.5.8): 1 and -1 under MM_HIMETRIC.
  double exScale = 0.0, eyScale = 0.0;
  if (s.graphicsMode == GraphicsMode::Compatible && ref_.horzRes > 0 && ref_.vertRes > 0) {
    const double umX = ref_.horzMicrometers > 0 ? ref_.horzMicrometers : ref_.horzSize * 1000.0;
    const double umY = ref_.vertMicrometers > 0 ? ref_.vertMicrometers : ref_.vertSize * 1000.0;
    exScale = umX / 10.0 / ref_.horzRes * s.viewportExt.cx / (s.windowExt.cx != 0 ? s.windowExt.cx : 1);
    eyScale = umY / 10.0 / ref_.vertRes * s.viewportExt.cy / (s.windowExt.cy != 0 ? s.windowExt.cy : 1);
  }
  const uint32_t offString = emf::kExtTextOutFixedSize;
  const uint32_t offDx = static_cast<uint32_t>(offString + pad4(n * 2));
  Record r(*this, t(RecordType::ExtTextOutW));
  r.rect(box.inclusive()).u32(static_cast<uint32_t>(s.graphicsMode));
  r.f32(static_cast<float>(exScale)).f32(static_cast<float>(eyScale));
  r.point(reference).u32(static_cast<uint32_t>(n)).u32(offString).u32(options);
  r.rect(rect != nullptr ? *rect : Rect{0, 0, -1, -1});  // GDI's "no rectangle"
  r.u32(offDx);
  for (char16_t c : text) r.u16(static_cast<uint16_t>(c));
  r.alignTo4();
  for (int32_t a : advances) r.i32(a);
  drew(box, false);
}

// --- lines and shapes -----------------------------------------------------

void EmfWriter::moveTo(Point p) {
  if (finished_) return;
  states_.current().currentPosition = p;
  Record(*this, t(RecordType::MoveToEx)).point(p);
}

void EmfWriter::lineTo(Point p) {
  if (finished_) return;
  const Point from = states_.current().currentPosition;
  const PointD ends[] = {{double(from.x), double(from.y)}, {double(p.x), double(p.y)}};
  drew(boxOf(ends), true);
  states_.current().currentPosition = p;
  Record(*this, t(RecordType::LineTo)).point(p);
}

void EmfWriter::writePoly(uint32_t type, std::span<const Point> points, bool stroked) {
  if (finished_ || points.size() < 2 || points.size() > 0x0FFFFFFF) return;
  std::vector<PointD> pts;
  pts.reserve(points.size());
  for (const Point& p : points) pts.push_back({double(p.x), double(p.y)});
  DeviceBox box = boxOf(pts);
  drew(box, stroked);
  box.inflate(stroked ? penHalfWidth() : 0.0);
  Record r(*this, type);
  r.rect(box.inclusive()).u32(static_cast<uint32_t>(points.size()));
  for (const Point& p : points) r.point(p);
}

void EmfWriter::polyline(std::span<const Point> points) {
  writePoly(t(RecordType::Polyline), points, true);
}

void EmfWriter::polygon(std::span<const Point> points) {
  writePoly(t(RecordType::Polygon), points, true);
}

void EmfWriter::writeBox(uint32_t type, const Rect& box) {
  drew(boxOf(box), true);
  Record(*this, type).rect(box);
}

void EmfWriter::rectangle(const Rect& box) {
  if (!finished_) writeBox(t(RecordType::Rectangle), box);
}

void EmfWriter::ellipse(const Rect& box) {
  if (!finished_) writeBox(t(RecordType::Ellipse), box);
}

void EmfWriter::roundRect(const Rect& box, Size corner) {
  if (finished_) return;
  drew(boxOf(box), true);
  Record(*this, t(RecordType::RoundRect)).rect(box).size(corner);
}

void EmfWriter::setPixelV(Point p, ColorRef color) {
  if (finished_) return;
  const PointD at[] = {{double(p.x), double(p.y)}};
  DeviceBox b = boxOf(at);
  b.inflate(0.5);
  drew(b, false);
  Record(*this, t(RecordType::SetPixelV)).point(p).u32(color);
}

// --- paths ------------------------------------------------------------------

void EmfWriter::beginPath() {
  if (finished_) return;
  inPath_ = true;
  pathBox_ = {};
  writeEmptyRecord(t(RecordType::BeginPath));
}

void EmfWriter::endPath() {
  if (finished_ || !inPath_) return;
  inPath_ = false;
  writeEmptyRecord(t(RecordType::EndPath));
}

void EmfWriter::closeFigure() {
  if (finished_ || !inPath_) return;
  writeEmptyRecord(t(RecordType::CloseFigure));
}

void EmfWriter::abortPath() {
  if (finished_) return;
  inPath_ = false;
  pathBox_ = {};
  writeEmptyRecord(t(RecordType::AbortPath));
}

// Stroking and filling use up the path, as in GDI.
void EmfWriter::writePathDraw(uint32_t type, bool stroked, bool filled) {
  if (finished_) return;
  (void)filled;
  DeviceBox box = pathBox_;
  if (stroked) box.inflate(penHalfWidth());
  bounds_.add(box);
  pathBox_ = {};
  Record(*this, type).rect(box.inclusive());
}

void EmfWriter::strokePath() { writePathDraw(t(RecordType::StrokePath), true, false); }
void EmfWriter::fillPath() { writePathDraw(t(RecordType::FillPath), false, true); }
void EmfWriter::strokeAndFillPath() {
  writePathDraw(t(RecordType::StrokeAndFillPath), true, true);
}

void EmfWriter::selectClipPath(RegionMode mode) {
  if (finished_) return;
  pathBox_ = {};
  writeU32Record(t(RecordType::SelectClipPath), static_cast<uint32_t>(mode));
}

// EMR_EXTSELECTCLIPRGN with no region data and RGN_COPY: the default clip,
// which is the whole surface ([MS-EMF] 2.3.2.2).
void EmfWriter::resetClip() {
  if (finished_) return;
  Record(*this, t(RecordType::ExtSelectClipRgn)).u32(0).u32(static_cast<uint32_t>(RegionMode::Copy));
}

// --- bitmaps ----------------------------------------------------------------

bool EmfWriter::stretchDIBits(const BlitRect& dest, const BlitRect& source,
                              std::span<const uint8_t> bitmapInfo, std::span<const uint8_t> bits,
                              DibUsage usage, uint32_t rasterOp) {
  if (finished_) return false;
  const auto layout = dibLayout(bitmapInfo, usage == DibUsage::PalColors ? 2 : 4);
  if (!layout || usage == DibUsage::PalIndices || bits.size() < layout->imageSize) return false;
  const size_t infoBytes = layout->infoSize;
  const auto imageBytes = static_cast<size_t>(layout->imageSize);
  if (emf::kStretchDiBitsFixedSize + pad4(infoBytes) + pad4(imageBytes) > UINT32_MAX) return false;

  const Rect destRect{dest.x, dest.y, dest.x + dest.cx, dest.y + dest.cy};
  const DeviceBox box = boxOf(destRect);
  drew(box, false);
  const uint32_t offBmi = emf::kStretchDiBitsFixedSize;
  const auto offBits = static_cast<uint32_t>(offBmi + pad4(infoBytes));
  Record r(*this, t(RecordType::StretchDiBits));
  r.rect(box.inclusive());
  r.i32(dest.x).i32(dest.y).i32(source.x).i32(source.y).i32(source.cx).i32(source.cy);
  r.u32(offBmi).u32(static_cast<uint32_t>(infoBytes)).u32(offBits).u32(static_cast<uint32_t>(imageBytes));
  r.u32(static_cast<uint32_t>(usage)).u32(rasterOp).i32(dest.cx).i32(dest.cy);
  r.bytes(bitmapInfo.first(infoBytes)).alignTo4();
  r.bytes(bits.first(imageBytes));
  return true;
}

void EmfWriter::comment(std::span<const uint8_t> data) {
  if (finished_ || data.size() > UINT32_MAX - 16) return;
  Record(*this, t(RecordType::GdiComment)).u32(static_cast<uint32_t>(data.size())).bytes(data);
}

}  // namespace kumi::platform
