#include "tools/pageexport/page_export.h"

#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/player/emf_player.h"
#include "platform/player/player.h"
#include "platform/player/wmf_player.h"

namespace kumi::tools {
namespace {

constexpr double kMaxDpi = 4800;
// A Windows Metafile without a placeable header has no size of its own:
// its window is taken as pixels at this resolution.
constexpr double kScreenDpi = 96;

bool readFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open " + path;
    return false;
  }
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

std::optional<QImage> renderWmf(std::span<const uint8_t> bytes, const ExportOptions& o,
                                std::string& error) {
  const auto pic = platform::player::readWmfPicture(bytes, &error);
  if (!pic) return std::nullopt;
  double wIn = 1, hIn = 1;
  if (pic->placeable && pic->placeable->inch != 0) {
    const auto& p = *pic->placeable;
    wIn = std::abs(p.right - p.left) / double(p.inch);
    hIn = std::abs(p.bottom - p.top) / double(p.inch);
  } else if (pic->box) {
    wIn = std::abs(pic->box->right - pic->box->left) / kScreenDpi;
    hIn = std::abs(pic->box->bottom - pic->box->top) / kScreenDpi;
  }
  const double w = std::round(wIn * o.dpi), h = std::round(hIn * o.dpi);
  if (!(w >= 1 && h >= 1 && w <= 30000 && h <= 30000)) {
    error = "the picture is too large or too small at this resolution";
    return std::nullopt;
  }
  QImage img(int(w), int(h), QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  platform::player::PaintOptions po;
  po.antialias = o.antialias;
  if (!platform::player::paintWmf(p, bytes, QRectF(0, 0, w, h), po, &error)) return std::nullopt;
  return img;
}

}  // namespace

const char* const kExportUsage =
    "usage: pageexport [--dpi N] [--antialias] [--out DIR] FILE...\n"
    "  Writes each page file (.emf, or .wmf) as a PNG image, beside it or into DIR.\n"
    "  --dpi N       resolution (default 150)\n"
    "  --antialias   smooth the edges of shapes (GDI draws them hard)\n";

bool parseExportArgs(const std::vector<std::string>& args, ExportOptions& out, std::string& message) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--dpi" || a == "--out") {
      if (i + 1 >= args.size()) {
        message = a + " needs a value";
        return false;
      }
      const std::string& v = args[++i];
      if (a == "--out") {
        out.outDir = v;
        continue;
      }
      char* end = nullptr;
      out.dpi = std::strtod(v.c_str(), &end);
      if (end == v.c_str() || *end != '\0' || !(out.dpi > 0 && out.dpi <= kMaxDpi)) {
        message = "--dpi takes a resolution from 1 to 4800";
        return false;
      }
    } else if (a == "--antialias") {
      out.antialias = true;
    } else if (a == "--help" || a == "-h") {
      message = kExportUsage;
      return false;
    } else if (!a.empty() && a[0] == '-') {
      message = "unknown option " + a;
      return false;
    } else {
      out.inputs.push_back(a);
    }
  }
  if (out.inputs.empty()) {
    message = "no page file given";
    return false;
  }
  return true;
}

std::string pngPathFor(const std::string& input, const std::string& outDir) {
  std::filesystem::path p(input);
  p.replace_extension(".png");
  if (!outDir.empty()) p = std::filesystem::path(outDir) / p.filename();
  return p.string();
}

bool exportPage(const std::string& input, const ExportOptions& o, std::string& error) {
  std::vector<uint8_t> bytes;
  if (!readFile(input, bytes, error)) return false;
  std::optional<QImage> img;
  platform::player::PaintOptions po;
  po.antialias = o.antialias;
  if (platform::player::readPictureInfo(bytes)) {
    img = platform::player::renderEmf(bytes, o.dpi, po, &error);
  } else {
    img = renderWmf(bytes, o, error);
  }
  if (!img) {
    error = input + ": " + error;
    return false;
  }
  const std::string out = pngPathFor(input, o.outDir);
  if (!img->save(QString::fromStdString(out), "PNG")) {
    error = "cannot write " + out;
    return false;
  }
  return true;
}

}  // namespace kumi::tools
