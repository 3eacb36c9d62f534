#include "engine/compose/cells/cells.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "engine/compose/cells/font_classes.h"
#include "engine/core/engine.h"
#include "engine/core/size_code.h"

namespace kumi::engine {
namespace {

// PC advances are raw 32-bit values from a text definition; keeping them in
// this range keeps the sum of 1000 advances inside int32.
constexpr int32_t kMaxTableAdvance = 1 << 20;

constexpr Unit kThreeQuarterSpace = 0x237E;
constexpr Unit kNoWidthSpace = 0x2C6A;

// Opening brackets whose PD entry marks the cell as measured by own metrics.
constexpr Unit kOpeningBrackets[] = {0x214A, 0x214C, 0x214E, 0x2150, 0x2152, 0x2154,
                                     0x2156, 0x2158, 0x215A, 0x2146, 0x2148};

bool isOpeningBracket(Unit u) {
  return std::find(std::begin(kOpeningBrackets), std::end(kOpeningBrackets), u) != std::end(kOpeningBrackets);
}

char fieldByte(Entry entry, size_t field, size_t offset = 0) {
  const size_t pos = field * 4 + offset;
  return pos < entry.size() ? static_cast<char>(entry[pos]) : '\0';
}

uint8_t fieldSizeCode(Entry entry, size_t field) { return sizeCodeFromText(fieldText(entry, field)); }

std::array<char, 7> glyphString(uint8_t glyphSize, char widthScale, char heightScale) {
  return {'1', '0', static_cast<char>(glyphSize), '0', '0', widthScale, heightScale};
}

int32_t readI32LE(Entry entry, size_t pos) {
  if (pos + 4 > entry.size()) return 0;
  const uint32_t v = uint32_t{entry[pos]} | uint32_t{entry[pos + 1]} << 8 | uint32_t{entry[pos + 2]} << 16 |
                     uint32_t{entry[pos + 3]} << 24;
  return static_cast<int32_t>(v);
}

// HT entry: open, close, colour, advance size, font class, digit mode, glyph
// size, width scale, height scale, baseline flag.
void applyRunEntry(Entry e, CurrentAttributes& a) {
  a.kindLetter = 'K';
  a.fontClass = {fieldByte(e, 4, 0), fieldByte(e, 4, 1)};
  a.digitMode = fieldByte(e, 5);
  a.advanceSize = fieldSizeCode(e, 3);
  const char widthScale = fieldByte(e, 7);
  const char heightScale = fieldByte(e, 8);
  a.lineScale = a.vertical ? heightScale : widthScale;
  a.direction = fieldByte(e, 2, 0);
  a.colour = {fieldByte(e, 2, 0), fieldByte(e, 2, 1)};
  a.glyph = glyphString(fieldSizeCode(e, 6), widthScale, heightScale);
  a.baseline = fieldByte(e, 9) == '1' ? 1 : 0;
}

// In-line attribute runs (HT). One run at a time: inside a run the closing
// character of any entry ends it, and an opening character is an ordinary
// character. The closing character is set in the attributes restored, the
// opening one in the run's.
class AttributeRuns {
 public:
  explicit AttributeRuns(const StyleTables& tables) : tables_(tables), count_(tables.entryCount(TableId::HT)) {}

  void at(Unit u, CurrentAttributes& current) {
    if (count_ == 0) return;
    if (open_) {
      // The closing character of any entry ends the run; runs do not nest,
      // so an opening character inside a run is an ordinary character.
      for (size_t i = 0; i < count_; ++i) {
        if (fieldCode(tables_.entry(TableId::HT, i), 1) != u) continue;
        current = saved_;
        open_ = false;
        return;
      }
      return;
    }
    for (size_t i = 0; i < count_; ++i) {
      const Entry e = tables_.entry(TableId::HT, i);
      if (fieldCode(e, 0) != u) continue;
      saved_ = current;
      applyRunEntry(e, current);
      open_ = true;
      return;
    }
  }

 private:
  const StyleTables& tables_;
  size_t count_;
  bool open_ = false;
  CurrentAttributes saved_;
};

// The first entry of a table for each character, found by binary search:
// cells look up CA, GA, PD and PC for every character, and PD holds up to 300
// entries. Built once per pass; the tables do not change while cells are built.
class TableIndex {
 public:
  TableIndex(const StyleTables& tables, TableId id) {
    const size_t n = tables.entryCount(id);
    keys_.reserve(n);
    for (size_t i = 0; i < n; ++i) {
      const Entry e = tables.entry(id, i);
      keys_.push_back({fieldCode(e, 0), e});
    }
    // Stable: among equal codes the earliest entry comes first, as a scan finds it.
    std::stable_sort(keys_.begin(), keys_.end(), [](const Key& a, const Key& b) { return a.code < b.code; });
  }

