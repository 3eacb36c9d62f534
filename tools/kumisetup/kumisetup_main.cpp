// kumisetup PROGRAMDIR DATADIR [CLIENT]: writes a fresh set of the five
// settings files into PROGRAMDIR, as the workbench would save them, so that
// the programs run there against DATADIR. Used by the main job and by anyone
// setting kumi up by hand; values keep the Windows shape (directories end
// with their separator).
#include <array>
#include <cstdio>
#include <string>

#include "platform/base/cp932.h"
#include "renderer/settings/settings_writer.h"

namespace {

std::string withSeparator(std::string dir) {
  if (dir.empty() || (dir.back() != '/' && dir.back() != '\\')) dir += '/';
  return dir;
}

// The settings files hold code page 932: a path it cannot spell would be
// written with '?' in its place and name a folder that does not exist.
bool toCp932(const char* what, const char* utf8, std::string& out) {
  const auto cp932 = kumi::platform::utf8ToCp932(utf8);
  if (!cp932) {
    std::fprintf(stderr, "kumisetup: the %s %s has characters code page 932 cannot hold\n", what,
                 utf8);
    return false;
  }
  out = *cp932;
  return true;
}

bool report(const char* file, const kumi::settings::WriteResult& r) {
  if (!r.ok) std::fprintf(stderr, "kumisetup: %s: %s\n", file, r.error.c_str());
  return r.ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: kumisetup PROGRAMDIR DATADIR [CLIENT]\n");
    return 2;
  }
  std::string programDir, dataDir, client;
  if (!toCp932("program directory", argv[1], programDir) ||
      !toCp932("data directory", argv[2], dataDir) ||
      (argc == 4 && !toCp932("client program", argv[3], client))) {
    return 2;
  }
  programDir = withSeparator(programDir);
  dataDir = withSeparator(dataDir);
  kumi::settings::ProgramPaths paths;
  paths.dataDir = dataDir;
  paths.programDir = programDir;
  paths.clientProgram = argc == 4 ? client : programDir + "demo1";
  paths.viewerProgram = "xdg-open";
  const auto sjis = [](const char* utf8) { return kumi::platform::utf8ToCp932Lossy(utf8); };
  // Nine faces for the font codes F1 to F9: Gothic and Mincho in turn.
  const std::array<std::string, 9> faces = {
      sjis("ＭＳ ゴシック"), sjis("ＭＳ 明朝"), sjis("ＭＳ ゴシック"), sjis("ＭＳ 明朝"),
      sjis("ＭＳ ゴシック"), sjis("ＭＳ 明朝"), sjis("ＭＳ ゴシック"), sjis("ＭＳ 明朝"),
      sjis("ＭＳ ゴシック")};
  // User colours 10 to 16 as blue, green, red hex pairs.
  const std::array<std::string, 7> colours = {"0080FF", "00C000", "C08000", "800080",
                                              "808000", "404040", "C0C0C0"};
  // Rule widths 1 to 8 in 0.254 mm, then the screen's twips per pixel.
  const std::array<std::string, 9> widths = {"1", "2", "3", "4", "6", "8", "10", "12", "15"};
  const std::string dir = programDir;
  bool ok = report("WINPRM.cfg", kumi::settings::writeWinprm(dir, paths));
  ok = report("WINCTL.cfg", kumi::settings::writeWinctl(dir, "0")) && ok;
  ok = report("WINFONT.cfg", kumi::settings::writeWinfont(dir, faces)) && ok;
  ok = report("WINCOLOR.cfg", kumi::settings::writeWincolor(dir, colours)) && ok;
  ok = report("WINKEI.cfg", kumi::settings::writeWinkei(dir, widths)) && ok;
  return ok ? 0 : 1;
}
