#!/usr/bin/env bash
# Checks the folders' include order, installs what is missing, builds everything from nothing and runs every test:
# the core, window and start-up tests, then the core tests again built with
# AddressSanitizer and UndefinedBehaviorSanitizer, then a minute of fuzzing.
set -eu
cd "$(dirname "$0")/.."
# The folders include one another one way only (docs/layering.md).
scripts/check-includes.sh
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVITH_RECIPES=ON >/dev/null
cmake --build build -j"$(nproc)"
(cd build && ctest --output-on-failure)
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DKORVITH_SANITIZE=ON -DKORVITH_CORE_ONLY=ON >/dev/null
cmake --build build-asan -j"$(nproc)"
(cd build-asan && ctest --output-on-failure)
# Fuzzing: each target about 30 s on the seed corpus; any report fails the run.
scripts/fuzz.sh 60
