#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later
# System figures of the real game on a private Xvfb display, one table:
#   - processor time of a practice rally at level 8 (rank A) over 10 s,
#   - frame period over 200 frames at levels 1 and 9,
#   - the same practice rally and frame periods under a window manager,
#   - start-up to the main window shown, against a bare Qt Widgets window
#     started the same way (median of 7 starts each),
#   - peak memory (VmHWM) of the game after that practice rally,
#   - peak memory and processor time of a whole celebration (the hidden
#     preview) on screens of 1920x1080 and 3840x2160.
#   bench/release_bench.sh [--rows] [--celebration]
#     --rows: the table rows only; --celebration: the celebration rows only
set -uo pipefail
cd "$(dirname "$0")/.."
rows_only=0 celebration_only=0
for arg in "$@"; do
    [[ $arg == --rows ]] && rows_only=1
    [[ $arg == --celebration ]] && celebration_only=1
done
scripts/build.sh --target mokaruns loop_cpu minimal_window >/dev/null || exit 1
game_bin=$PWD/build/mokaruns
loop_bin=$PWD/build/bench/loop_cpu
minimal_bin=$PWD/build/bench/minimal_window

# shellcheck source=tests/e2e/lib.sh
. tests/e2e/lib.sh
E2E_NAME=release_bench
E2E_TIMEOUT=20
e2e_begin "$game_bin" >/dev/null
E2E_PASSED=1 # a benchmark keeps no folder behind

ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)

if ((!celebration_only)); then
# --- practice rally at level 8 in the real game ---------------------------
# Sets practice_cpu (% of one core over 10 s) and game_mb (VmHWM, MB).
practice_rally() {
e2e_start_past_splash
game=$E2E_GAME_PID
main=$MAIN_ID
e2e_click "$main" 360 344 # Ａランク: level 8
e2e_click "$main" 360 148   # 練習
e2e_wait_window_of_pid "$game" 350 84 # the rank A hint
e2e_click "$WIN_ID" 174 54            # its OK
sleep 0.5
e2e_click "$main" 156 200 # serves; the ball bounces at both ends from now on
sleep 2
t0=$(ticks "$game")
s0=$(date +%s.%N)
sleep 10
t1=$(ticks "$game")
s1=$(date +%s.%N)
practice_cpu=$(awk -v t="$((t1 - t0))" -v hz="$hz" -v a="$s0" -v b="$s1" 'BEGIN { printf "%.2f", 100 * t / hz / (b - a) }')
game_mb=$(awk '/^VmHWM:/ { printf "%.1f", $2 / 1024 }' "/proc/$game/status")
kill "$game" 2>/dev/null
e2e_wait_exit "$game" 10 "the game"
}
practice_rally

# --- frame period over 200 frames -----------------------------------------
period() { # level -> "median ms median, p99 ms p99"
    TMPDIR="$E2E_WORK/tmp" DISPLAY="$E2E_DISPLAY" "$loop_bin" "$1" 60 200 2>/dev/null |
        sed -n 's/.*period median \([0-9]*\) ms, p99 \([0-9]*\) ms.*/\1 ms median, \2 ms p99/p'
}
period1=$(period 1)
period9=$(period 9)

