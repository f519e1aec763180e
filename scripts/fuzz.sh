#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UBSan) in
# build-fuzz/ and runs them for SECONDS seconds in all (default 60), shared
# equally among the targets, on the seed corpus (tests/fuzz/corpus and the
# samples). A longer run on request: scripts/fuzz.sh 3600. Fails on any crash,
# leak or sanitizer report; what the run finds new goes to build-fuzz/found-*/,
# never into the tree.
#   fuzz_open   a surface file read as Open reads it
#   fuzz_ops    a few window commands on a surface file
#   fuzz_info   info, the crossing test, every writer, precise relaxation
#   fuzz_timer  the timer's activities and the mouse gestures
set -eu
cd "$(dirname "$0")/.."
total=${1:-60}
targets="fuzz_open fuzz_ops fuzz_info fuzz_timer"
set -- $targets
seconds=$(( total / $# ))
[ "$seconds" -ge 1 ] || seconds=1
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DKORVITH_FUZZ=ON -DKORVITH_CORE_ONLY=ON >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target $targets
for target in $targets; do
  found=build-fuzz/found-$target
  mkdir -p "$found"
  seeds=tests/fuzz/corpus/${target#fuzz_}
  case $target in
    fuzz_open|fuzz_info) seeds="$seeds tests/fuzz/corpus/open sample" ;;
  esac
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
