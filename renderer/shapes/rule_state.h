#pragma once
// The rule attributes the page file's shape records carry, and the state
// they leave behind between records.
//
// A K2 record sets the colours and the line type of the shape that follows;
// a K1 record may set the line type again and draws. What one record sets
// stays for the next ones (the whole run, across pages): the line type and
// the outline colour until another record changes them, the line colour for
// the one K1 after its K2 (a K1 without a K2 draws in black), the corner
// size of rounded boxes until the next corner record.
//
// The codes are single bytes of untrusted records: every byte value maps to
// something (an unknown colour code gives black lines and no outline, an
// unknown line type leaves the current one, an unknown fill draws none).
#include <array>
#include <cstdint>
#include <optional>

#include "platform/emf/gdi_types.h"
#include "renderer/settings/render_settings.h"

namespace kumi::renderer::shapes {

using platform::ColorRef;

constexpr ColorRef kBlack = platform::rgb(0, 0, 0);

// The colour "none" keeps 999 in each component; code that reads the
// components as bytes (the bordered characters' pen) sees 999 mod 256.
constexpr ColorRef kNoneAsBytes = platform::rgb(231, 231, 231);

// '1'-'9' the fixed colours (black, blue, green, cyan, red, magenta, yellow,
// white, grey), 'A'-'G' or 'a'-'g' the user colours 1-7; nullopt for any
// other byte (a line then draws black, an outline not at all).
std::optional<ColorRef> colourOfCode(char code, const std::array<settings::Rgb, 7>& userColors);

// The pen a line-type code selects: '2'-'5' the broken patterns of width 1;
// 'O', 'N', 'A', 'V', 'W', 'X', 'Y', 'Z' the solid rule widths 1-8 (as
// stored, ×10 on a standard page), inside-frame in batch mode so that thick
// rules stay within their box. nullopt: the code changes nothing.
struct LineType {
  uint32_t penStyle = platform::PenStyle::Solid;
  int32_t storedWidth = 0;
  friend bool operator==(const LineType&, const LineType&) = default;
};
std::optional<LineType> lineTypeOfCode(char code, bool batch,
                                       const std::array<int32_t, 8>& ruleWidths);

// A stored width is in units of 0.254 mm / 2.54 logical units, so the pen is
// trunc(w × 2.54) logical units wide on either page. A negative width (a
// settings file holding one) draws as a hairline; huge ones saturate.
int32_t penWidthOf(int32_t storedWidth);
// Half the pen, unrounded: how far batch mode pulls line ends inwards.
double halfPenOf(int32_t storedWidth);

// Byte 20 of a K1.
enum class FillKind { None, Solid, Hatch, TintScreen };
struct Fill {
  FillKind kind = FillKind::None;
  platform::HatchStyle hatch = platform::HatchStyle::Horizontal;  // FillKind::Hatch only
  friend bool operator==(const Fill&, const Fill&) = default;
};
// '0' solid; '2'-'7' horizontal, vertical, forward diagonal, backward
// diagonal, cross and diagonal-cross hatching; '8' the tint screen; else none.
Fill fillOfCode(char code);

struct RuleState {
  uint32_t penStyle = platform::PenStyle::Solid;
  int32_t storedWidth = 0;
  ColorRef lineColour = kBlack;
  std::optional<ColorRef> outlineColour = kBlack;  // nullopt: none (no outline pass)
  bool k2Seen = false;
  int32_t cornerSize = 0;

  void setLineType(const std::optional<LineType>& type) {
    if (!type) return;
    penStyle = type->penStyle;
    storedWidth = type->storedWidth;
  }
  // The outline colour as a pen colour for whoever borrows it (bordered
  // characters): none reads as (231, 231, 231).
  ColorRef outlineAsBytes() const { return outlineColour.value_or(kNoneAsBytes); }
};

}  // namespace kumi::renderer::shapes
