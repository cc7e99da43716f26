#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite:
# unit, offscreen and end-to-end tests. Exits non-zero on any failure or when
# no test ran.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh
ctest --test-dir build --output-on-failure --no-tests=error -j2 "$@"
# clang-format and clang-tidy clean.
scripts/lint.sh
# The ranking file reader under libFuzzer with sanitizers (FUZZ_SECONDS, 60 by default).
scripts/fuzz.sh
