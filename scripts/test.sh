#!/usr/bin/env bash
# Every test: a build with AddressSanitizer and UndefinedBehaviorSanitizer
# runs the whole suite (unit, program and fuzz-replay tests); the benchmarks
# are built so they keep compiling; with clang present the libFuzzer targets
# are built and each runs a fixed 1000 inputs.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=${KUMI_JOBS:-2}
"$top/scripts/install-deps.sh"

cmake -S "$top" -B "$top/build-test" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DKUMI_SANITIZE=ON -DKUMI_BENCH=ON >/dev/null
cmake --build "$top/build-test" -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$top/build-test" -j "$jobs" --output-on-failure --timeout 600

if command -v clang++ >/dev/null; then
  CC=clang CXX=clang++ cmake -S "$top" -B "$top/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DKUMI_FUZZ=ON -DKUMI_TESTS=OFF -DKUMI_GUI=OFF >/dev/null
  cmake --build "$top/build-fuzz" -j "$jobs"
  for fuzzer in "$top"/build-fuzz/bin/*_fuzz; do
    name=$(basename "$fuzzer")
    corpus="$top/fuzz/corpus/$name"
    mkdir -p "$corpus"
    scratch=$(mktemp -d)
    # A fixed seed and run count: the same inputs on every run, so CI is
    # repeatable; longer fuzzing is for developers (README "Fuzzing").
    echo "== $name: 1000 runs"
    "$fuzzer" -seed=1 -runs=1000 -max_total_time=300 -timeout=10 -print_final_stats=0 \
        "$scratch" "$corpus" 2>&1 | tail -2
    rm -rf "$scratch"
  done
fi
echo "all tests passed"
