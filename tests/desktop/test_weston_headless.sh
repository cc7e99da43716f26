# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The game's start inside weston's headless backend, as a Wayland session
# with X11 support would have it, seen through weston's screenshooter:
#   - with no X display, the game runs natively on Wayland: the splash is
#     seen whole above the main window;
#   - with XWayland there, the game chooses X11 by itself: the splash is seen
#     whole (weston places it, a transient of the main window, itself), and
#     the main window asks for a title bar with a close button only;
#   - either way the game stays up, and ends when told to.
# (weston's headless backend has no mouse or keyboard: the sessions that need
# them run under X11 window managers and weston's x11 backend.)
# shellcheck source=tests/desktop/weston_lib.sh
. "$(dirname "$0")/weston_lib.sh"
desk_begin "${1:-}"
desk_start_weston headless xwayland

for mode in native xwayland; do
    desk_start_game_in_weston "$mode"
    game=$E2E_GAME_PID
    desk_weston_wait "start-$mode" desk_splash_and_main_in ||
        fail "$mode: the splash and the main window are not both seen (splash: $SPLASH_UNLIKE pixels unlike the card)"
    e2e_log "$mode: splash at ($SPLASH_X, $SPLASH_Y), play area at ($MAIN_X, $MAIN_Y)"
    if [[ $mode == xwayland ]]; then
        main=$(DISPLAY=$DESK_XWAYLAND timeout 5 xdotool search --name "^${MAIN_TITLE}\$" 2>/dev/null | head -n 1)
        [[ -n $main ]] || fail "xwayland: no main window on $DESK_XWAYLAND"
        hints=$(DISPLAY=$DESK_XWAYLAND xprop -id "$main" _MOTIF_WM_HINTS 2>&1)
        # flags 3; functions resize, move, maximize, close; border, title, menu.
        [[ $hints == *"= 0x3, 0x36, 0x1a, 0x0, 0x0" ]] || fail "xwayland: the main window asks for $hints"
    fi
    e2e_holds 1 e2e_alive "$game" || fail "$mode: the game ended by itself"
    kill -TERM "$game"
    e2e_wait_exit "$game" 5 "$mode: the game, told to end,"
done
e2e_pass
