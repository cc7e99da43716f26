#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds everything and runs the whole test suite:
# unit, offscreen, end-to-end and soak tests. Exits non-zero on any failure or when
# no test ran, or when a process the suite started outlives it.
set -euo pipefail
cd "$(dirname "$0")"
# Every process the suite starts inherits this mark; at the end, none may be
# left (scripts/leftovers.sh names and ends them).
export MOKARUNS_TEST_RUN="$$.$RANDOM"
last_check() {
  local rc=$?
  scripts/leftovers.sh "$MOKARUNS_TEST_RUN" || { ((rc)) || rc=1; }
  exit "$rc"
}
trap last_check EXIT
scripts/setup.sh
scripts/build.sh
ctest --test-dir build --output-on-failure --no-tests=error -j2 "$@"
# The soak test: the game with AddressSanitizer and UndefinedBehaviorSanitizer
# (the preset `soak`, in build-soak/), played by its random player.
scripts/build-soak.sh
ctest --preset soak "$@"
# clang-format and clang-tidy clean.
scripts/lint.sh
# The ranking file reader under libFuzzer with sanitizers (FUZZ_SECONDS, 60 by default).
scripts/fuzz.sh
