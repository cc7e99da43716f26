#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the ranking file reader's fuzz target (the CMake preset `fuzz`:
# clang + libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer on, in
# build-fuzz/) and runs it for FUZZ_SECONDS (default 60) on a scratch copy of
# the committed corpus.
# Skips with a note when clang or its fuzzer runtime is missing; under CI=true
# (where scripts/setup.sh has installed both) that fails instead.
#   scripts/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-${FUZZ_SECONDS:-60}}"
out=build-fuzz

skip() {
  if [ "${CI:-}" = true ]; then
    echo "fuzz: $1; FAILED (CI=true: scripts/setup.sh installs it)"
    exit 1
  fi
  echo "fuzz: $1, skipped"
  exit 0
}

# The clang whose runtime scripts/setup.sh installs comes first.
cxx=$(command -v clang++-14 || command -v clang++ || true)
if [ -z "$cxx" ]; then
  skip "clang++ not found"
fi
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char *, unsigned long) { return 0; }' >"$probe/probe.cpp"
if ! "$cxx" -fsanitize=fuzzer "$probe/probe.cpp" -o "$probe/probe" 2>/dev/null; then
  skip "clang's libFuzzer runtime not found (libclang-rt-14-dev)"
fi

target="$out/tests/fuzz/recordfile_fuzz"
if [ ! -f "$out/build.ninja" ]; then
  cmake --preset fuzz -DCMAKE_CXX_COMPILER="$cxx" >/dev/null
fi
cmake --build --preset fuzz >/dev/null

work="$out/corpus"
rm -rf "$work"
mkdir -p "$work"
cp tests/fuzz/corpus/* "$work"/
echo "fuzz: running $target for ${seconds}s"
"$target" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 "$work" \
  >"$out/fuzz.log" 2>&1 || { tail -60 "$out/fuzz.log"; echo "fuzz: FAILED"; exit 1; }
grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)' "$out/fuzz.log" || true
echo "fuzz: no crash, no sanitizer report"
