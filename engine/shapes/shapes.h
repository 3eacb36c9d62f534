#pragma once
// Rules, shapes and images: the K and G calls, and the rule and image
// writers that emphasis, fractions and CA-table images use as well.
#include <array>
#include <cstdint>
#include <string_view>

namespace kumi::engine {

class Engine;

// A K call: one shape as its K2/K1 records.
void composeRule(Engine& engine);
// A G call: one image as G1, G3, G2 (and a frame and cross in the second family).
void composeImage(Engine& engine);

// One shape for the rule writer.
struct RuleSpec {
  char shape = 'B';
  int32_t y1 = 0, x1 = 0, y2 = 0, x2 = 0;
  char colour = '1';         // K2 byte 21; '0', 'T', 't' write no K2
  char outlineColour = '0';  // K2 byte 20
  char lineType = 'N';       // K1 byte 21
  char fill = '1';           // K1 byte 20
};
// Writes the K2 (unless its colour says none) and then the K1 of a shape,
// on the current call's page.
void writeRule(Engine& engine, const RuleSpec& rule);

// An image in place of a character (a CA entry of type 3): G1, G3, G2 with
// kind 'M'. `name` is the entry's 12-byte substitute field.
void writeCharacterImage(Engine& engine, const std::array<char, 4>& page, int32_t y, int32_t x,
                         int32_t height, int32_t width, std::string_view name);

}  // namespace kumi::engine
