#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The soak test: the sanitizer build's soak_run (scripts/build-soak.sh) once
# per seed. Each run gives the game SOAK_INPUTS inputs (default 20000) from a
# random player seeded with the seed, checks the state after every input and
# ends with no sanitizer report and no leak, or prints the seed, the input
# and the last inputs and fails.
#   tests/soak/run_soak.sh [soak_run]
#   SOAK_SEEDS="1 2 3" SOAK_INPUTS=5000 tests/soak/run_soak.sh
# A seed may carry its own number of inputs: SOAK_SEEDS="7411 3:8000".
# Replay a failing seed:
#   QT_QPA_PLATFORM=offscreen build-soak/tests/soak/soak_run --seed N --inputs N
# Exits 77 (skipped) when soak_run has not been built.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
binary=${1:-$here/../../build-soak/tests/soak/soak_run}
seeds=${SOAK_SEEDS:-7411 3:8000}
inputs=${SOAK_INPUTS:-20000}

if [ ! -x "$binary" ]; then
  if [ "${CI:-}" = true ]; then
    echo "soak: $binary is not built (scripts/build-soak.sh); FAILED (CI=true)"
    exit 1
  fi
  echo "soak: $binary is not built (scripts/build-soak.sh), skipped"
  exit 77
fi
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export ASAN_OPTIONS=${ASAN_OPTIONS:-halt_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$here/lsan.supp:print_suppressions=0}

for item in $seeds; do
  seed=${item%%:*}
  count=$inputs
  [[ $item == *:* ]] && count=${item#*:}
  start=$SECONDS
  if ! "$binary" --seed "$seed" --inputs "$count"; then
    echo "soak: FAILED with seed $seed (replay: SOAK_TRACE=1 QT_QPA_PLATFORM=offscreen $binary --seed $seed --inputs $count)"
    exit 1
  fi
  echo "soak: seed $seed passed in $((SECONDS - start)) s"
done
