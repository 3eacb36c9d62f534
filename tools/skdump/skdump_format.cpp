#include "tools/skdump/skdump_format.h"

#include <cstdio>

#include "platform/base/cp932.h"

namespace kumi::tools {
namespace {

using pagefile::RecordBytes;

// A byte as itself when printable ASCII, else \xNN; NUL shows as "-".
std::string byteText(uint8_t b) {
  if (b == 0) return "-";
  if (b >= 0x21 && b < 0x7F) return std::string(1, static_cast<char>(b));
  char buf[8];
  std::snprintf(buf, sizeof buf, "\\x%02X", b);
  return buf;
}

std::string bytesText(const uint8_t* p, size_t n) {
  std::string out;
  for (size_t i = 0; i < n; ++i) out += byteText(p[i]);
  return out;
}

std::string pageText(const RecordBytes& r) { return bytesText(r.data(), 4); }

// Text for between double quotes, escaped as emfdump does: a control byte
// (a newline would split the record over two lines) as \xNN, a quote or a
// backslash with a backslash before it.
std::string quotedText(const std::string& utf8) {
  std::string out;
  for (const char ch : utf8) {
    const auto b = static_cast<uint8_t>(ch);
    if (ch == '"' || ch == '\\') {
      out += '\\';
      out += ch;
    } else if (b < 0x20 || b == 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", b);
      out += buf;
    } else {
      out += ch;
    }
  }
  return out;
}

std::string sizeText(uint8_t code) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%s", byteText(code).c_str());
  return buf;
}

std::string glyphText(const pagefile::CharacterRecord& c) {
  std::string sjis;
  if (c.cls == 'A') {
    sjis.assign(1, static_cast<char>(c.singleByte));
  } else {
    sjis = {static_cast<char>(c.code[0]), static_cast<char>(c.code[1])};
  }
  const auto utf8 = platform::cp932ToUtf8(sjis);
  return utf8 ? quotedText(*utf8) : "?";
}

std::string formatCharacter(const RecordBytes& b) {
  const pagefile::CharacterRecord c = pagefile::decodeCharacter(b);
  char buf[256];
  std::snprintf(buf, sizeof buf,
                "%s CHR  y=%d x=%d \"%s\" code=%02X%02X prop=%s font=%s size=%s b17=%s cls=%s "
                "scale=%s/%s colour=%s dir=%s style=%s",
                pageText(b).c_str(), c.y, c.x, glyphText(c).c_str(), c.code[0], c.code[1],
                byteText(b[14]).c_str(), byteText(b[15]).c_str(), sizeText(c.sizeCode).c_str(),
                byteText(b[17]).c_str(), byteText(b[18]).c_str(), byteText(b[19]).c_str(),
                byteText(b[20]).c_str(), bytesText(&b[21], 2).c_str(), byteText(b[23]).c_str(),
                byteText(b[24]).c_str());
  return buf;
}

std::string formatShapeColours(const RecordBytes& b) {
  return pageText(b) + " K2   outline=" + byteText(b[20]) + " colour=" + byteText(b[21]) +
         " shape=" + byteText(b[22]);
}

std::string formatShape(const RecordBytes& b) {
  const pagefile::ShapeRecord s = pagefile::decodeShape(b);
  char buf[160];
  std::snprintf(buf, sizeof buf, "%s K1   y1=%d x1=%d y2=%d x2=%d fill=%s line=%s shape=%s",
                pageText(b).c_str(), s.y1, s.x1, s.y2, s.x2, byteText(b[20]).c_str(),
                byteText(b[21]).c_str(), byteText(b[22]).c_str());
  return buf;
}

std::string formatImagePlace(const RecordBytes& b) {
  const pagefile::ImagePlaceRecord g = pagefile::decodeImagePlace(b);
  char buf[128];
  std::snprintf(buf, sizeof buf, "%s G1   y=%d x=%d mode=%s", pageText(b).c_str(), g.y, g.x,
                byteText(b[12]).c_str());
  return buf;
}

std::string formatImageName(const RecordBytes& b) {
  const std::string name = pagefile::imageFileName(pagefile::decodeImageName(b));
  return pageText(b) + " G3   name=\"" + quotedText(platform::cp932ToUtf8Lossy(name)) + "\"";
}

std::string formatImageSize(const RecordBytes& b) {
  const pagefile::ImageSizeRecord g = pagefile::decodeImageSize(b);
  char buf[160];
  std::snprintf(buf, sizeof buf, "%s G2   y=%d x=%d height=%d width=%d extent=%u kind=%s",
                pageText(b).c_str(), g.y, g.x, g.height, g.width, g.extent, byteText(b[22]).c_str());
  return buf;
}

}  // namespace

std::string formatRecord(const RecordBytes& r) {
  switch (pagefile::kindOf(r)) {
    case pagefile::RecordKind::Character: return formatCharacter(r);
    case pagefile::RecordKind::ShapeColours: return formatShapeColours(r);
    case pagefile::RecordKind::Shape: return formatShape(r);
    case pagefile::RecordKind::ImagePlace: return formatImagePlace(r);
    case pagefile::RecordKind::ImageName: return formatImageName(r);
    case pagefile::RecordKind::ImageSize: return formatImageSize(r);
  }
  return {};
}

std::string formatPageFile(const pagefile::PageFileContents& contents) {
  std::string out;
  for (const RecordBytes& r : contents.records) out += formatRecord(r) + "\n";
  if (contents.trailingBytes != 0) {
    out += "partial record: the file ends " + std::to_string(contents.trailingBytes) +
           " bytes into record " + std::to_string(contents.records.size() + 1) + "\n";
  }
  return out;
}

}  // namespace kumi::tools
