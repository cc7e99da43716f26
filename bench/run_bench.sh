#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and runs the benchmarks and prints one table of figures: the
# drawing micro-benchmarks (Google Benchmark medians of 10 repetitions),
# then the system figures of the real game on private Xvfb displays
# (bench/release_bench.sh).
#   bench/run_bench.sh            (from the repository's top folder)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh --target frame_bench recolour_bench celebration_bench >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Medians of 10 repetitions, in microseconds, by benchmark name.
median() { awk -F, -v name="$1" 'index($1, name) && /_median"?,/ { printf "%.1f", $3; exit }'; }
export QT_QPA_PLATFORM=offscreen
build/bench/frame_bench --benchmark_format=csv 2>/dev/null >"$work/frame.csv"
build/bench/recolour_bench --benchmark_format=csv 2>/dev/null >"$work/recolour.csv"
build/bench/celebration_bench --benchmark_format=csv 2>/dev/null >"$work/celebration.csv"
unset QT_QPA_PLATFORM
frame_us=$(median BM_ComposeRallyFrame <"$work/frame.csv")
objects_us=$(median BM_RallyFrameWithGameObjects <"$work/frame.csv")
court_us=$(median Court <"$work/recolour.csv")
fireworks_us=$(median BM_CelebrationFireworksFrame <"$work/celebration.csv")
confetti_us=$(median BM_CelebrationConfettiFrame <"$work/celebration.csv")

row() { printf '%-52s %-30s %s\n' "$@"; }
row "measure" "figure" "goal"
row "compose one rally frame (median)" "${frame_us} us" "<= 300 us"
row "rally frame with the game's objects (median)" "${objects_us} us" "<= 300 us"
row "recolour the court at level 7 (median)" "${court_us} us" "<= 2000 us"
row "celebration firework frame, 3840x2160 (median)" "${fireworks_us} us" "<= 3000 us"
row "celebration confetti frame, 3840x2160 (median)" "${confetti_us} us" "<= 3000 us"
bench/release_bench.sh --rows
