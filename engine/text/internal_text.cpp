#include "engine/text/internal_text.h"

#include "engine/text/halfwidth_tables.h"

namespace kumi::engine {

size_t InternalText::length() const {
  size_t n = 0;
  while (n < kMaxUnits && units[n] != code::kEnd) ++n;
  return n;
}

void InternalText::clear() {
  units.fill(code::kEnd);
  classes.fill(0);
}

uint16_t halfWidthToSjis(uint8_t byte) {
  // Indexed by the byte: intake looks up every half-width character.
  static const std::array<uint16_t, 256> byByte = [] {
    std::array<uint16_t, 256> t{};
    for (const HalfWidthEntry& e : kHalfWidthTable) t[e.byte] = e.sjis;
    return t;
  }();
  return byByte[byte];
}

uint16_t voicedToSjis(uint8_t base, uint8_t mark) {
  for (const VoicedEntry& e : kVoicedTable) {
    if (e.base == base && e.mark == mark) return e.sjis;
  }
  return 0;
}

namespace {

// Where a call's text ends: NUL, blank + NUL, or two blanks.
size_t textEnd(std::string_view s) {
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\0') return i;
    if (s[i] == ' ' && (i + 1 == s.size() || s[i + 1] == '\0' || s[i + 1] == ' ')) {
      // A single trailing blank at the very end of the span is still a blank
      // followed by nothing; treat it like blank + NUL.
      return i;
    }
  }
  return s.size();
}

}  // namespace

void intakeSjisText(std::string_view sjis, bool secondFamily, InternalText& out) {
  const size_t end = textEnd(sjis);
  const char halfClass = secondFamily ? 'K' : 'A';
  size_t n = 0;
  size_t i = 0;
  while (i < end && n < kMaxUnits) {
    const auto b = static_cast<uint8_t>(sjis[i]);
    uint16_t pair = 0;
    char cls = 'K';
    if (isSjisLeadByte(b)) {
      if (i + 1 >= end) break;  // a lead byte without its trail byte
      pair = static_cast<uint16_t>((b << 8) | static_cast<uint8_t>(sjis[i + 1]));
      i += 2;
    } else {
      const uint8_t next = i + 1 < end ? static_cast<uint8_t>(sjis[i + 1]) : 0;
      if ((next == 0xDE || next == 0xDF) && voicedToSjis(b, next) != 0) {
        pair = voicedToSjis(b, next);
        i += 2;
      } else {
        pair = halfWidthToSjis(b);
        i += 1;
      }
      if (pair == 0) pair = jisToSjis(code::kGeta);
      cls = halfClass;
    }
    out.units[n] = sjisToJis(pair);
    out.classes[n] = cls;
    ++n;
  }
  for (size_t k = n; k <= kMaxUnits; ++k) {
    out.units[k] = code::kEnd;
    out.classes[k] = 0;
  }
}

void intakeJisText(std::string_view bytes, bool clearClasses, InternalText& out) {
  size_t n = 0;
  for (size_t i = 0; i + 1 < bytes.size() && n < kMaxUnits; i += 2) {
    const Unit u = static_cast<Unit>((static_cast<uint8_t>(bytes[i]) << 8) |
                                     static_cast<uint8_t>(bytes[i + 1]));
    if (u == code::kEnd) break;
    out.units[n++] = u;
  }
  for (size_t k = n; k <= kMaxUnits; ++k) out.units[k] = code::kEnd;
  if (clearClasses) {
    for (size_t k = 0; k <= kMaxUnits; ++k) out.classes[k] = k < n ? 'K' : 0;
  }
}

Unit intakeCharField(uint8_t first, uint8_t second) {
  if (isSjisLeadByte(first)) return sjisToJis(static_cast<uint16_t>((first << 8) | second));
  return static_cast<Unit>((first << 8) | second);
}

}  // namespace kumi::engine
