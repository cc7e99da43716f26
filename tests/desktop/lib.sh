# shellcheck shell=bash
# shellcheck disable=SC2034
# Helpers for the tests of the real game on real desktops: an X server with
# a window manager, or weston. Built on the end-to-end helpers; source it,
# then call desk_begin with the path of the built game.
#
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"

SCREEN_W=1280
SCREEN_H=800
E2E_TIMEOUT=15
DESK_WM_PID=""
MAGENTA="255,0,255"
PURPLE="128,0,128"
ORANGE="255,128,0"

desk_begin() {
    local tool
    for tool in compare convert xprop; do
        command -v "$tool" >/dev/null || { echo "$E2E_NAME: missing tool: $tool" >&2; exit 2; }
    done
    e2e_begin "$1"
}

# Starts window manager $1 on the test's display and waits until it manages
# the screen (it names itself on the root window).
desk_start_wm() {
    local wm=$1 deadline
    case $wm in
    openbox) setsid openbox --sm-disable >"$E2E_WORK/wm.log" 2>&1 & ;;
    metacity) setsid metacity --replace >"$E2E_WORK/wm.log" 2>&1 & ;;
    xfwm4) setsid dbus-run-session -- xfwm4 --compositor=off >"$E2E_WORK/wm.log" 2>&1 & ;;
    *) fail "unknown window manager $wm" ;;
    esac
    DESK_WM_PID=$!
    E2E_PIDS+=("$DESK_WM_PID")
    deadline=$((SECONDS + E2E_TIMEOUT))
    until xprop -display "$E2E_DISPLAY" -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
        ((SECONDS < deadline)) || fail "$wm did not start"
        sleep 0.1
    done
    sleep 0.5
    e2e_log "window manager: $wm"
}

# A picture of the whole screen, $1.png in the test folder.
desk_shot() {
    timeout 10 import -display "$E2E_DISPLAY" -window root "$E2E_WORK/$1.png" 2>/dev/null ||
        fail "could not take a picture of the screen"
}

# Checks that pixel ($3, $4) of window $2, in screenshot $1, has colour $5.
desk_expect_colour() {
    local shot=$1 id=$2 x=$3 y=$4 want=$5 what=$6 got
    e2e_geometry "$id" || fail "cannot read the geometry of the $what"
    got=$(e2e_pixel "$E2E_WORK/$shot.png" $((WIN_X + x)) $((WIN_Y + y)))
    [[ $got == "$want" ]] || fail "$what: pixel ($x, $y) is $got, want $want (picture $shot.png)"
}

# The outer frame of window $1 (the window manager's borders included) into
# FRAME_X, FRAME_Y, FRAME_W, FRAME_H.
desk_frame() {
    local extents l=0 r=0 t=0 b=0
    e2e_geometry "$1" || return 1
    extents=$(xprop -display "$E2E_DISPLAY" -id "$1" _NET_FRAME_EXTENTS 2>/dev/null)
    if [[ $extents == *=* ]]; then
        IFS=', ' read -r l r t b <<<"${extents#*= }"
    fi
    FRAME_X=$((WIN_X - l)) FRAME_Y=$((WIN_Y - t)) FRAME_W=$((WIN_W + l + r)) FRAME_H=$((WIN_H + t + b))
}

# Checks that window $1 is centred on window $2, frames compared, within $3.
desk_expect_centred_on() {
    local id=$1 owner=$2 slack=$3 what=$4 cx cy ox oy
    desk_frame "$owner" || fail "cannot read the main window's frame"
    ox=$((FRAME_X + FRAME_W / 2)) oy=$((FRAME_Y + FRAME_H / 2))
    desk_frame "$id" || fail "cannot read the frame of the $what"
    cx=$((FRAME_X + FRAME_W / 2)) cy=$((FRAME_Y + FRAME_H / 2))
    if ((cx - ox < -slack || cx - ox > slack || cy - oy < -slack || cy - oy > slack)); then
        fail "$what: centre ($cx, $cy), the main window's ($ox, $oy): not centred on it (±$slack)"
    fi
}

# Waits until main window $1 has client size $2×$3.
desk_wait_size() {
    local id=$1 w=$2 h=$3 deadline
    deadline=$((SECONDS + E2E_TIMEOUT))
    while :; do
        e2e_geometry "$id" && ((WIN_W == w && WIN_H == h)) && return 0
        ((SECONDS < deadline)) || fail "the main window is ${WIN_W}x${WIN_H}, want ${w}x${h}"
        sleep 0.1
    done
}

# Waits until main window $1 is larger than its normal size (maximized).
desk_wait_maximized() {
    local id=$1 deadline
    deadline=$((SECONDS + E2E_TIMEOUT))
    while :; do
        e2e_geometry "$id" && ((WIN_W > 409 + 200 && WIN_H > 514 + 100)) && return 0
        ((SECONDS < deadline)) || fail "the main window did not maximize: ${WIN_W}x${WIN_H}"
        sleep 0.1
    done
}

# Where the play area stands in main window $1: BOX_X, BOX_Y (client
# coordinates), centred in a maximized window, at the corner otherwise.
desk_box_origin() {
    e2e_geometry "$1" || fail "cannot read the main window's geometry"
    BOX_X=$(((WIN_W - 409) / 2)) BOX_Y=$(((WIN_H - 513) / 2))
    ((BOX_X < 0)) && BOX_X=0
    ((BOX_Y < 0)) && BOX_Y=0
}

# Checks both life-bar columns against what the board says, in picture
# $1.png of a play area standing at ($2, $3) on the screen: $4 is "full" (a
# new game: both bars in view) or "empty" (no game: both out of view). The
# two frames stand one above the other, rows 8 to 504 of the play area;
# every fourth pixel down that column is read.
desk_expect_column() {
    local shot=$1 x=$2 y=$3 state=$4 when=$5 want result rows bad first
    want="#FF00FF" # magenta
    [[ $state == empty ]] && want="#800080" # the purple frame
    result=$(convert "$E2E_WORK/$shot.png" -crop "1x497+$((x + 308))+$((y + 8))" -depth 8 txt:- 2>/dev/null |
        awk -v want="$want" '
            # Colours within 4 per channel match: a compositor may round.
            function channel(hex, i) { return index("0123456789ABCDEF", substr(hex, i, 1)) * 16 + index("0123456789ABCDEF", substr(hex, i + 1, 1)) - 17 }
            function near(a, b,   i, d) { for (i = 2; i <= 6; i += 2) { d = channel(a, i) - channel(b, i); if (d > 4 || d < -4) return 0 } return 1 }
            NR > 1 { rows++; if ((rows - 1) % 4 == 0 && !near($3, want)) { bad++; if (!first) first = rows - 1 } }
            END { printf "%d %d %d\n", rows, bad, first }')
    read -r rows bad first <<<"$result"
    ((rows >= 490)) || fail "could not read the life-bar column ($when)"
    ((bad == 0)) || fail "life bars $when: $bad sampled pixels are not $want ($state), the first at row $first (picture $shot.png)"
}

# The same for main window $1 on the X server, after a fresh screenshot.
desk_expect_bars() {
    local id=$1 state=$2 when=$3 shot
    shot="bars-${when// /-}"
    sleep 0.3
    desk_shot "$shot"
    desk_box_origin "$id"
    desk_expect_column "$shot" $((WIN_X + BOX_X)) $((WIN_Y + BOX_Y)) "$state" "$when"
}
