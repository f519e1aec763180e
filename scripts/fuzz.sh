#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UBSan) in
# build-fuzz/ and runs each for SECONDS seconds (default 30) on the seed corpus
# (tests/fuzz/corpus and the samples). Fails on any crash, leak or sanitizer report;
# what the run finds new goes to build-fuzz/found-*/, never into the tree.
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-30}
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DKORVITH_FUZZ=ON -DKORVITH_CORE_ONLY=ON >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzz_open fuzz_ops
for target in fuzz_open fuzz_ops; do
  found=build-fuzz/found-$target
  mkdir -p "$found"
  seeds=tests/fuzz/corpus/${target#fuzz_}
  [ "$target" = fuzz_open ] && seeds="$seeds sample"
  echo "== $target, $seconds s"
  # shellcheck disable=SC2086
  build-fuzz/$target -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -max_len=16384 -print_final_stats=1 \
      -artifact_prefix=build-fuzz/ "$found" $seeds 2>build-fuzz/$target.log || {
    tail -n 60 build-fuzz/$target.log
    echo "fuzz.sh: $target found a fault (input saved under build-fuzz/)" >&2
    exit 1
  }
  grep -E '^stat::number_of_executed_units|^Done' build-fuzz/$target.log || true
done
