# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later

# shellcheck shell=bash
# The globals set here are read by the sourcing tests.
# shellcheck disable=SC2034
# Shared helpers for the end-to-end tests. Source it, then call e2e_begin
# with the path of the built game:
#
#   . "$(dirname "$0")/lib.sh"
#   e2e_begin "$1"
#
# Each test gets its own Xvfb display, its own temporary folder (holding a
# copy of the game, the game's TMPDIR and the logs) and an exit trap that
# ends every process the test started. The folder is removed when the test
# passes and kept, with a screenshot, when it fails.
#
# The wait helpers hand back what they found in globals (WIN_ID, EXIT_CODE)
# rather than print it: a failure inside a command substitution would end
# only that subshell, not the test.

set -u

E2E_NAME=$(basename "${0%.sh}")
E2E_TIMEOUT=10          # seconds any single wait may take
E2E_WORK=""             # the test's temporary folder
E2E_DISPLAY=""          # e.g. :150
E2E_XVFB_PID=""
E2E_PIDS=()             # every game process started, for the exit trap
E2E_LOCKS=()            # X lock files the test wrote, for the exit trap
E2E_KEEPERS=()          # the subshells watching them
declare -A E2E_RC_FILE  # game pid -> file its exit code is written to
E2E_GAME_PID=""         # the one e2e_start_game started last
E2E_PASSED=0

MAIN_TITLE="モカランズ！ mokaRUNs"
SCREEN_W=1024
SCREEN_H=768

e2e_log() { printf '%s: %s\n' "$E2E_NAME" "$*"; }

# Ends the test with a message, a screenshot and the tail of the game logs.
# Called by mistake inside a subshell (a command substitution, a pipeline),
# its exit would end only that subshell: there it stops the test itself.
fail() {
    printf '%s: FAIL: %s\n' "$E2E_NAME" "$*" >&2
    if ((BASH_SUBSHELL > 0)); then
        printf '%s: (fail was called inside a subshell; stopping the test)\n' "$E2E_NAME" >&2
        kill -TERM $$
        exit 1
    fi
    if [[ -n $E2E_XVFB_PID ]] && kill -0 "$E2E_XVFB_PID" 2>/dev/null; then
        e2e_screenshot "failure" >&2 || true
    fi
    if [[ -n $E2E_WORK ]]; then
        local log
        for log in "$E2E_WORK"/game*.log; do
            [[ -s $log ]] || continue
            printf '%s: --- %s\n' "$E2E_NAME" "$(basename "$log")" >&2
            tail -n 20 "$log" >&2
        done
    fi
    exit 1
}

# Saves the screen as PNG in the test folder and prints its path.
e2e_screenshot() {
    local file="$E2E_WORK/screen-${1:-shot}.png"
    if timeout 10 import -display "$E2E_DISPLAY" -window root "$file" 2>/dev/null; then
        printf '%s: screenshot: %s\n' "$E2E_NAME" "$file"
    else
        printf '%s: (screenshot failed)\n' "$E2E_NAME"
    fi
}

