#!/usr/bin/env bash
# Builds the ranking file reader's fuzz target with clang + libFuzzer
# (AddressSanitizer and UndefinedBehaviorSanitizer on) and runs it for
# FUZZ_SECONDS (default 60) on a scratch copy of the committed corpus.
# Skips with a note when clang or its fuzzer runtime is missing; under CI=true
# (where scripts/setup.sh has installed both) that fails instead.
#   scripts/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-${FUZZ_SECONDS:-60}}"
out=build-fuzz
mkdir -p "$out"

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
probe="$out/probe.cpp"
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char *, unsigned long) { return 0; }' >"$probe"
if ! "$cxx" -fsanitize=fuzzer "$probe" -o "$out/probe" 2>/dev/null; then
  skip "clang's libFuzzer runtime not found (libclang-rt-14-dev)"
fi

target="$out/recordfile_fuzz"
sources=(tests/fuzz/RecordFileFuzz.cpp src/data/RecordFile.cpp)
if [ ! -x "$target" ] || [ -n "$(find "${sources[@]}" src/data/RecordFile.h src/data/RecordTable.h -newer "$target")" ]; then
  echo "fuzz: building $target"
  # shellcheck disable=SC2046
  "$cxx" -std=c++20 -O1 -g -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -Isrc $(pkg-config --cflags Qt6Core) "${sources[@]}" $(pkg-config --libs Qt6Core) -o "$target"
fi

work="$out/corpus"
rm -rf "$work"
mkdir -p "$work"
cp tests/fuzz/corpus/* "$work"/
echo "fuzz: running $target for ${seconds}s"
"$target" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 "$work" \
  >"$out/fuzz.log" 2>&1 || { tail -60 "$out/fuzz.log"; echo "fuzz: FAILED"; exit 1; }
grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)' "$out/fuzz.log" || true
echo "fuzz: no crash, no sanitizer report"
