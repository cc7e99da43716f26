#!/usr/bin/env bash
# Configures (once) and builds the soak test's binary in build-soak/: the
# whole game with AddressSanitizer and UndefinedBehaviorSanitizer, without
# tests, benchmarks and tools. The ctest `soak` of build/ runs it.
#   scripts/build-soak.sh [ninja arguments, e.g. -j1]
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build-soak/build.ninja ]; then
  cmake -S . -B build-soak -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMOKA_SANITIZE=ON \
    -DMOKA_BUILD_TESTS=OFF -DMOKA_BUILD_BENCH=OFF -DMOKA_BUILD_TOOLS=OFF >/dev/null
fi
cmake --build build-soak --target soak_run -- "$@"
