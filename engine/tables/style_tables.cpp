#include "engine/tables/style_tables.h"

#include <algorithm>

namespace kumi::engine {

const std::array<TableSpec, kTableCount> kTableSpecs = {{
    {TableId::HT, "HT", 40, 10},   {TableId::PC, "PC", 36, 100}, {TableId::PD, "PD", 8, 300},
    {TableId::CA, "CA", 20, 300},  {TableId::GT, "GT", 4, 100},  {TableId::GM, "GM", 4, 100},
    {TableId::RJ, "RJ", 4, 200},   {TableId::DS, "DS", 4, 100},  {TableId::DE, "DE", 4, 100},
    {TableId::BR, "BR", 4, 100},   {TableId::TB, "TB", 12, 200}, {TableId::TA, "TA", 12, 200},
    {TableId::DB, "DB", 14, 71},   {TableId::GA, "GA", 20, 21},  {TableId::RB, "RB", 32, 1},
    {TableId::KZ, "KZ", 24, 300},  {TableId::BU, "BU", 52, 20},
}};

namespace {

constexpr size_t kEndMarkBytes = 8;
constexpr size_t kLineFormatsReset = 101;

size_t indexOf(TableId id) { return static_cast<size_t>(id); }

// Where the definition ends: the first 0xFF byte or "FF"/"ff" pair, outside
// any two-byte character. 0xFF is never a trail byte, so it ends the text even
// right after a lead byte.
size_t findEndMark(std::string_view t) {
  for (size_t i = 0; i < t.size(); ++i) {
    const auto b = static_cast<uint8_t>(t[i]);
    if (b == 0xFF) return i;
    if (i + 1 < t.size() && ((t[i] == 'F' && t[i + 1] == 'F') || (t[i] == 'f' && t[i + 1] == 'f'))) {
      return i;
    }
    if (isSjisLeadByte(b) && i + 1 < t.size() && static_cast<uint8_t>(t[i + 1]) != 0xFF) ++i;
  }
  return t.size();
}

}  // namespace

const TableSpec& specOf(TableId id) { return kTableSpecs[indexOf(id)]; }

Unit fieldCode(Entry entry, size_t field) {
  const size_t pos = field * 4;
  if (pos + 2 > entry.size()) return 0;
  return static_cast<Unit>((entry[pos] << 8) | entry[pos + 1]);
}

int32_t fieldNumber(Entry entry, size_t field) {
  const size_t pos = field * 4;
  if (pos + 4 > entry.size()) return 0;
  int32_t value = 0;
  size_t i = pos;
  while (i < pos + 4 && entry[i] == ' ') ++i;
  bool negative = false;
  if (i < pos + 4 && entry[i] == '-') {
    negative = true;
    ++i;
  }
  for (; i < pos + 4 && entry[i] >= '0' && entry[i] <= '9'; ++i) value = value * 10 + (entry[i] - '0');
  return negative ? -value : value;
}

std::string_view fieldText(Entry entry, size_t field) {
  const size_t pos = field * 4;
  if (pos + 4 > entry.size()) return {};
  return {reinterpret_cast<const char*>(entry.data() + pos), 4};
}

ConvertedDefinition convertDefinition(std::string_view text) {
  text = text.substr(0, std::min<size_t>(text.size(), 2000));
  const size_t end = findEndMark(text);
  ConvertedDefinition out;
  out.lengthBeforeMark = end;
  out.bytes.assign(text.begin(), text.begin() + static_cast<ptrdiff_t>(end));
  std::vector<uint8_t>& b = out.bytes;
  size_t i = 0;
  while (i < end) {
    if (i + 4 <= end && b[i] == ' ' && b[i + 1] == ' ' && b[i + 2] == ' ' && b[i + 3] == ' ') {
      std::fill_n(b.begin() + static_cast<ptrdiff_t>(i), 4, 0);
      i += 4;
    } else if (isSjisLeadByte(b[i]) && i + 1 < end) {
      const Unit jis = sjisToJis(static_cast<uint16_t>((b[i] << 8) | b[i + 1]));
      b[i] = static_cast<uint8_t>(jis >> 8);
      b[i + 1] = static_cast<uint8_t>(jis & 0xFF);
      i += 2;
    } else {
      ++i;
    }
  }
  return out;
}

StyleTables::StyleTables() {
  for (const TableSpec& s : kTableSpecs) {
    storage_[indexOf(s.id)].assign(s.capacity * s.entrySize + kEndMarkBytes, 0xFF);
  }
}

void StyleTables::resetLineFormats(TableId id) {
  std::vector<uint8_t>& st = storage_[indexOf(id)];
  const size_t size = specOf(id).entrySize;
  for (size_t line = 0; line < kLineFormatsReset && (line + 1) * size <= st.size(); ++line) {
    std::fill_n(st.begin() + static_cast<ptrdiff_t>(line * size + 4), 8, '0');
  }
}

void StyleTables::store(TableId id, std::span<const uint8_t> entries, bool& overflow) {
  const TableSpec& spec = specOf(id);
  const size_t room = spec.capacity * spec.entrySize;
  size_t keep = entries.size();
  if (keep > room) {
    keep = room;  // whole entries that fit; the rest is refused
    overflow = true;
  }
  std::vector<uint8_t>& st = storage_[indexOf(id)];
  std::copy_n(entries.begin(), keep, st.begin());
  std::fill_n(st.begin() + static_cast<ptrdiff_t>(keep), kEndMarkBytes, 0xFF);
}

DefineOutcome StyleTables::define(std::string_view text) {
  DefineOutcome out;
  out.tableName.assign(text.substr(0, std::min<size_t>(2, text.size())));
  const ConvertedDefinition def = convertDefinition(text);
  out.boundaryError = def.lengthBeforeMark % 4 != 0;
  if (def.bytes.size() < 2) return out;
  const TableSpec* spec = nullptr;
  for (const TableSpec& s : kTableSpecs) {
    if (def.bytes[0] == static_cast<uint8_t>(s.name[0]) && def.bytes[1] == static_cast<uint8_t>(s.name[1])) {
      spec = &s;
      break;
    }
  }
  if (spec == nullptr) return out;
  out.matched = true;
  std::span<const uint8_t> entries;
  if (def.bytes.size() > 4) entries = std::span<const uint8_t>(def.bytes).subspan(4);
  bool overflow = false;
  if (spec->id == TableId::TB) {
    resetLineFormats(TableId::TB);
    store(TableId::TB, entries, overflow);
  } else if (spec->id == TableId::TA) {
    resetLineFormats(TableId::TB);
    resetLineFormats(TableId::TA);
    store(TableId::TB, entries, overflow);
    store(TableId::TA, entries, overflow);
  } else {
    store(spec->id, entries, overflow);
  }
  out.boundaryError = out.boundaryError || overflow;
  return out;
}

std::span<const uint8_t> StyleTables::storage(TableId id) const { return storage_[indexOf(id)]; }

bool StyleTables::isEmpty(TableId id) const { return storage_[indexOf(id)][0] == 0xFF; }

size_t StyleTables::entryCount(TableId id) const {
  const TableSpec& spec = specOf(id);
  const std::vector<uint8_t>& st = storage_[indexOf(id)];
  size_t n = 0;
  while ((n + 1) * spec.entrySize <= st.size() - kEndMarkBytes && st[n * spec.entrySize] != 0xFF) ++n;
  return n;
}

Entry StyleTables::entry(TableId id, size_t index) const {
  if (index >= entryCount(id)) return {};
  return entryAt(id, index);
}

Entry StyleTables::entryAt(TableId id, size_t index) const {
  const size_t size = specOf(id).entrySize;
  const std::vector<uint8_t>& st = storage_[indexOf(id)];
  if ((index + 1) * size > st.size()) return {};
  return Entry(st).subspan(index * size, size);
}

std::optional<Entry> StyleTables::findByField(TableId id, size_t field, Unit code) const {
  const size_t n = entryCount(id);
  for (size_t i = 0; i < n; ++i) {
    const Entry e = entryAt(id, i);
    if (fieldCode(e, field) == code) return e;
  }
  return std::nullopt;
}

std::optional<Entry> StyleTables::find(TableId id, Unit code) const { return findByField(id, 0, code); }

}  // namespace kumi::engine
