#pragma once
// sk.dat, the page file: a headerless run of 25-byte records, written by the
// engine and read by the renderer and skdump.
//
// Bytes 0-3 name the page; integers are signed 32-bit little-endian engine
// units (1/16 mm), Y before X; bytes 23-24 say "K1", "K2", "G1", "G2" or
// "G3", anything else is a character record. Records are built and read
// byte by byte; nothing here casts a struct over the bytes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace kumi::pagefile {

constexpr size_t kRecordSize = 25;
using RecordBytes = std::array<uint8_t, kRecordSize>;
using PageName = std::array<char, 4>;

enum class RecordKind { Character, ShapeColours /*K2*/, Shape /*K1*/, ImagePlace /*G1*/,
                        ImageSize /*G2*/, ImageName /*G3*/ };

RecordKind kindOf(const RecordBytes& r);
PageName pageOf(const RecordBytes& r);

int32_t readI32LE(std::span<const uint8_t> bytes, size_t pos);
void writeI32LE(std::span<uint8_t> bytes, size_t pos, int32_t value);

// One glyph.
struct CharacterRecord {
  PageName page{};
  int32_t y = 0;             // 4-7   top of the glyph
  int32_t x = 0;             // 8-11  left edge
  uint8_t code[2]{};         // 12-13 Shift_JIS, lead byte first
  char proportional = '0';   // 14    '1' own metrics
  char fontLetter = '0';     // 15    font class letter under command L
  uint8_t sizeCode = 0;      // 16    SizeCode of the glyph
  uint8_t singleByte = '0';  // 17    the byte drawn when cls is 'A', else CA type
  char cls = 'K';            // 18    'A' single-byte, 'K' two-byte
  char widthScale = '0';     // 19
  char heightScale = '0';    // 20
  char colour[2]{};          // 21-22 decimal text, NUL-padded
  char direction = 'Y';      // 23    Y, T, V, W
  char style = '\0';         // 24    emphasis kind, 'X' mark
};
static_assert(sizeof(RecordBytes) == 25);

// K2: the colours of the shape that follows.
struct ShapeColoursRecord {
  PageName page{};
  std::array<uint8_t, 16> carried{};  // 4-19 not significant
  char outlineColour = '0';           // 20
  char colour = '1';                  // 21 '1'-'9', 'A'-'G'
  char shape = 'B';                   // 22 shape code of the next K1 (or line type)
};

// K1: one shape.
struct ShapeRecord {
  PageName page{};
  int32_t y1 = 0;         // 4-7
  int32_t x1 = 0;         // 8-11
  int32_t y2 = 0;         // 12-15 (end X of 'Y', end Y of 'T', corner of 'm')
  int32_t x2 = 0;         // 16-19
  char fill = '1';        // 20 '0' solid, '2'-'7' hatch, '8' dots, else hollow
  char lineType = 'N';    // 21
  char shape = 'B';       // 22
};

// G1: where an image goes and how it combines.
struct ImagePlaceRecord {
  PageName page{};
  int32_t y = 0;
  int32_t x = 0;
  char mode = '0';  // 12: '1' AND, '2' mask pair, else copy
  std::array<uint8_t, 10> carried{};  // 13-22 not significant
};

// G3: the image's file name, relative to the data directory.
struct ImageNameRecord {
  PageName page{};
  std::array<char, 19> name{};  // 4-22 NUL-padded
};

// G2: the image's size.
struct ImageSizeRecord {
  PageName page{};
  int32_t y = 0;
  int32_t x = 0;
  int32_t height = 0;  // 0 = natural size
  int32_t width = 0;
  uint16_t extent = 0;  // 20-21 low 16 bits of blockExtent
  char kind = '0';      // 22 second character of the call's kind, 'M' for CA images
};

RecordBytes encode(const CharacterRecord& r);
RecordBytes encode(const ShapeColoursRecord& r);
RecordBytes encode(const ShapeRecord& r);
RecordBytes encode(const ImagePlaceRecord& r);
RecordBytes encode(const ImageNameRecord& r);
RecordBytes encode(const ImageSizeRecord& r);

CharacterRecord decodeCharacter(const RecordBytes& r);
ShapeColoursRecord decodeShapeColours(const RecordBytes& r);
ShapeRecord decodeShape(const RecordBytes& r);
ImagePlaceRecord decodeImagePlace(const RecordBytes& r);
ImageNameRecord decodeImageName(const RecordBytes& r);
ImageSizeRecord decodeImageSize(const RecordBytes& r);

// The image file name of a G3 record, up to its first NUL.
std::string imageFileName(const ImageNameRecord& r);

}  // namespace kumi::pagefile
