#!/usr/bin/env bash
# Builds and runs the benchmarks and prints one table of figures.
#   bench/run_bench.sh            (from the repository's top folder)
# The frame loop runs in a real window on a private Xvfb display; its
# processor time is read from /proc over 10 seconds of play.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh --target frame_bench recolour_bench celebration_bench loop_cpu >/dev/null

work=$(mktemp -d)
cleanup() {
  [[ -n ${loop_pid:-} ]] && kill "$loop_pid" 2>/dev/null || true
  [[ -n ${xvfb_pid:-} ]] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

display=180
while [[ -e /tmp/.X${display}-lock ]]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do xdpyinfo -display ":$display" >/dev/null 2>&1 && break; sleep 0.1; done

# Medians of 10 repetitions, in microseconds, by benchmark name.
median() { awk -F, -v name="$1" 'index($1, name) && /_median"?,/ { printf "%.1f", $3; exit }'; }
build/bench/frame_bench --benchmark_format=csv 2>/dev/null >"$work/frame.csv"
build/bench/recolour_bench --benchmark_format=csv 2>/dev/null >"$work/recolour.csv"
build/bench/celebration_bench --benchmark_format=csv 2>/dev/null >"$work/celebration.csv"
frame_us=$(median BM_ComposeRallyFrame <"$work/frame.csv")
objects_us=$(median BM_RallyFrameWithGameObjects <"$work/frame.csv")
court_us=$(median Court <"$work/recolour.csv")
fireworks_us=$(median BM_CelebrationFireworksFrame <"$work/celebration.csv")
confetti_us=$(median BM_CelebrationConfettiFrame <"$work/celebration.csv")

# CPU of the frame loop at level 9 (60 ms frames), read from /proc.
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
DISPLAY=":$display" TMPDIR="$work" build/bench/loop_cpu 9 13 >"$work/loop.txt" 2>/dev/null &
loop_pid=$!
sleep 2
t0=$(ticks "$loop_pid")
s0=$(date +%s.%N)
sleep 10
t1=$(ticks "$loop_pid")
s1=$(date +%s.%N)
wait "$loop_pid" || true
loop_pid=
cpu=$(awk -v t="$((t1 - t0))" -v hz="$hz" -v a="$s0" -v b="$s1" 'BEGIN { printf "%.2f", 100 * t / hz / (b - a) }')
periods=$(sed -n 's/.*period median \([0-9]*\) ms, p99 \([0-9]*\) ms.*/\1 ms median, \2 ms p99/p' "$work/loop.txt")

printf '%-52s %-22s %s\n' "measure" "figure" "goal"
printf '%-52s %-22s %s\n' "compose one rally frame (median)" "${frame_us} us" "<= 300 us"
printf '%-52s %-22s %s\n' "rally frame with the game's objects (median)" "${objects_us} us" "<= 300 us"
printf '%-52s %-22s %s\n' "recolour the court at level 7 (median)" "${court_us} us" "<= 2000 us"
printf '%-52s %-22s %s\n' "celebration frame, 8 bursts, 1920x1080 (median)" "${fireworks_us} us" "<= 10000 us"
printf '%-52s %-22s %s\n' "celebration frame, 86 confetti, 1920x1080 (median)" "${confetti_us} us" "<= 10000 us"
printf '%-52s %-22s %s\n' "frame loop CPU at 60 ms frames, 10 s under Xvfb" "${cpu} % of one core" "<= 5 %"
printf '%-52s %-22s %s\n' "frame period at level 9" "$periods" "60 ms"
