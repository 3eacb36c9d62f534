#pragma once
// What a character record's bytes mean for drawing: size codes, scale codes,
// colour numbers, style codes and faces. Pure functions, one table each, so
// that the drawing itself (character_drawing.h) reads as its steps.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/emf/gdi_types.h"

namespace kumi::renderer::drawing {

// The settings character drawing reads: the nine FontFaces entries (CP932,
// as the settings file holds them) and the seven UserColors.
struct CharacterSettings {
  std::array<std::string, 9> fontFaces;
  std::array<platform::ColorRef, 7> userColors{};
};

// A size code (byte 16): Q size, font height H in 0.01 mm and the cell's em
// in engine units. Codes outside the table are 5 Q.
struct CharacterSize {
  int q = 5;
  double height = 125.0;
  int32_t em = 20;
};
CharacterSize sizeOfCode(uint8_t code);

// Width and height scale codes (bytes 19, 20): '1' 0.95 down to '5' 0.55,
// anything else 1.0.
double scaleOfCode(char code);

// The colour number at bytes 21-22: the decimal digits from byte 21 up to
// the first non-digit; 1-9 the fixed colours, 10-16 the UserColors, any
// other number (none at all included) black.
platform::ColorRef colourOfNumber(const char (&digits)[2], const CharacterSettings& settings);

enum class TextEffect { None, Hollow, Shadow, Filled, Bordered, ImageFilled };

// A style code (byte 24).
struct CharacterStyle {
  bool italic = false;
  int32_t weight = 0;  // 0, or 800 for bold
  TextEffect effect = TextEffect::None;
  // 'X' and 'N' draw the double-byte form (bytes 12-13) even for a
  // single-byte character.
  bool doubleByteForm = false;
};
CharacterStyle styleOfCode(char code);

// The face of a font code (byte 15) in CP932: '1'-'9' the FontFaces entry,
// 'A'-'J' a built-in face (its vertical "@" name unless the direction is
// 'Y'), anything else "ＭＳ 明朝"; an empty entry or one starting with a blank
// is "ＭＳ 明朝" too. This is the face before the vertical "@" of step 3.
std::string faceOfCode(char fontCode, char direction, const CharacterSettings& settings);

// The default face, CP932.
std::string_view defaultFace();

}  // namespace kumi::renderer::drawing
