# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later

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
    # GNOME's window manager on X11, without the rest of the shell.
    mutter) setsid dbus-run-session -- mutter --replace --x11 >"$E2E_WORK/wm.log" 2>&1 & ;;
    # KDE's window manager with its Breeze decoration, compositing as on a
    # Plasma desktop.
    kwin) setsid dbus-run-session -- kwin_x11 --replace >"$E2E_WORK/wm.log" 2>&1 & ;;
    # A tiling window manager: dialogs and fixed-size windows float.
    i3)
        printf '%s\n' 'font pango:monospace 8' 'focus_follows_mouse no' >"$E2E_WORK/i3.conf"
        setsid i3 -c "$E2E_WORK/i3.conf" >"$E2E_WORK/wm.log" 2>&1 &
        ;;
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
# FRAME_X, FRAME_Y, FRAME_W, FRAME_H: as the window manager says it on the
# window (_NET_FRAME_EXTENTS), or else the window manager's own window around
# it, the client's ancestor just below the root (i3 says nothing). Fails the
# test when the numbers cannot be read.
desk_frame() {
    local id=$1 extents l=0 r=0 t=0 b=0 top parent tree n
    e2e_geometry "$id" || fail "cannot read the geometry of window $id"
    extents=$(xprop -display "$E2E_DISPLAY" -id "$id" _NET_FRAME_EXTENTS 2>&1) ||
        fail "xprop cannot read window $id: $extents"
    if [[ $extents == *=* ]]; then
        IFS=', ' read -r l r t b <<<"${extents#*= }"
        for n in "$l" "$r" "$t" "$b"; do
            [[ $n =~ ^[0-9]+$ ]] || fail "window $id: frame extents are not numbers: $extents"
        done
        FRAME_X=$((WIN_X - l)) FRAME_Y=$((WIN_Y - t)) FRAME_W=$((WIN_W + l + r)) FRAME_H=$((WIN_H + t + b))
        return 0
    fi
    top=$id
    for n in 1 2 3 4 5 6 7 8; do
        tree=$(xwininfo -display "$E2E_DISPLAY" -tree -id "$top" 2>&1) || fail "xwininfo cannot read window $top: $tree"
        parent=$(awk '/Parent window id:/ {print $4}' <<<"$tree")
        [[ $parent =~ ^0x[0-9a-f]+$ ]] || fail "window $top: no parent window in: $tree"
        grep -q 'Parent window id: .*(the root window)' <<<"$tree" && break
        top=$parent
    done
    e2e_geometry "$top" || fail "cannot read the geometry of window $top around $id"
    FRAME_X=$WIN_X FRAME_Y=$WIN_Y FRAME_W=$WIN_W FRAME_H=$WIN_H
    e2e_geometry "$id" || fail "cannot read the geometry of window $id"
}

# Checks that window $1 is centred on window $2, frames compared, within $3.
desk_expect_centred_on() {
    local id=$1 owner=$2 slack=$3 what=$4 cx cy ox oy
    desk_frame "$owner"
    ox=$((FRAME_X + FRAME_W / 2)) oy=$((FRAME_Y + FRAME_H / 2))
    desk_frame "$id"
    cx=$((FRAME_X + FRAME_W / 2)) cy=$((FRAME_Y + FRAME_H / 2))
    DESK_OFFSET="$((cx - ox)) $((cy - oy))"
    e2e_log "$what: frame centre off the main window's by ($DESK_OFFSET)"
    if ((cx - ox < -slack || cx - ox > slack || cy - oy < -slack || cy - oy > slack)); then
        fail "$what: centre ($cx, $cy), the main window's ($ox, $oy): not centred on it (±$slack)"
    fi
}

# Moves window $1 to ($2, $3) through the window manager and waits until its
# frame's centre stands at least 100 pixels from the screen's across.
desk_move_off_centre() {
    local id=$1
    xdt windowmove "$id" "$2" "$3" || fail "could not move window $id"
    moved_off() {
        desk_frame "$id"
        local dx=$((FRAME_X + FRAME_W / 2 - SCREEN_W / 2))
        ((dx <= -100 || dx >= 100))
    }
    e2e_poll 5 moved_off || fail "window $id did not move away from the screen's centre: frame at ($FRAME_X, $FRAME_Y)"
    e2e_log "moved: frame at ($FRAME_X, $FRAME_Y)"
}

