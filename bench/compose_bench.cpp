// A paragraph through the whole composer, as a client measures it: command
// N, so nothing is written and only cells, breaking and placement count.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "engine/core/engine.h"
#include "engine/tests/call_builder.h"
#include "platform/base/cp932.h"

namespace {

using kumi::engine::Engine;
using kumi::engine::testing::CallBuilder;

constexpr size_t kParagraphBytes = 800;  // 400 two-byte characters

// Running Japanese text with punctuation, brackets and digits, repeated.
std::string paragraph() {
  const std::string piece = kumi::platform::utf8ToCp932Lossy(
      "組版は、文字を行に並べる仕事である。「行頭禁則」と（行末禁則）を守り、１９８８年の規則に従う。");
  std::string s(kParagraphBytes, '\0');
  for (size_t i = 0; i < kParagraphBytes; ++i) s[i] = piece[i % piece.size()];
  return s;
}

// The call overwrites the first 8 bytes of its text with the result words.
void restoreText(CallBuilder& b, const std::string& text) { std::memcpy(b.text.data(), text.data(), 8); }

void define(Engine& engine, const std::string& utf8Table) {
  CallBuilder b;
  b.recordKind = "P ";
  b.withText(kumi::platform::utf8ToCp932Lossy(utf8Table));
  engine.call(b.args());
}

CallBuilder measuringCall(char align, char trim) {
  CallBuilder b;
  b.command = "N ";
  b.resultSelector = "D ";
  b.lineLength = 1200;  // 25 Q12 characters a line
  b.lineAlign = std::string(1, align);
  b.spaceTrim = std::string(1, trim);
  b.withText(paragraph());
  return b;
}

void BM_ComposeParagraph(benchmark::State& state) {
  Engine engine;
  CallBuilder b = measuringCall('B', 'N');
  const std::string text = paragraph();
  for (auto _ : state) {
    restoreText(b, text);
    benchmark::DoNotOptimize(engine.call(b.args()));
  }
  state.SetItemsProcessed(state.iterations() * 400);
}
BENCHMARK(BM_ComposeParagraph);

// The same with full kinsoku tables, digit runs kept and justified lines.
void BM_ComposeParagraphWithKinsoku(benchmark::State& state) {
  Engine engine;
  define(engine, "GT  、  。  ，  ．  ）  」  ー  ぁ  ぃ  ぅ  ぇ  ぉ  っ  ゃ  ゅ  ょ  FF");
  define(engine, "GM  （  「  FF");
  define(engine, "BR  、  。  FF");
  define(engine, "DS  「  FF");
  define(engine, "DE  」  FF");
  CallBuilder b = measuringCall('K', 'Y');
  b.keepTogether = "3";
  b.digitMode = "2";
  const std::string text = paragraph();
  for (auto _ : state) {
    restoreText(b, text);
    benchmark::DoNotOptimize(engine.call(b.args()));
  }
  state.SetItemsProcessed(state.iterations() * 400);
}
BENCHMARK(BM_ComposeParagraphWithKinsoku);

// The same paragraph set vertically: Q12 columns with two-digit numbers
// paired side by side and justified, which measures every column before
// placing it.
void BM_ComposeVerticalColumns(benchmark::State& state) {
  Engine engine;
  CallBuilder b = measuringCall('K', 'N');
  b.recordKind = "J0";
  b.digitMode = "3";
  b.originX = 3000;
  b.linePitch = 80;
  const std::string text = paragraph();
  for (auto _ : state) {
    restoreText(b, text);
    benchmark::DoNotOptimize(engine.call(b.args()));
  }
  state.SetItemsProcessed(state.iterations() * 400);
}
BENCHMARK(BM_ComposeVerticalColumns);

// The worst case of space removal: every character an ideographic space at a
// line edge, each removed in a round of its own, under full kinsoku tables.
void BM_ComposeAllSpacesTrimmed(benchmark::State& state) {
  Engine engine;
  std::string gt = "GT  ";
  for (int i = 0; i < 100; ++i) gt += "あ  ";  // a full table that never matches
  define(engine, gt + "FF");
  CallBuilder b = measuringCall('K', 'Y');
  std::string spaces;
  for (int64_t i = 0; i < state.range(0); ++i) spaces += "\x81\x40";
  b.withText(spaces);
  for (auto _ : state) {
    restoreText(b, spaces);
    benchmark::DoNotOptimize(engine.call(b.args()));
  }
}
BENCHMARK(BM_ComposeAllSpacesTrimmed)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