  std::optional<Entry> find(Unit u) const {
    if (keys_.empty()) return std::nullopt;
    const auto it = std::lower_bound(keys_.begin(), keys_.end(), u, [](const Key& k, Unit c) { return k.code < c; });
    if (it == keys_.end() || it->code != u) return std::nullopt;
    return it->entry;
  }

 private:
  struct Key {
    Unit code;
    Entry entry;
  };
  std::vector<Key> keys_;
};

struct CellContext {
  CellContext(const CallRecord& c, const StyleTables& t)
      : call(c), ca(t, TableId::CA), ga(t, TableId::GA), pd(t, TableId::PD), pc(t, TableId::PC) {}
  const CallRecord& call;
  TableIndex ca, ga, pd, pc;
};

// One cell from the character `u`; `attrs` are the attributes in force and
// are not changed (a GA override holds for this character only).
CharCell buildCell(const CellContext& ctx, CurrentAttributes attrs, Unit u, char cls) {
  const bool second = ctx.call.secondFamily();
  attrs.cls = cls == 'A' ? 'A' : 'K';

  // Glyph override: the GA lookup follows a CA substitute, the metrics do not.
  const std::optional<Entry> ca = ctx.ca.find(u);
  const char caType = ca ? fieldByte(*ca, 1) : '0';
  const Unit substitute = ca ? fieldCode(*ca, 2) : 0;
  if (!ca || caType != '3') {
    const Unit gaCode = ca && substitute != 0 ? substitute : u;
    if (const std::optional<Entry> ga = ctx.ga.find(gaCode)) {
      attrs.fontClass = {fieldByte(*ga, 1, 0), fieldByte(*ga, 1, 1)};
      attrs.glyph = glyphString(fieldSizeCode(*ga, 2), fieldByte(*ga, 3), fieldByte(*ga, 4));
    }
  }

  CharCell cell;
  cell.advance = measureCharacter(attrs, u, attrs.cls, second, &cell.metricFlag);
  if (const std::optional<Entry> pd = ctx.pd.find(u)) {
    cell.advance = cell.advance * std::max(0, fieldNumber(*pd, 1)) / 100;
    if (isOpeningBracket(u)) cell.metricFlag = '1';
  }
  if (const std::optional<Entry> pc = ctx.pc.find(u)) {
    cell.advance = std::clamp(readI32LE(*pc, 4), 0, kMaxTableAdvance);
  }
  if (u == ctx.call.breakChar) cell.advance = 0;

  cell.cls = attrs.cls;
  cell.direction = attrs.direction;
  cell.code = (u == kThreeQuarterSpace || u == kNoWidthSpace) ? code::kIdeographicSpace : u;
  cell.fontLetter = attrs.glyph[1];
  cell.glyphSize = static_cast<uint8_t>(attrs.glyph[2]);
  cell.caType = attrs.glyph[3];
  cell.spare = attrs.glyph[4];
  cell.widthScale = attrs.glyph[5];
  cell.heightScale = attrs.glyph[6];
  cell.colour = attrs.colour;
  cell.baseline = attrs.baseline;
  if (ca) {
    cell.caType = caType;
    // An empty substitute field names no character: the written one stays.
    if (caType != '3' && substitute != 0) cell.code = substitute;
  }
  if (ctx.call.command == 'L') cell.fontLetter = fontLetterOf(attrs.fontClass, second);
  return cell;
}

}  // namespace

CurrentAttributes attributesFromCall(const CallRecord& call) {
  CurrentAttributes a;
  a.kindLetter = call.kindLetter();
  a.vertical = call.isVertical();
  a.advanceSize = call.charSizeCode;
  a.fontClass = call.fontCode;
  a.digitMode = call.digitMode;
  a.lineScale = a.vertical ? call.heightScale : call.widthScale;
  a.direction = call.resultSelector;
  a.colour = {call.counterText[0], call.counterText[1]};
  a.glyph = call.attributes;
  return a;
}

CellBuildResult buildCells(Engine& engine) {
  const CellContext ctx(engine.record(), engine.tables());
  const InternalText& text = engine.text();
  CellArray& cells = engine.cells();
  CurrentAttributes attrs = attributesFromCall(ctx.call);
  AttributeRuns runs(engine.tables());

  CellBuildResult result;
  for (size_t i = 0; i < kMaxUnits && text.units[i] != code::kEnd; ++i) {
    const Unit u = text.units[i];
    if (u == code::kDeleted) continue;
    runs.at(u, attrs);
    CharCell cell = buildCell(ctx, attrs, u, text.classes[i]);
    result.naturalLength += cell.advance;
    cells[result.count++] = cell;
  }
  CharCell end;
  end.line = -1;
  cells[result.count] = end;
  return result;
}

}  // namespace kumi::engine
