# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later

# shellcheck shell=bash
# shellcheck disable=SC2034
# Helpers for the game under weston, the reference Wayland compositor. On
# Wayland the game's windows have no X ids to ask for, so they are found on
# the screen by colours only they show:
#   - the splash by the cyan of its katakana (145×29 at 68, 77 of the card);
#   - the main window by the inside of "終了" (61×21 at 330, 10);
#   - the registration dialog by its name box (pale cyan, inside 192, 40).
# shellcheck source=tests/desktop/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

DESK_WESTON_PID=""
DESK_WAYLAND=""
DESK_XWAYLAND=""

# Starts weston with backend $1 (headless or x11; x11 draws into the test's
# X server, whose mouse and keyboard xdotool drives) and, with $2 = xwayland,
# its X11 support. Sets WAYLAND_DISPLAY for the game, and DESK_XWAYLAND to
# the X display weston opened.
desk_start_weston() {
    local backend=$1 with=${2:-} deadline
    DESK_WESTON_BACKEND=$backend
    command -v weston >/dev/null || { echo "$E2E_NAME: missing tool: weston" >&2; exit 2; }
    DESK_WAYLAND="mokaruns-test-$$"
    # No on-screen keyboard: it would pop up over the name box and take the
    # clicks meant for the dialog (a desktop with a real keyboard has none).
    printf '[core]\nidle-time=0\n[input-method]\npath=/bin/true\n' >"$E2E_WORK/weston.ini"
    local args=(--use-pixman --debug "--socket=$DESK_WAYLAND" --width="$SCREEN_W" --height="$SCREEN_H"
        "--config=$E2E_WORK/weston.ini")
    [[ $backend == headless ]] && args+=(--backend=headless-backend.so)
    [[ $backend == x11 ]] && args+=(--backend=x11-backend.so --output-count=1)
    if [[ $with == xwayland ]]; then
        args+=(--xwayland)
        # Weston's XWayland picks its display by lock files, and goes on
        # with a display whose socket someone else holds.
        e2e_hold_taken_displays
    fi
    XDG_RUNTIME_DIR="$E2E_WORK/runtime" setsid weston "${args[@]}" >"$E2E_WORK/weston.log" 2>&1 &
    DESK_WESTON_PID=$!
    E2E_PIDS+=("$DESK_WESTON_PID")
    deadline=$((SECONDS + E2E_TIMEOUT))
    until [[ -S $E2E_WORK/runtime/$DESK_WAYLAND ]] && grep -q 'launching.*desktop-shell' "$E2E_WORK/weston.log"; do
        kill -0 "$DESK_WESTON_PID" 2>/dev/null || fail "weston ended at start: $(tail -n 3 "$E2E_WORK/weston.log")"
        ((SECONDS < deadline)) || fail "weston did not start"
        sleep 0.1
    done
    if [[ $with == xwayland ]]; then
        until grep -q 'xserver listening on display' "$E2E_WORK/weston.log"; do
            ((SECONDS < deadline)) || fail "weston opened no X display"
            sleep 0.1
        done
        DESK_XWAYLAND=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$E2E_WORK/weston.log" | head -n 1)
    fi
    # The desktop shell draws its panel and background. (The pointer is not
    # moved in advance: weston's x11 backend stops following it after that.)
    sleep 1
    e2e_log "weston ($backend backend${with:+, $with}) on $DESK_WAYLAND${DESK_XWAYLAND:+, X11 on $DESK_XWAYLAND}"
}

# Starts the game inside weston: natively with no X display, or through
# XWayland ($1 = xwayland) with both, leaving the choice to the game.
desk_start_game_in_weston() {
    E2E_GAME_ENV=(-u QT_QPA_PLATFORM -u DISPLAY "WAYLAND_DISPLAY=$DESK_WAYLAND")
    [[ ${1:-} == xwayland ]] && E2E_GAME_ENV+=("DISPLAY=$DESK_XWAYLAND")
    e2e_start_game
}

