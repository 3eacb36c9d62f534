// Cell building: a full 1000-character text, without and with style tables.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "engine/compose/cells/cells.h"
#include "engine/core/engine.h"
#include "engine/core/size_code.h"
#include "engine/text/digits.h"

namespace {

using namespace kumi::engine;

// Kanji, kana, proportional letters, brackets, digits and half-width text.
std::string mixedText() {
  const std::string piece =
      "\x91\x67\x94\xc5\x82\xcc\x81\x69\x82\x60\x82\x81\x81\x6a\x82\x50\x82\x51" "AB\xb6\xde";
  std::string s;
  while (s.size() + piece.size() <= 1990) s += piece;
  return s;
}

std::unique_ptr<Engine> engineWithText(char digitMode) {
  auto engine = std::make_unique<Engine>();
  CallRecord& r = engine->record();
  r.command = 'L';
  r.resultSelector = 'P';
  r.recordKind = {'B', '2'};
  r.charSizeCode = sizeCodeOfQ(12);
  r.placeSizeCode = r.charSizeCode;
  r.fontCode = {'M', '0'};
  r.digitMode = digitMode;
  r.attributes = {'1', '0', static_cast<char>(r.charSizeCode), '0', '0', '0', '0'};
  r.counterText = counterTextOf(1);
  r.breakChar = 0x2177;
  intakeSjisText(mixedText(), false, engine->text());
  applyDigitMode(digitMode, engine->text());
  return engine;
}

void BM_BuildCellsNoTables(benchmark::State& state) {
  auto engine = engineWithText('1');
  for (auto _ : state) {
    benchmark::DoNotOptimize(buildCells(*engine));
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * engine->text().length()));
}
BENCHMARK(BM_BuildCellsNoTables);

// A full PD table (misses for most characters: a whole scan each), an HT
// run, GA and CA entries.
void BM_BuildCellsWithTables(benchmark::State& state) {
  auto engine = engineWithText('1');
  std::string pd = "PD  \x81\x69  50  ";
  while (pd.size() + 8 <= 1996) pd += "\x88\x9f  50  ";
  engine->tables().define(pd + "FF");
  engine->tables().define("HT  \x81\x69  \x81\x6a  5   20  G   1   20  1   0   1   FF");
  engine->tables().define("GA  \x82\x60  G   14  0   0   FF");
  engine->tables().define(std::string("CA  \x82\x81  1   \x82\x82") + std::string(10, '\0') + "FF");
  for (auto _ : state) {
    benchmark::DoNotOptimize(buildCells(*engine));
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * engine->text().length()));
}
BENCHMARK(BM_BuildCellsWithTables);

void BM_MeasureCharacter(benchmark::State& state) {
  auto engine = engineWithText('1');
  const CurrentAttributes attrs = attributesFromCall(engine->record());
  const InternalText& text = engine->text();
  const size_t n = text.length();
  for (auto _ : state) {
    int32_t sum = 0;
    for (size_t i = 0; i < n; ++i) sum += measureCharacter(attrs, text.units[i], text.classes[i], false);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * n));
}
BENCHMARK(BM_MeasureCharacter);

}  // namespace