# --- start-up to the window shown -----------------------------------------
# Milliseconds from the start of program $1 until a visible window titled
# exactly $2 is on the screen; the program is then ended.
startup_ms() {
    local bin=$1 title=$2 t0 t1 pid id
    t0=$(date +%s%N)
    (cd "$E2E_WORK/app" && exec env TMPDIR="$E2E_WORK/tmp" XDG_RUNTIME_DIR="$E2E_WORK/runtime" \
        QT_QPA_PLATFORM=xcb DISPLAY="$E2E_DISPLAY" "$bin" >/dev/null 2>&1) &
    pid=$!
    while :; do
        id=$(xdotool search --onlyvisible --pid "$pid" --name "^${title}\$" 2>/dev/null | head -1)
        [[ -n $id ]] && break
        kill -0 "$pid" 2>/dev/null || { echo "fail"; return; }
        sleep 0.005
    done
    t1=$(date +%s%N)
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    echo $(((t1 - t0) / 1000000))
}
median_of() { tr ' ' '\n' | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
game_runs=() minimal_runs=()
for _ in 1 2 3 4 5 6 7; do
    minimal_runs+=("$(startup_ms "$minimal_bin" "minimal window")")
    game_runs+=("$(startup_ms "$game_bin" "$MAIN_TITLE")")
done
game_start=$(echo "${game_runs[*]}" | median_of)
minimal_start=$(echo "${minimal_runs[*]}" | median_of)
ratio=$(awk -v g="$game_start" -v m="$minimal_start" 'BEGIN { printf "%.2f", g / m }')

# --- the same under a window manager (metacity) -----------------------------
bare_practice_cpu=$practice_cpu bare_game_mb=$game_mb
setsid metacity --replace >"$E2E_WORK/wm.log" 2>&1 &
E2E_PIDS+=("$!")
for _ in $(seq 100); do
    xprop -display "$E2E_DISPLAY" -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
sleep 0.5
practice_rally
wm_practice_cpu=$practice_cpu practice_cpu=$bare_practice_cpu game_mb=$bare_game_mb
wm_period1=$(period 1)
wm_period9=$(period 9)

fi

# --- a whole celebration on a screen of $1 x $2 ------------------------------
# Sets CEL_MB (VmHWM after it, MB), CEL_BEFORE_MB (VmHWM before it) and
# CEL_CPU (processor time from the gesture until the window is gone, in % of
# one core over that time).
celebration() {
    local game t0 t1 s0 s1
    kill "$E2E_XVFB_PID" 2>/dev/null
    wait "$E2E_XVFB_PID" 2>/dev/null
    SCREEN_W=$1 SCREEN_H=$2
    e2e_start_xvfb
    e2e_start_past_splash
    game=$E2E_GAME_PID
    e2e_store_preview_name "$MAIN_ID" moc
    sleep 1
    CEL_BEFORE_MB=$(awk '/^VmHWM:/ { printf "%.1f", $2 / 1024 }' "/proc/$game/status")
    t0=$(ticks "$game")
    s0=$(date +%s.%N)
    e2e_preview_gesture "$MAIN_ID"
    e2e_wait_window_of_pid "$game" "$1" "$2"
    e2e_wait_window_gone "$WIN_ID"
    t1=$(ticks "$game")
    s1=$(date +%s.%N)
    CEL_MB=$(awk '/^VmHWM:/ { printf "%.1f", $2 / 1024 }' "/proc/$game/status")
    CEL_CPU=$(awk -v t="$((t1 - t0))" -v hz="$hz" -v a="$s0" -v b="$s1" \
        'BEGIN { printf "%.2f %% of one core over %.1f s", 100 * t / hz / (b - a), b - a }')
    kill "$game" 2>/dev/null
    e2e_wait_exit "$game" 10 "the game"
}
E2E_TIMEOUT=30 # a whole celebration is waited for in one go
celebration 1920 1080
hd_mb=$CEL_MB hd_before=$CEL_BEFORE_MB hd_cpu=$CEL_CPU
celebration 3840 2160
uhd_mb=$CEL_MB uhd_before=$CEL_BEFORE_MB uhd_cpu=$CEL_CPU

row() { printf '%-52s %-30s %s\n' "$@"; }
((rows_only)) || row "measure" "figure" "goal"
if ((!celebration_only)); then
    row "practice rally CPU at level 8, 10 s under Xvfb" "${practice_cpu} % of one core" "<= 3 %"
    row "frame period at level 1, 200 frames" "$period1" "120 +-1 ms, p99 +-5 ms"
    row "frame period at level 9, 200 frames" "$period9" "60 +-1 ms, p99 +-5 ms"
    row "practice rally CPU at level 8, 10 s, under metacity" "${wm_practice_cpu} % of one core" "<= 3 %"
    row "frame period at level 1, under metacity" "$wm_period1" "120 +-1 ms, p99 +-5 ms"
    row "frame period at level 9, under metacity" "$wm_period9" "60 +-1 ms, p99 +-5 ms"
    row "start-up to the main window (median of 7)" "${game_start} ms (bare Qt ${minimal_start} ms)" "<= 1.2 x bare Qt"
    row "start-up ratio game / bare Qt window" "${ratio} x" "<= 1.2"
    row "peak memory in a practice game (VmHWM)" "${game_mb} MB" "<= 100 MB"
fi
row "celebration 1920x1080: peak memory (VmHWM)" "${hd_mb} MB (${hd_before} MB before)" "<= 70 MB"
row "celebration 1920x1080: processor time" "$hd_cpu" "<= 2 %"
row "celebration 3840x2160: peak memory (VmHWM)" "${uhd_mb} MB (${uhd_before} MB before)" "<= 150 MB"
row "celebration 3840x2160: processor time" "$uhd_cpu" "<= 5 %"
