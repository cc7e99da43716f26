# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Two monitors side by side: an X server with two Xinerama heads (1280x800
# at 0,0 and 1920x1080 at 1280,0, Xephyr inside the test's Xvfb) under
# openbox, or under the window manager DESK_WM names (the xfwm4 variant sets
# it). The game starts centred on the first; moved to the second by the
# window manager, its dialogs follow it, and the champion's celebration
# covers the second monitor (where the player looks), copying it, with the
# trophy in its middle. xfwm4 makes the celebration's full-screen window span
# both monitors: the trophy must still stand in the middle of the second.
# shellcheck source=tests/desktop/lib.sh
. "$(dirname "$0")/lib.sh"

command -v Xephyr >/dev/null || e2e_skip "Xephyr is not installed (xserver-xephyr)"
command -v xrandr >/dev/null || e2e_skip "xrandr is not installed (x11-xserver-utils)"
E2E_XVFB_SIZE=3300x1100
desk_begin "${1:-}"

# The two-headed server, on a display it picks itself.
start_two_heads() {
    DISPLAY=$E2E_DISPLAY e2e_start_x_server Xephyr +xinerama -screen 1280x800 -screen 1920x1080
    E2E_DISPLAY=$E2E_X_DISPLAY
    export DISPLAY=$E2E_DISPLAY
    # Xephyr's RandR names one monitor for both heads; the two are named
    # as a desktop's settings name them, so programs see two monitors.
    local out
    out=$(xrandr --setmonitor left 1280/339x800/212+0+0 default 2>&1 &&
        xrandr --setmonitor right 1920/508x1080/286+1280+0 none 2>&1 && xrandr --listmonitors 2>&1) ||
        fail "xrandr cannot name the two monitors: $out"
    [[ $out == *"Monitors: 2"* ]] || fail "the server does not list two monitors: $out"
}
start_two_heads
read -r SCREEN_W SCREEN_H < <(xdpyinfo -display "$E2E_DISPLAY" | awk '/dimensions:/ {split($2, d, "x"); print d[1], d[2]}')
[[ $SCREEN_W == 3200 && $SCREEN_H == 1080 ]] || fail "the two heads make a ${SCREEN_W}x${SCREEN_H} screen, want 3200x1080"
LEFT="0 0 1280 800"
RIGHT="1280 0 1920 1080"
desk_start_wm "${DESK_WM:-openbox}"

e2e_start_game
game=$E2E_GAME_PID
e2e_wait_window_titled "$MAIN_TITLE"
main=$WIN_ID
e2e_wait_window_of_pid "$game" 280 200
splash=$WIN_ID
e2e_expect_splash_seen "$splash"
desk_expect_frame_centred_in "$main" 3 "main window at its first showing, on the left monitor" "$LEFT"
e2e_click "$splash" 140 100
e2e_wait_window_gone "$splash"

# To the right monitor, as a player drags it there.
xdt windowmove "$main" $((1280 + 700)) 300 || fail "could not move the main window"
deadline=$((SECONDS + E2E_TIMEOUT))
until e2e_geometry "$main" && ((WIN_X >= 1280)); do
    ((SECONDS < deadline)) || fail "the main window did not move to the right monitor: ${WIN_W}x${WIN_H} at ($WIN_X, $WIN_Y)"
    sleep 0.1
done
desk_celebrate_and_leave "$game" "$main" "$RIGHT" "on the right monitor" "$([[ ${DESK_WM:-openbox} == openbox ]] && echo exact || echo spanning)"
e2e_pass
