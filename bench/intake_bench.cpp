// Text intake and table definition throughput.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/tables/style_tables.h"
#include "engine/text/digits.h"
#include "engine/text/internal_text.h"

namespace {

// 1000 characters mixing kanji, kana, half-width katakana with voicing, and digits.
std::string mixedText() {
  const std::string piece = "\x91\x67\x94\xc5\x82\xcc\xb6\xde\xca\xdf" "AB12\x82\x50\x82\x51";
  std::string s;
  while (s.size() + piece.size() <= 1990) s += piece;
  return s;
}

void BM_SjisIntake(benchmark::State& state) {
  const std::string text = mixedText();
  kumi::engine::InternalText out;
  for (auto _ : state) {
    kumi::engine::intakeSjisText(text, false, out);
    benchmark::DoNotOptimize(out.units.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_SjisIntake);

void BM_SjisIntakeWithDigitMode(benchmark::State& state) {
  const std::string text = mixedText();
  kumi::engine::InternalText out;
  for (auto _ : state) {
    kumi::engine::intakeSjisText(text, false, out);
    kumi::engine::applyDigitMode('2', out);
    benchmark::DoNotOptimize(out.units.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_SjisIntakeWithDigitMode);

// A full PD table: 249 entries of a kanji and a percentage (2000 bytes).
void BM_DefinePdTable(benchmark::State& state) {
  std::string def = "PD  ";
  while (def.size() + 8 <= 1996) def += "\x88\x9f  50  ";
  def += "FF";
  kumi::engine::StyleTables tables;
  for (auto _ : state) {
    benchmark::DoNotOptimize(tables.define(def));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * def.size()));
}
BENCHMARK(BM_DefinePdTable);

void BM_LookupInFullPdTable(benchmark::State& state) {
  std::string def = "PD  ";
  while (def.size() + 8 <= 1996) def += "\x88\x9f  50  ";
  def += "FF";
  kumi::engine::StyleTables tables;
  tables.define(def);
  for (auto _ : state) {
    benchmark::DoNotOptimize(tables.find(kumi::engine::TableId::PD, 0x2422));  // absent: full scan
  }
}
BENCHMARK(BM_LookupInFullPdTable);

}  // namespace
