#include "engine/pagefile/page_record.h"

#include <cstring>

namespace kumi::pagefile {
namespace {

void putPage(RecordBytes& b, const PageName& page) {
  for (size_t i = 0; i < 4; ++i) b[i] = static_cast<uint8_t>(page[i]);
}

void putTag(RecordBytes& b, const char* tag) {
  b[23] = static_cast<uint8_t>(tag[0]);
  b[24] = static_cast<uint8_t>(tag[1]);
}

bool tagIs(const RecordBytes& b, char first, char second) { return b[23] == first && b[24] == second; }

}  // namespace

int32_t readI32LE(std::span<const uint8_t> bytes, size_t pos) {
  if (pos + 4 > bytes.size()) return 0;
  const uint32_t v = static_cast<uint32_t>(bytes[pos]) | (static_cast<uint32_t>(bytes[pos + 1]) << 8) |
                     (static_cast<uint32_t>(bytes[pos + 2]) << 16) |
                     (static_cast<uint32_t>(bytes[pos + 3]) << 24);
  return static_cast<int32_t>(v);
}

void writeI32LE(std::span<uint8_t> bytes, size_t pos, int32_t value) {
  if (pos + 4 > bytes.size()) return;
  const auto v = static_cast<uint32_t>(value);
  for (size_t i = 0; i < 4; ++i) bytes[pos + i] = static_cast<uint8_t>(v >> (8 * i));
}

RecordKind kindOf(const RecordBytes& r) {
  if (tagIs(r, 'K', '1')) return RecordKind::Shape;
  if (tagIs(r, 'K', '2')) return RecordKind::ShapeColours;
  if (tagIs(r, 'G', '1')) return RecordKind::ImagePlace;
  if (tagIs(r, 'G', '2')) return RecordKind::ImageSize;
  if (tagIs(r, 'G', '3')) return RecordKind::ImageName;
  return RecordKind::Character;
}

PageName pageOf(const RecordBytes& r) {
  return {static_cast<char>(r[0]), static_cast<char>(r[1]), static_cast<char>(r[2]),
          static_cast<char>(r[3])};
}

RecordBytes encode(const CharacterRecord& r) {
  RecordBytes b{};
  putPage(b, r.page);
  writeI32LE(b, 4, r.y);
  writeI32LE(b, 8, r.x);
  b[12] = r.code[0];
  b[13] = r.code[1];
  b[14] = static_cast<uint8_t>(r.proportional);
  b[15] = static_cast<uint8_t>(r.fontLetter);
  b[16] = r.sizeCode;
  b[17] = r.singleByte;
  b[18] = static_cast<uint8_t>(r.cls);
  b[19] = static_cast<uint8_t>(r.widthScale);
  b[20] = static_cast<uint8_t>(r.heightScale);
  b[21] = static_cast<uint8_t>(r.colour[0]);
  b[22] = static_cast<uint8_t>(r.colour[1]);
  b[23] = static_cast<uint8_t>(r.direction);
  b[24] = static_cast<uint8_t>(r.style);
  return b;
}

CharacterRecord decodeCharacter(const RecordBytes& b) {
  CharacterRecord r;
  r.page = pageOf(b);
  r.y = readI32LE(b, 4);
  r.x = readI32LE(b, 8);
  r.code[0] = b[12];
  r.code[1] = b[13];
  r.proportional = static_cast<char>(b[14]);
  r.fontLetter = static_cast<char>(b[15]);
  r.sizeCode = b[16];
  r.singleByte = b[17];
  r.cls = static_cast<char>(b[18]);
  r.widthScale = static_cast<char>(b[19]);
  r.heightScale = static_cast<char>(b[20]);
  r.colour[0] = static_cast<char>(b[21]);
  r.colour[1] = static_cast<char>(b[22]);
  r.direction = static_cast<char>(b[23]);
  r.style = static_cast<char>(b[24]);
  return r;
}

RecordBytes encode(const ShapeColoursRecord& r) {
  RecordBytes b{};
  putPage(b, r.page);
  std::memcpy(&b[4], r.carried.data(), r.carried.size());
  b[20] = static_cast<uint8_t>(r.outlineColour);
  b[21] = static_cast<uint8_t>(r.colour);
  b[22] = static_cast<uint8_t>(r.shape);
  putTag(b, "K2");
  return b;
}

ShapeColoursRecord decodeShapeColours(const RecordBytes& b) {
  ShapeColoursRecord r;
  r.page = pageOf(b);
  std::memcpy(r.carried.data(), &b[4], r.carried.size());
  r.outlineColour = static_cast<char>(b[20]);
  r.colour = static_cast<char>(b[21]);
  r.shape = static_cast<char>(b[22]);
  return r;
}

RecordBytes encode(const ShapeRecord& r) {
  RecordBytes b{};
  putPage(b, r.page);
  writeI32LE(b, 4, r.y1);
  writeI32LE(b, 8, r.x1);
  writeI32LE(b, 12, r.y2);
  writeI32LE(b, 16, r.x2);
  b[20] = static_cast<uint8_t>(r.fill);
  b[21] = static_cast<uint8_t>(r.lineType);
  b[22] = static_cast<uint8_t>(r.shape);
  putTag(b, "K1");
  return b;
}

ShapeRecord decodeShape(const RecordBytes& b) {
  ShapeRecord r;
  r.page = pageOf(b);
  r.y1 = readI32LE(b, 4);
  r.x1 = readI32LE(b, 8);
  r.y2 = readI32LE(b, 12);
  r.x2 = readI32LE(b, 16);
  r.fill = static_cast<char>(b[20]);
  r.lineType = static_cast<char>(b[21]);
  r.shape = static_cast<char>(b[22]);
  return r;
}

RecordBytes encode(const ImagePlaceRecord& r) {
  RecordBytes b{};
  putPage(b, r.page);
  writeI32LE(b, 4, r.y);
  writeI32LE(b, 8, r.x);
  b[12] = static_cast<uint8_t>(r.mode);
  std::memcpy(&b[13], r.carried.data(), r.carried.size());
  putTag(b, "G1");
  return b;
}

ImagePlaceRecord decodeImagePlace(const RecordBytes& b) {
  ImagePlaceRecord r;
  r.page = pageOf(b);
  r.y = readI32LE(b, 4);
  r.x = readI32LE(b, 8);
  r.mode = static_cast<char>(b[12]);
  std::memcpy(r.carried.data(), &b[13], r.carried.size());
  return r;
}

RecordBytes encode(const ImageNameRecord& r) {
  RecordBytes b{};
  putPage(b, r.page);
  std::memcpy(&b[4], r.name.data(), r.name.size());
  putTag(b, "G3");
  return b;
}

ImageNameRecord decodeImageName(const RecordBytes& b) {
  ImageNameRecord r;
  r.page = pageOf(b);
  std::memcpy(r.name.data(), &b[4], r.name.size());
  return r;
}

RecordBytes encode(const ImageSizeRecord& r) {
  RecordBytes b{};
  putPage(b, r.page);
  writeI32LE(b, 4, r.y);
  writeI32LE(b, 8, r.x);
  writeI32LE(b, 12, r.height);
  writeI32LE(b, 16, r.width);
  b[20] = static_cast<uint8_t>(r.extent & 0xFF);
  b[21] = static_cast<uint8_t>(r.extent >> 8);
  b[22] = static_cast<uint8_t>(r.kind);
  putTag(b, "G2");
  return b;
}

ImageSizeRecord decodeImageSize(const RecordBytes& b) {
  ImageSizeRecord r;
  r.page = pageOf(b);
  r.y = readI32LE(b, 4);
  r.x = readI32LE(b, 8);
  r.height = readI32LE(b, 12);
  r.width = readI32LE(b, 16);
  r.extent = static_cast<uint16_t>(b[20] | (b[21] << 8));
  r.kind = static_cast<char>(b[22]);
  return r;
}

std::string imageFileName(const ImageNameRecord& r) {
  size_t n = 0;
  while (n < r.name.size() && r.name[n] != '\0') ++n;
  return std::string(r.name.data(), n);
}

}  // namespace kumi::pagefile
