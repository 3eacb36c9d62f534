// Replays a fuzz target without libFuzzer: every file under the directories
// given (saved corpus and past crashes), then generated inputs from a fixed
// seed, so the run is the same every time.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

size_t replayDirectory(const std::filesystem::path& dir) {
  size_t n = 0;
  std::error_code ec;
  for (std::filesystem::recursive_directory_iterator it(dir, ec), end; !ec && it != end;
       it.increment(ec)) {
    if (!it->is_regular_file()) continue;
    std::ifstream in(it->path(), std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    ++n;
  }
  return n;
}

}  // namespace

int main(int argc, char** argv) {
  size_t files = 0;
  for (int i = 1; i < argc; ++i) files += replayDirectory(argv[i]);
  const char* env = std::getenv("KUMI_FUZZ_REPLAY_RUNS");
  const long runs = env != nullptr ? std::strtol(env, nullptr, 10) : 2000;
  std::mt19937 rng(20261211);
  std::vector<uint8_t> input;
  for (long r = 0; r < runs; ++r) {
    input.resize(rng() % 4096);
    for (uint8_t& b : input) b = static_cast<uint8_t>(rng());
    LLVMFuzzerTestOneInput(input.data(), input.size());
  }
  std::printf("replayed %zu files and %ld generated inputs\n", files, runs);
  return 0;
}