e2e_cleanup() {
    local rc=$?
    local pid
    for pid in "${E2E_PIDS[@]}"; do
        kill -9 -- "-$pid" 2>/dev/null || kill -9 "$pid" 2>/dev/null
    done
    if [[ -n $E2E_XVFB_PID ]]; then
        kill "$E2E_XVFB_PID" 2>/dev/null
        wait "$E2E_XVFB_PID" 2>/dev/null
    fi
    for pid in "${E2E_KEEPERS[@]}"; do
        wait "$pid" 2>/dev/null
    done
    ((${#E2E_LOCKS[@]})) && rm -f "${E2E_LOCKS[@]}"
    if [[ -n $E2E_WORK && -d $E2E_WORK ]]; then
        if [[ ($rc -eq 0 || $rc -eq 77) && $E2E_PASSED -eq 1 ]]; then
            rm -rf "$E2E_WORK"
        else
            printf '%s: kept for diagnosis: %s\n' "$E2E_NAME" "$E2E_WORK" >&2
            [[ $rc -eq 0 ]] && rc=1
        fi
    fi
    exit "$rc"
}

# Runs xdotool with a bound on its run time; no xdotool call may hang a test.
xdt() { timeout "$E2E_TIMEOUT" xdotool "$@"; }

# Starts X server $@ (Xvfb, Xephyr …; its arguments without a display) on
# a display it picks itself: -displayfd has it bind the first display number
# whose sockets, the abstract one included, nobody holds, and write that
# number once it takes connections. Lock files alone are not enough: an X
# server in another root (a chroot) holds abstract sockets but no lock file
# here. Sets E2E_X_DISPLAY (e.g. :3) and E2E_X_PID and adds the server to
# the processes the exit trap ends. -noreset matters: by default the server
# resets whenever its last client leaves (a probe, or a game between two
# starts), and a game connecting during that reset fails to start.
e2e_start_x_server() {
    local name
    name=$(basename "$1")
    local shown="$E2E_WORK/$name.display" deadline n=""
    rm -f "$shown"
    "$@" -displayfd 3 -nolisten tcp -noreset 3>"$shown" >"$E2E_WORK/$name.log" 2>&1 &
    E2E_X_PID=$!
    E2E_PIDS+=("$E2E_X_PID")
    deadline=$((SECONDS + E2E_TIMEOUT))
    until [[ $n =~ ^[0-9]+$ ]]; do
        kill -0 "$E2E_X_PID" 2>/dev/null || fail "$name ended at start: $(tail -n 3 "$E2E_WORK/$name.log")"
        ((SECONDS < deadline)) || fail "$name named no display within ${E2E_TIMEOUT}s"
        sleep 0.05
        n=$(head -n 1 "$shown" 2>/dev/null)
    done
    E2E_X_DISPLAY=":$n"
    xdpyinfo -display "$E2E_X_DISPLAY" >/dev/null 2>&1 || fail "$name on $E2E_X_DISPLAY takes no connection"
    # A server started with -displayfd writes no lock file; programs that
    # pick a display by lock files (weston's XWayland) must see it taken.
    e2e_hold_display "$n" "$E2E_X_PID"
}

# Writes the lock file of display $1, naming live process $2, as an X
# server would, unless one is there; the exit trap removes it.
e2e_hold_display() {
    local lock=/tmp/.X$1-lock
    if (set -C && printf '%10d\n' "$2" >"$lock") 2>/dev/null; then
        E2E_LOCKS+=("$lock")
    fi
}

# Holds every display whose abstract socket someone holds (an X server in
# another root or started with -displayfd) with a lock file, so that a
# program that picks its display by lock files alone passes them by.
e2e_hold_taken_displays() {
    local n
    for n in $(grep -o '@/tmp/.X11-unix/X[0-9]*' /proc/net/unix 2>/dev/null | sed 's/.*X//' | sort -un); do
        e2e_hold_display "$n" "$$"
    done
}

# The test's own Xvfb, on a display it picks itself.
e2e_start_xvfb() {
    e2e_start_x_server Xvfb -screen 0 "${E2E_XVFB_SIZE:-${SCREEN_W}x${SCREEN_H}}x24"
    E2E_XVFB_PID=$E2E_X_PID
    E2E_DISPLAY=$E2E_X_DISPLAY
    export DISPLAY="$E2E_DISPLAY"
}

# What a desktop session gives every program the test starts, the game and
# the window managers alike: a HOME, a runtime folder and a session bus of
# the test's own, no settings of whoever runs the tests. Without a bus of
# its own Qt would reach the user's, or, with dbus-x11 installed, launch one
# that writes into HOME and outlives the test.
e2e_session() {
    mkdir -p "$E2E_WORK/home" "$E2E_WORK/runtime"
    chmod 700 "$E2E_WORK/home" "$E2E_WORK/runtime"
    export HOME="$E2E_WORK/home" XDG_RUNTIME_DIR="$E2E_WORK/runtime"
    unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_STATE_HOME XDG_SESSION_TYPE \
        XDG_CURRENT_DESKTOP DESKTOP_SESSION WAYLAND_DISPLAY SESSION_MANAGER XAUTHORITY \
        DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORMTHEME QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
    command -v dbus-daemon >/dev/null || return 0
    local out
    out=$(dbus-daemon --session --fork --nopidfile --print-address=1 --print-pid=1 \
        --address="unix:path=$E2E_WORK/runtime/bus" 2>&1) || fail "the test's session bus did not start: $out"
    local pid=${out##*$'\n'}
    [[ $pid =~ ^[0-9]+$ ]] || fail "the test's session bus gave no pid: $out"
    E2E_PIDS+=("$pid")
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$E2E_WORK/runtime/bus"
}

# Sets up the test: tools, folder, exit trap, display, a copy of the game.
e2e_begin() {
    local bin=${1:-}
    [[ -n $bin && -x $bin ]] || { echo "usage: $0 <path-to-mokaruns>" >&2; exit 2; }
    local tool
    for tool in Xvfb xdotool xdpyinfo xwininfo import timeout setsid; do
        command -v "$tool" >/dev/null || { echo "$E2E_NAME: missing tool: $tool" >&2; exit 2; }
    done
    E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/mokaruns-e2e-$E2E_NAME.XXXXXX") || exit 2
    trap e2e_cleanup EXIT
    trap 'exit 130' INT TERM
    mkdir -p "$E2E_WORK/app" "$E2E_WORK/tmp"
    e2e_session
    # The game must run from wherever it is put, so it runs from a copy.
    cp "$bin" "$E2E_WORK/app/mokaruns" || fail "cannot copy $bin"
    e2e_start_xvfb
}

# Starts a copy of the game in the background, with arguments $@ if any; its
# pid lands in E2E_GAME_PID.
# The game's TMPDIR is private to the test, so its single-copy lock cannot
# meet a game the user is running. Each copy runs under a small keeper
# subshell that records its exit code (and takes bash's "Killed" notices
# into the log); the copy leads its own process group (setsid execs in
# place here, keeping the pid), so the exit trap can end anything it spawned.
# The window system the game runs on, as env's arguments; empty: X11 on the
# test's display.
E2E_GAME_ENV=()
e2e_start_game() {
    local n=${#E2E_PIDS[@]}
    local base="$E2E_WORK/game$n" deadline game_env=("${E2E_GAME_ENV[@]}")
    ((${#game_env[@]})) || game_env=(QT_QPA_PLATFORM=xcb "DISPLAY=$E2E_DISPLAY")
    (
        cd "$E2E_WORK/app" || exit 1
        setsid env "${game_env[@]}" TMPDIR="$E2E_WORK/tmp" XDG_RUNTIME_DIR="$E2E_WORK/runtime" ./mokaruns "$@" &
        echo $! >"$base.pid.new" && mv "$base.pid.new" "$base.pid"
        wait $!
        echo $? >"$base.rc.new" && mv "$base.rc.new" "$base.rc"
    ) >"$base.log" 2>&1 &
    E2E_KEEPERS+=("$!")
    deadline=$((SECONDS + E2E_TIMEOUT))
    until [[ -s $base.pid ]]; do
        ((SECONDS < deadline)) || fail "the game did not start"
        sleep 0.05
    done
    E2E_GAME_PID=$(<"$base.pid")
    E2E_PIDS+=("$E2E_GAME_PID")
    E2E_RC_FILE[$E2E_GAME_PID]="$base.rc"
}

# True while the process runs (a zombie waiting to be reaped counts as gone).
e2e_alive() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null) || return 1
    [[ -n $state && $state != Z* ]]
}

# Waits for game process $1 to end and sets EXIT_CODE; fails, naming it
# as $3, when it still runs after $2 seconds (default E2E_TIMEOUT).
e2e_wait_exit() {
    local pid=$1 limit=${2:-$E2E_TIMEOUT} what=${3:-process $1} deadline
    deadline=$((SECONDS + limit))
    while e2e_alive "$pid"; do
        ((SECONDS < deadline)) || fail "$what still running ${limit}s later"
        sleep 0.1
    done
    local rc_file=${E2E_RC_FILE[$pid]}
    deadline=$((SECONDS + 2))
    until [[ -s $rc_file ]]; do
        ((SECONDS < deadline)) || fail "$what ended, but its exit code was never recorded"
        sleep 0.05
    done
    EXIT_CODE=$(<"$rc_file")
}

# Runs check $2… every tenth of a second until it succeeds; false when it
# has not within $1 seconds (fractions allowed). Checks may fail the test.
e2e_poll() {
    local end
    end=$(($(e2e_micros "$1") + ${EPOCHREALTIME/[.,]/}))
    shift
    until "$@"; do
        ((${EPOCHREALTIME/[.,]/} < end)) || return 1
        sleep 0.1
    done
}

# Runs check $2… every tenth of a second for $1 seconds: for what must not
# happen (a second message, a court moving on). False as soon as it fails.
e2e_holds() {
    local end
    end=$(($(e2e_micros "$1") + ${EPOCHREALTIME/[.,]/}))
    shift
    while ((${EPOCHREALTIME/[.,]/} < end)); do
        "$@" || return 1
        sleep 0.1
    done
}

e2e_micros() { awk -v s="$1" 'BEGIN { printf "%d", s * 1000000 }'; }

# Visible windows of a process, one id a line.
e2e_windows_of_pid() { xdt search --onlyvisible --pid "$1" 2>/dev/null; }

# Every window (mapped or not) of a process.
e2e_all_windows_of_pid() { xdt search --pid "$1" 2>/dev/null; }

e2e_window_name() { xdt getwindowname "$1" 2>/dev/null; }

# Visible windows whose title is exactly $1.
e2e_windows_titled() {
    local id
    for id in $(xdt search --onlyvisible --name "$1" 2>/dev/null); do
        [[ $(e2e_window_name "$id") == "$1" ]] && printf '%s\n' "$id"
    done
}

# Polls until a visible window titled exactly $1 exists; sets WIN_ID.
e2e_wait_window_titled() {
    local title=$1 deadline ids
    deadline=$((SECONDS + E2E_TIMEOUT))
    while ((SECONDS < deadline)); do
        ids=$(e2e_windows_titled "$title")
        if [[ -n $ids ]]; then
            WIN_ID=${ids%%$'\n'*}
            return 0
        fi
        sleep 0.1
    done
    fail "no window titled '$title' within ${E2E_TIMEOUT}s"
}

# Polls until process $1 shows a visible window of size $2×$3 (any size when
# those are left out); sets WIN_ID.
e2e_wait_window_of_pid() {
    local pid=$1 w=${2:-} h=${3:-} deadline id
    deadline=$((SECONDS + E2E_TIMEOUT))
    while ((SECONDS < deadline)); do
        for id in $(e2e_windows_of_pid "$pid"); do
            if [[ -z $w ]]; then
                WIN_ID=$id
                return 0
            fi
            e2e_geometry "$id" || continue
            if ((WIN_W == w && WIN_H == h)); then
                WIN_ID=$id
                return 0
            fi
        done
        sleep 0.1
    done
    fail "process $pid showed no ${w:+${w}x${h} }window within ${E2E_TIMEOUT}s"
}

# Polls until window $1 is no longer viewable (unmapped or destroyed).
e2e_wait_window_gone() {
    local id=$1 deadline
    deadline=$((SECONDS + E2E_TIMEOUT))
    while ((SECONDS < deadline)); do
        e2e_viewable "$id" || return 0
        sleep 0.1
    done
    fail "window $id still shown after ${E2E_TIMEOUT}s"
}

e2e_viewable() {
    xwininfo -display "$E2E_DISPLAY" -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}

# Reads window $1's position and size into WIN_X, WIN_Y, WIN_W, WIN_H.
e2e_geometry() {
    local info
    info=$(xwininfo -display "$E2E_DISPLAY" -id "$1" 2>/dev/null) || return 1
    WIN_X=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$info")
    WIN_Y=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info")
    WIN_W=$(awk '/^ *Width:/ {print $2}' <<<"$info")
    WIN_H=$(awk '/^ *Height:/ {print $2}' <<<"$info")
    [[ $WIN_X =~ ^-?[0-9]+$ && $WIN_Y =~ ^-?[0-9]+$ && $WIN_W =~ ^[0-9]+$ && $WIN_H =~ ^[0-9]+$ ]]
}

# Clicks the left button at ($2, $3) inside window $1. The click is its own
# xdotool call: chained after the move it would look the window up again,
# and fail, when the click has just closed that window.
e2e_click() {
    xdt mousemove --window "$1" "$2" "$3" || fail "could not move the pointer to ($2, $3) in window $1"
    xdt click 1 || fail "could not click in window $1 at ($2, $3)"
}

# Sends key $2 to window $1 as a synthetic event. Qt hands such a key to
# whichever window of that process has the keyboard focus, not necessarily
# to window $1: use it only on a process showing a single window. A window
# that closes on the key press is gone before the release is sent, so
# xdotool reports a BadWindow error; the caller checks the effect instead.
e2e_key_to_window() {
    xdt key --window "$1" "$2" >/dev/null 2>&1 || true
    # When the key closes its window, xdotool's release goes nowhere and the
    # server keeps the key down, auto-repeating it into whatever window has
    # the focus next. Release it for good.
    xdt keyup "$2" >/dev/null 2>&1 || true
}

# Gives window $1 the keyboard focus and types key $2 as a real key press,
# for windows that are not the focused one of their process.
e2e_type_into_window() {
    xdt windowfocus --sync "$1" || fail "could not give window $1 the keyboard focus"
    xdt key "$2" || fail "could not type $2"
}

# Checks window $1 sits centred on the screen, each side within $2 pixels.
e2e_expect_centred() {
    local id=$1 slack=$2 what=$3 want_x want_y
    e2e_geometry "$id" || fail "cannot read the geometry of the $what"
    want_x=$(((SCREEN_W - WIN_W) / 2))
    want_y=$(((SCREEN_H - WIN_H) / 2))
    local dx=$((WIN_X - want_x)) dy=$((WIN_Y - want_y))
    if ((dx < -slack || dx > slack || dy < -slack || dy > slack)); then
        fail "$what at ($WIN_X, $WIN_Y), size ${WIN_W}x${WIN_H}: not centred (want about ($want_x, $want_y), ±$slack)"
    fi
}

# Colour of pixel ($2, $3) of picture $1 as "r,g,b"; nothing, with
# convert's message on stderr, when the picture cannot be read.
e2e_pixel() {
    convert "$1" -format '%[fx:int(255*p{'"$2,$3"'}.r)],%[fx:int(255*p{'"$2,$3"'}.g)],%[fx:int(255*p{'"$2,$3"'}.b)]' info:
}

# Checks that $2, what tool $1 printed, is a count (ImageMagick writes large
# ones as 1.2e+06) and sets COUNT to it; fails the test with $3 and the
# tool's words otherwise. ImageMagick prints no error for a picture it
# reads wrong, only a number that is not there.
e2e_count_from() {
    [[ $2 =~ ^[0-9]+(\.[0-9]+)?(e\+?[0-9]+)?$ ]] || fail "$3: $1 said: ${2:-nothing}"
    COUNT=$(awk -v n="$2" 'BEGIN { printf "%d", n + 0.5 }')
}

# Counts into UNLIKE the pixels of picture $1 that differ from picture $2
# by more than $4 per cent (default 0): the whole pictures, or their area
# $3 (WxH+X+Y) when given. To cut an area of one picture alone, name it
# as ImageMagick reads it: "shot.png[280x200+10+20]". compare prints the
# count on stderr, exiting 1 when the pictures differ and 2 when it cannot
# compare them; that, pictures of different sizes, or anything but a count,
# fails the test.
e2e_count_unlike() {
    local a=$1 b=$2 area=${3:-} fuzz=${4:-0} out rc
    [[ -n $area ]] && a="${a}[$area]" b="${b}[$area]"
    # ImageMagick 6 compares pictures of different sizes over the smaller
    # one and calls them alike: the sizes are checked first (a crop that
    # runs off its picture comes out smaller, and is refused too).
    local size_a size_b
    size_a=$(identify -format '%wx%h' "$a" 2>&1)
    size_b=$(identify -format '%wx%h' "$b" 2>&1)
    [[ $size_a =~ ^[0-9]+x[0-9]+$ && $size_b =~ ^[0-9]+x[0-9]+$ ]] ||
        fail "cannot read the size of $(basename "$a") or $(basename "$b"): ${size_a} / ${size_b}"
    [[ $size_a == "$size_b" ]] ||
        fail "cannot compare $(basename "$a") ($size_a) with $(basename "$b") ($size_b): sizes differ"
    out=$(compare -metric AE -fuzz "$fuzz%" "$a" "$b" null: 2>&1)
    rc=$?
    ((rc <= 1)) || fail "cannot compare $(basename "$a") with $(basename "$b") (compare exit $rc): $out"
    e2e_count_from compare "$out" "cannot compare $(basename "$a") with $(basename "$b")"
    UNLIKE=$COUNT
}

# A fresh screenshot named $3, and in UNLIKE the pixels of the screen inside
# window $1 that differ from picture $2 (same size as the window). Fails the
# test when the window, the screenshot or the comparison cannot be had.
e2e_pixels_unlike() {
    local id=$1 picture=$2 name=$3
    e2e_geometry "$id" || fail "cannot read the geometry of window $id"
    timeout 10 import -display "$E2E_DISPLAY" -window root "$E2E_WORK/$name.png" ||
        fail "could not take a picture of the screen"
    e2e_count_unlike "$E2E_WORK/$name.png[${WIN_W}x${WIN_H}+${WIN_X}+${WIN_Y}]" "$picture" "" 3
}

# Waits until the splash (window $1) is seen on the screen: the pixels where
# it stands are the splash card's, not whatever lies behind it.
E2E_ASSETS="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/assets"
E2E_SPLASH_PICTURE="$E2E_ASSETS/splash.bmp"
e2e_expect_splash_seen() {
    local id=$1 deadline
    deadline=$((SECONDS + E2E_TIMEOUT))
    while :; do
        e2e_pixels_unlike "$id" "$E2E_SPLASH_PICTURE" splash
        ((UNLIKE < 280 * 200 / 50)) && return 0
        ((SECONDS < deadline)) || fail "the splash is not seen: $UNLIKE of its 56000 pixels are not the card's (splash.png)"
        sleep 0.2
    done
}

# The trophy of the celebration: the cup picture, stored with the first 26
# bytes of its BMP header zeroed (the game puts back the ones below), and
# its mask, black where the cup is. The celebration ANDs the mask and XORs
# the cup at the centre of the screen area it covers - (106, 170), so inside
# the mask the screen shows the cup's own pixels.
e2e_trophy_picture() {
    E2E_CUP="$E2E_WORK/cup.bmp"
    [[ -s $E2E_CUP ]] && return 0
    cp "$E2E_ASSETS/trophy.bin" "$E2E_CUP.new" || fail "cannot copy the trophy picture"
    local at_bytes
    for at_bytes in '0 BM\004\210' '10 \066\004' '14 \050' '18 \016\001' '22 \066\001'; do
        # shellcheck disable=SC2059 # the bytes are printf escapes
        printf "${at_bytes#* }" | dd of="$E2E_CUP.new" bs=1 seek="${at_bytes%% *}" conv=notrunc status=none ||
            fail "cannot complete the trophy picture's header"
    done
    mv "$E2E_CUP.new" "$E2E_CUP"
}

# True when picture $1 (a path) shows the trophy where the celebration
# covering the screen area at ($2, $3), $4 × $5, draws it: inside the mask,
# at most a fifth of the 37935 pixels differ from the cup (by more than 8 %
# in a channel); the engraved name, the ball orbiting in front and the
# fireworks cover some. Sets TROPHY_UNLIKE (pixels unlike the cup) and
# TROPHY_AT ("270x310+X+Y"). Fails the test, in the calling shell (so never
# call it inside $( )), when a picture cannot be read.
e2e_trophy_in() {
    local shot=$1 x=$(($2 + $4 / 2 - 106)) y=$(($3 + $5 / 2 - 170)) out
    e2e_trophy_picture
    TROPHY_AT="270x310+$x+$y"
    # The largest difference of the three channels, white where above 8 %,
    # kept only inside the mask; the crop must lie wholly in the picture.
    out=$(convert \( "$shot" -crop "$TROPHY_AT" +repage -alpha off \) \( "$E2E_CUP" -alpha off \) \
        -compose difference -composite -separate -evaluate-sequence max -threshold 8% \
        \( "$E2E_ASSETS/trophy_mask.bmp" -alpha off -negate \) -compose multiply -composite \
        -format '%w %h %[fx:int(mean*w*h+0.5)]' info: 2>&1)
    [[ $out =~ ^270\ 310\ ([0-9]+)$ ]] ||
        fail "cannot look for the trophy at $TROPHY_AT in $(basename "$shot"): convert said: ${out:-nothing}"
    TROPHY_UNLIKE=${BASH_REMATCH[1]}
    ((TROPHY_UNLIKE <= 37935 / 5))
}

# Waits until the trophy is seen on the X server's screen, drawn by a
# celebration covering the screen area $1..$4 (x y w h; default the whole
# screen); the last screenshot is trophy.png. Fails when it is not seen
# within E2E_TIMEOUT seconds.
e2e_expect_trophy_seen() {
    local x=${1:-0} y=${2:-0} w=${3:-$SCREEN_W} h=${4:-$SCREEN_H} deadline
    deadline=$((SECONDS + E2E_TIMEOUT))
    while :; do
        timeout 10 import -display "$E2E_DISPLAY" -window root "$E2E_WORK/trophy.png" ||
            fail "could not take a picture of the screen"
        if e2e_trophy_in "$E2E_WORK/trophy.png" "$x" "$y" "$w" "$h"; then
            e2e_log "trophy seen at $TROPHY_AT: $TROPHY_UNLIKE of its 37935 pixels unlike the cup"
            return 0
        fi
        ((SECONDS < deadline)) ||
            fail "the trophy is not seen at $TROPHY_AT: $TROPHY_UNLIKE of its 37935 pixels are not the cup's (trophy.png)"
        sleep 0.2
    done
}

# Starts a copy of the game and clicks its splash away once it is seen: the
# game's pid lands in E2E_GAME_PID, its main window in MAIN_ID.
e2e_start_past_splash() {
    e2e_start_game
    e2e_wait_window_titled "$MAIN_TITLE"
    MAIN_ID=$WIN_ID
    e2e_wait_window_of_pid "$E2E_GAME_PID" 280 200
    e2e_expect_splash_seen "$WIN_ID"
    e2e_click "$WIN_ID" 140 100
    e2e_wait_window_gone "$WIN_ID"
}

# "ゲーム" in main window $1, then types $2 into the registration dialog
# (350×154); the dialog lands in NAME_DIALOG.
e2e_type_player_name() {
    local main=$1 key
    e2e_click "$main" 360 68
    e2e_wait_window_of_pid "$E2E_GAME_PID" 350 154
    NAME_DIALOG=$WIN_ID
    for key in $(grep -o . <<<"$2"); do
        e2e_type_into_window "$NAME_DIALOG" "$key"
    done
}

# Stores $2 as the preview name in main window $1: typed into the
# registration dialog, kept by a click on "アルファベット ３文字以内", the
# dialog cancelled.
e2e_store_preview_name() {
    e2e_type_player_name "$1" "$2"
    e2e_click "$NAME_DIALOG" 116 48  # アルファベット ３文字以内
    e2e_click "$NAME_DIALOG" 112 128 # キャンセル
    e2e_wait_window_gone "$NAME_DIALOG"
    sleep 0.5
}

# The preview gesture in main window $1: Shift and the right button on COM's
# set count, then on USER's. With a preview name stored, the celebration
# starts at once.
e2e_preview_gesture() {
    local main=$1 at x y
    for at in "360 204" "360 292"; do # lblCOM, then lblUSER
        read -r x y <<<"$at"
        xdt mousemove --window "$main" "$x" "$y" || fail "could not move the pointer to ($x, $y)"
        xdt keydown shift || fail "could not press Shift"
        xdt click 3 || fail "could not right-click at ($x, $y)"
        xdt keyup shift || fail "could not release Shift"
    done
}

# Ends game $1 with "終了" in its main window $2: the farewell announcement
# (a 350×84 dialog) appears and its OK closes the program with code 0.
e2e_end_game() {
    local game=$1 main=$2 farewell
    e2e_click "$main" 360 20
    e2e_wait_window_of_pid "$game" 350 84
    farewell=$WIN_ID
    e2e_click "$farewell" 174 54 # its OK button
    e2e_wait_exit "$game" 5 "the game, after 終了 and OK on the farewell,"
    ((EXIT_CODE == 0)) || fail "the game exited with code $EXIT_CODE after 終了, want 0"
}

# A test that cannot run here (a tool or a service missing) exits 77, which
# ctest counts as skipped, not passed. Under CI=true, where scripts/setup.sh
# installs everything the tests need, a skip is a failure.
e2e_skip() {
    if [[ ${CI:-} == true ]]; then
        printf '%s: FAILED: cannot run although CI=true: %s\n' "$E2E_NAME" "$*" >&2
        exit 1
    fi
    printf '%s: SKIPPED: %s\n' "$E2E_NAME" "$*"
    E2E_PASSED=1
    exit 77
}

e2e_pass() {
    E2E_PASSED=1
    e2e_log "ok (${SECONDS}s)"
    exit 0
}

# The ordinary user that checks needing file modes to bind run as (root
# ignores them): the user running the test, or nobody when that is root, for
# whom the test folder is made reachable. Sets E2E_USER.
e2e_ordinary_user() {
    E2E_USER=$(id -un)
    (($(id -u) == 0)) || return 0
    command -v setpriv >/dev/null || e2e_skip "setpriv is not installed"
    id -u nobody >/dev/null 2>&1 || e2e_skip "there is no user nobody"
    E2E_USER=nobody
    chmod 711 "$E2E_WORK"
    chmod 1777 "$E2E_WORK/tmp"
}

# Makes app/mokaruns a script that execs program $1 as the ordinary user
# with the environment NAME=VALUE $2... (setpriv replaces itself, so the pid
# stays the game's). Without a sound server of the test's own, the game is
# pointed at none, so that it cannot start one for that user.
e2e_game_as_ordinary_user() {
    local program=$1 as=""
    shift
    e2e_ordinary_user
    [[ $E2E_USER == "$(id -un)" ]] || as="setpriv --reuid=$E2E_USER --regid=$(id -g "$E2E_USER") --clear-groups --"
    # shellcheck disable=SC2016 # the script expands $PULSE_SERVER and $@
    {
        printf '#!/bin/sh\nexec env PULSE_SERVER="${PULSE_SERVER:-unix:%s/no-sound-server}"' "$E2E_WORK"
        (($#)) && printf ' %q' "$@"
        printf ' %s %q "$@"\n' "$as" "$program"
    } >"$E2E_WORK/app/mokaruns"
    chmod 755 "$E2E_WORK/app/mokaruns"
}