# Checks that the frame of window $1 stands at ($2, $3) within $4.
desk_expect_frame_at() {
    local id=$1 x=$2 y=$3 slack=$4 what=$5
    desk_frame "$id"
    e2e_log "$what: frame at ($FRAME_X, $FRAME_Y), want ($x, $y)"
    ((FRAME_X - x >= -slack && FRAME_X - x <= slack && FRAME_Y - y >= -slack && FRAME_Y - y <= slack)) ||
        fail "$what: frame at ($FRAME_X, $FRAME_Y), want ($x, $y) ±$slack"
}

# Checks that the frame of window $1 is centred within $2 on the screen area
# $4 (x y w h; the whole screen when left out).
desk_expect_frame_centred_in() {
    local id=$1 slack=$2 what=$3 ax=0 ay=0 aw=$SCREEN_W ah=$SCREEN_H cx cy
    [[ -n ${4:-} ]] && read -r ax ay aw ah <<<"$4"
    desk_frame "$id"
    cx=$((FRAME_X + FRAME_W / 2 - (ax + aw / 2))) cy=$((FRAME_Y + FRAME_H / 2 - (ay + ah / 2)))
    DESK_OFFSET="$cx $cy"
    e2e_log "$what: frame ${FRAME_W}x${FRAME_H} at ($FRAME_X, $FRAME_Y), centre off by ($DESK_OFFSET)"
    if ((cx < -slack || cx > slack || cy < -slack || cy > slack)); then
        fail "$what: frame ${FRAME_W}x${FRAME_H} at ($FRAME_X, $FRAME_Y) is off the centre by ($cx, $cy) (±$slack)"
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

# The work area of the screen (the screen less the panels) into AREA_X,
# AREA_Y, AREA_W, AREA_H: as the window manager says it on the root window
# (_NET_WORKAREA), else the whole screen.
desk_work_area() {
    local said
    AREA_X=0 AREA_Y=0 AREA_W=$SCREEN_W AREA_H=$SCREEN_H
    said=$(xprop -display "$E2E_DISPLAY" -root _NET_WORKAREA 2>/dev/null) || return 0
    [[ $said == *=* ]] || return 0
    IFS=', ' read -r AREA_X AREA_Y AREA_W AREA_H _ <<<"${said#*= }"
    [[ $AREA_X =~ ^[0-9]+$ && $AREA_Y =~ ^[0-9]+$ && $AREA_W =~ ^[0-9]+$ && $AREA_H =~ ^[0-9]+$ ]] ||
        fail "the work area is not four numbers: $said"
}

# Waits until main window $1 took the screen: its frame fills the work area
# (maximized; full screen covers it too), within a pixel at each edge. A
# window merely made larger, or one whose state says maximized while it
# stays as it was, does not pass.
desk_wait_maximized() {
    local id=$1 deadline
    deadline=$((SECONDS + E2E_TIMEOUT))
    desk_work_area
    while :; do
        desk_frame "$id"
        ((FRAME_X <= AREA_X + 1 && FRAME_Y <= AREA_Y + 1 && FRAME_X + FRAME_W >= AREA_X + AREA_W - 1 &&
            FRAME_Y + FRAME_H >= AREA_Y + AREA_H - 1)) && return 0
        ((SECONDS < deadline)) ||
            fail "the main window did not take the screen: frame ${FRAME_W}x${FRAME_H} at ($FRAME_X, $FRAME_Y), work area ${AREA_W}x${AREA_H} at ($AREA_X, $AREA_Y)"
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
    desk_column_shows "$@" || fail "$DESK_COLUMN_SAYS"
}

# The same as a question: 0 when the column shows what the board says, else
# 1 with the reason in DESK_COLUMN_SAYS. Fails the test when the picture
# cannot be read.
desk_column_shows() {
    local shot=$1 x=$2 y=$3 state=$4 when=$5 want result rows bad first
    want="#FF00FF" # magenta
    [[ $state == empty ]] && want="#800080" # the purple frame
    result=$(convert "$E2E_WORK/$shot.png" -crop "1x497+$((x + 308))+$((y + 8))" -depth 8 txt:- 2>&1 |
        awk -v want="$want" '
            # Colours within 4 per channel match: a compositor may round.
            function channel(hex, i) { return index("0123456789ABCDEF", substr(hex, i, 1)) * 16 + index("0123456789ABCDEF", substr(hex, i + 1, 1)) - 17 }
            function near(a, b,   i, d) { for (i = 2; i <= 6; i += 2) { d = channel(a, i) - channel(b, i); if (d > 4 || d < -4) return 0 } return 1 }
            NR == 1 && !/^# ImageMagick/ { print "error: " $0; exit }
            NR > 1 { rows++; if ((rows - 1) % 4 == 0 && !near($3, want)) { bad++; if (!first) first = rows - 1 } }
            END { printf "%d %d %d\n", rows, bad, first }')
    [[ $result == error:* ]] && fail "cannot read the life-bar column ($when): ${result#error: }"
    read -r rows bad first <<<"$result"
    [[ $rows =~ ^[0-9]+$ && $bad =~ ^[0-9]+$ ]] || fail "cannot read the life-bar column ($when): $result"
    ((rows >= 490)) || fail "could not read the life-bar column ($when): $rows rows"
    DESK_COLUMN_SAYS="life bars $when: $bad sampled pixels are not $want ($state), the first at row $first (picture $shot.png)"
    ((bad == 0))
}

# The same for main window $1 on the X server: screenshots until the column
# shows it, for a few seconds at most.
desk_expect_bars() {
    local id=$1 state=$2 when=$3 shot deadline
    shot="bars-${when// /-}"
    deadline=$((SECONDS + 5))
    while :; do
        desk_shot "$shot"
        desk_box_origin "$id"
        desk_column_shows "$shot" $((WIN_X + BOX_X)) $((WIN_Y + BOX_Y)) "$state" "$when" && return 0
        ((SECONDS < deadline)) || fail "$DESK_COLUMN_SAYS"
        sleep 0.2
    done
}

# True when the window manager names hint $1 among those it supports.
desk_wm_supports() {
    local supported
    supported=$(xprop -display "$E2E_DISPLAY" -root _NET_SUPPORTED 2>&1) || fail "xprop cannot read the root window: $supported"
    [[ $supported == *"$1"* ]]
}

# The end of a first session on an X11 desktop, in game $1 with main window
# $2: a preview name kept in the registration dialog (centred on the main
# window), the celebration through the hidden preview covering the screen
# area $3 (x y w h) with the trophy in its middle, and the farewell, centred
# too, whose OK ends the program with code 0. $4 says where the main window
# stands, for the messages. With $5 = spanning the window manager may give
# the celebration more than that area (xfwm4 and mutter make a full-screen
# window span all the monitors they take for one screen); the trophy must
# still stand in the middle of the area.
desk_celebrate_and_leave() {
    local game=$1 main=$2 where=$4 fit=${5:-exact} ax ay aw ah celebration deadline id
    read -r ax ay aw ah <<<"$3"
    e2e_type_player_name "$main" MOC
    desk_expect_centred_on "$NAME_DIALOG" "$main" 3 "registration dialog $where"
    e2e_click "$NAME_DIALOG" 116 48  # アルファベット ３文字以内: keeps the name
    e2e_click "$NAME_DIALOG" 112 128 # キャンセル
    e2e_wait_window_gone "$NAME_DIALOG"
    e2e_preview_gesture "$main"
    if [[ $fit == spanning ]]; then
        celebration=""
        deadline=$((SECONDS + E2E_TIMEOUT))
        until [[ -n $celebration ]]; do
            for id in $(e2e_windows_of_pid "$game"); do
                if ! e2e_viewable "$id" || ! e2e_geometry "$id"; then
                    continue
                fi
                ((WIN_X <= ax && WIN_Y <= ay && WIN_X + WIN_W >= ax + aw && WIN_Y + WIN_H >= ay + ah)) &&
                    celebration=$id
            done
            ((SECONDS < deadline)) || fail "no window of the game covers the screen area $3"
            sleep 0.1
        done
    else
        e2e_wait_window_of_pid "$game" "$aw" "$ah"
        celebration=$WIN_ID
    fi
    e2e_geometry "$celebration" || fail "cannot read the celebration's geometry"
    e2e_log "celebration: ${WIN_W}x${WIN_H} at ($WIN_X, $WIN_Y)"
    [[ $fit == spanning ]] || ((WIN_X == ax && WIN_Y == ay)) ||
        fail "the celebration stands at ($WIN_X, $WIN_Y), not at ($ax, $ay)"
    e2e_expect_trophy_seen "$ax" "$ay" "$aw" "$ah"
    e2e_wait_window_gone "$celebration"
    e2e_wait_window_of_pid "$game" 350 84
    desk_expect_centred_on "$WIN_ID" "$main" 3 "farewell $where"
    e2e_click "$WIN_ID" 174 54
    e2e_wait_exit "$game" 5 "the game, after the farewell,"
    ((EXIT_CODE == 0)) || fail "the game exited with code $EXIT_CODE, want 0"
}
