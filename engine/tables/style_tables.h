#pragma once
// The seventeen style tables that steer the composer.
//
// A table is defined by one text of four-byte fields: the name, then the
// entries. Two-byte Shift_JIS characters are stored as JIS pairs, all-blank
// fields as four NULs, other bytes as given; the stored entries end with
// eight 0xFF bytes. Tables live for the whole process, across runs, and
// change only by being defined again. Lookups read the bytes as stored and
// never run past a table's storage.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/text/codes.h"

namespace kumi::engine {

enum class TableId { HT, PC, PD, CA, GT, GM, RJ, DS, DE, BR, TB, TA, DB, GA, RB, KZ, BU };
constexpr size_t kTableCount = 17;

struct TableSpec {
  TableId id;
  char name[3];
  size_t entrySize;  // bytes
  size_t capacity;   // entries
};

// In the order definitions are matched.
extern const std::array<TableSpec, kTableCount> kTableSpecs;
const TableSpec& specOf(TableId id);

using Entry = std::span<const uint8_t>;

// Field helpers over one entry (fields are four bytes).
Unit fieldCode(Entry entry, size_t field);        // first two bytes of the field
int32_t fieldNumber(Entry entry, size_t field);   // ASCII decimal, 0 when none
std::string_view fieldText(Entry entry, size_t field);  // the four raw bytes

struct DefineOutcome {
  bool matched = false;       // a table name: the call is done
  bool boundaryError = false;  // length not a multiple of four, or too many entries
  std::string tableName;       // the first two bytes of the text, as given
};

class StyleTables {
 public:
  StyleTables();

  // Intake of a definition text (raw Shift_JIS bytes, at most 2000 used).
  // Shows no message itself: the caller reports a boundary error.
  DefineOutcome define(std::string_view text);

  bool isEmpty(TableId id) const;
  // The entries up to the end mark (whole entries only).
  size_t entryCount(TableId id) const;
  Entry entry(TableId id, size_t index) const;
  // Entry `index` read by position, past the end mark too (TB/TA line
  // formats are looked up this way); empty past the storage.
  Entry entryAt(TableId id, size_t index) const;
  // The first entry whose first field holds `code`, searching up to the end mark.
  std::optional<Entry> find(TableId id, Unit code) const;
  // Same, matching the given field instead of the first.
  std::optional<Entry> findByField(TableId id, size_t field, Unit code) const;

  // The stored bytes: entries, end mark and what follows in the storage.
  std::span<const uint8_t> storage(TableId id) const;

 private:
  void store(TableId id, std::span<const uint8_t> entries, bool& overflow);
  void resetLineFormats(TableId id);
  std::array<std::vector<uint8_t>, kTableCount> storage_;
};

// The definition intake on its own: finds the end mark and converts the
// fields in place. Exposed for tests and for the record entry points.
struct ConvertedDefinition {
  std::vector<uint8_t> bytes;  // converted, up to the end mark
  size_t lengthBeforeMark = 0;
};
ConvertedDefinition convertDefinition(std::string_view text);

}  // namespace kumi::engine