# A picture of weston's screen as $1.png: from the X server it draws into
# (x11 backend), or through weston's own screenshooter (headless).
desk_weston_shot() {
    local file="$E2E_WORK/$1.png"
    if [[ -n $E2E_DISPLAY && $DESK_WESTON_BACKEND == x11 ]]; then
        timeout 10 import -display "$E2E_DISPLAY" -window root "$file" 2>/dev/null ||
            fail "could not take a picture of the screen"
        return 0
    fi
    rm -f "$E2E_WORK"/shooter/wayland-screenshot*.png
    mkdir -p "$E2E_WORK/shooter"
    (cd "$E2E_WORK/shooter" && XDG_RUNTIME_DIR="$E2E_WORK/runtime" WAYLAND_DISPLAY="$DESK_WAYLAND" \
        timeout 10 weston-screenshooter >/dev/null 2>&1) || fail "weston-screenshooter failed"
    # Its pictures carry an alpha channel, which the comparisons leave out.
    desk_convert "$E2E_WORK"/shooter/wayland-screenshot*.png -alpha off "$file"
}

# Runs convert with arguments $@ and sets MAGICK_OUT to what it printed;
# fails the test with convert's message when it fails.
desk_convert() {
    MAGICK_OUT=$(convert "$@" 2>"$E2E_WORK/convert.err") ||
        fail "convert failed on $(basename "$1"): $(<"$E2E_WORK/convert.err")"
}

# The box around the pixels of colour $2 ("r,g,b", within 2 % as XWayland
# rounds) in picture $1.png, as
# FOUND_W FOUND_H FOUND_X FOUND_Y; false when there are none.
desk_find_colour() {
    desk_convert "$E2E_WORK/$1.png" -alpha off -fuzz 2% -fill black +opaque "rgb($2)" -format '%@' info:
    [[ $MAGICK_OUT =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] ||
        fail "cannot find colour $2 in $1.png: convert said: ${MAGICK_OUT:-nothing}"
    FOUND_W=${BASH_REMATCH[1]} FOUND_H=${BASH_REMATCH[2]} FOUND_X=${BASH_REMATCH[3]} FOUND_Y=${BASH_REMATCH[4]}
    ((FOUND_W > 1 && FOUND_H > 1))
}

# How many pixels of colour $2 picture $1.png has, into COLOUR_COUNT.
desk_count_colour() {
    desk_convert "$E2E_WORK/$1.png" -alpha off -fuzz 2% -fill black +opaque "rgb($2)" -fill white -opaque "rgb($2)" \
        -format '%[fx:int(mean*w*h+0.5)]' info:
    e2e_count_from convert "$MAGICK_OUT" "cannot count colour $2 in $1.png"
    COLOUR_COUNT=$COUNT
}

# True when picture $1 shows the splash card whole (nothing covers it):
# SPLASH_X, SPLASH_Y, SPLASH_UNLIKE (pixels that are not the card's).
desk_splash_in() {
    SPLASH_UNLIKE=56000
    desk_find_colour "$1" "0,255,255" || return 1
    ((FOUND_W == 145 && FOUND_H == 29)) || return 1
    SPLASH_X=$((FOUND_X - 68)) SPLASH_Y=$((FOUND_Y - 77))
    e2e_count_unlike "$E2E_WORK/$1.png[280x200+$SPLASH_X+$SPLASH_Y]" "$E2E_SPLASH_PICTURE" "" 3
    SPLASH_UNLIKE=$UNLIKE
    ((SPLASH_UNLIKE < 280 * 200 / 50))
}

# Both the splash, whole, and the main window are on the screen.
desk_splash_and_main_in() { desk_splash_in "$1" && desk_find_main_in "$1"; }
desk_no_splash_in() { ! desk_find_colour "$1" "0,255,255"; }

# Finds the main window's play area in picture $1: MAIN_X, MAIN_Y.
desk_find_main_in() {
    desk_find_colour "$1" "$ORANGE" || return 1
    ((FOUND_W == 61 && FOUND_H == 21)) || return 1
    MAIN_X=$((FOUND_X - 330)) MAIN_Y=$((FOUND_Y - 10))
}

# Waits until the picture named $1 satisfies command $2 (re-shot each time).
desk_weston_wait() {
    local name=$1 deadline
    shift
    deadline=$((SECONDS + E2E_TIMEOUT))
    while :; do
        desk_weston_shot "$name"
        "$@" "$name" && return 0
        ((SECONDS < deadline)) || return 1
        sleep 0.3
    done
}
