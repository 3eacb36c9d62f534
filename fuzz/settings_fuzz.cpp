// The settings files as every program reads them: the renderer's positional
// readers, the item reading of the viewer and the workbench, winpage.cfg.
#include <cstdint>
#include <sstream>
#include <string>

#include "renderer/settings/page_range_file.h"
#include "renderer/settings/render_settings.h"
#include "renderer/settings/settings_lines.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kumi::settings;
  const std::string text(reinterpret_cast<const char*>(data), size);
  RenderSettings s;
  auto stream = [&text] { return std::istringstream(text); };
  { auto in = stream(); readWinprm(in, s); }
  { auto in = stream(); readWinctl(in, s); }
  { auto in = stream(); readWinfont(in, s); }
  { auto in = stream(); readWincolor(in, s); }
  { auto in = stream(); readWinkei(in, PageMode::Standard, s); }
  { auto in = stream(); readWinkei(in, PageMode::Large, s); }
  { auto in = stream(); readPageRange(in); }
  auto in = stream();
  LineReader lines(in);
  size_t items = 0;
  for (std::string line; lines.next(line);) items += splitItems(line).size();
  volatile size_t sink = items + s.dataDir.size();
  (void)sink;
  return 0;
}
