# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later

# shellcheck shell=bash
# The whole first session of a player on an X11 desktop, run under the
# window manager the test names (desk_x11_session WM GAME), checked by the
# pixels on the screen and the frames the window manager puts around the
# windows:
#   - at their first showing, before any "大"/"小": the main window's frame
#     centred on the screen, the splash seen on top of it and centred; then,
#     with the main window moved away from the screen's centre (so that a
#     dialog centred on the screen is caught), the registration, announcement
#     and interrupt dialogs' and a message box's frames centred on the main
#     window's;
#   - the main window cannot be resized, and where the window manager honours
#     a program's hints it offers no minimise or maximise button;
#   - "大" takes the screen (maximized, or full screen where the window
#     manager has no maximized state) with the play area centred, "小"
#     restores 409x514 where the window stood before;
#   - after "大"/"小" and a move, the dialogs are centred on the main window
#     again, and the life bars show what the board says throughout;
#   - the dialogs answer the keyboard;
#   - the celebration covers the screen above everything with the trophy seen,
#     and the program ends through the farewell.
# Every offset measured is logged ("... centre off by (dx dy)").
# With DESK_STARTS=N the game is first started N-1 more times, each time
# checked only for where the main window first shows, for window managers
# whose frame comes only after the window shows.
# shellcheck source=tests/desktop/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# Starts the game $1 times: each time the main window's frame must be
# centred at its first showing, once the splash shows above it; then the
# game is ended (terminated: a quick end is all that matters here).
desk_first_showings() {
    local n game offsets=()
    for ((n = 1; n <= $1; n++)); do
        e2e_start_game
        game=$E2E_GAME_PID
        e2e_wait_window_titled "$MAIN_TITLE"
        local main=$WIN_ID
        e2e_wait_window_of_pid "$game" 280 200
        desk_expect_frame_centred_in "$main" 3 "main window at its first showing, start $n"
        offsets+=("($DESK_OFFSET)")
        kill -TERM "$game" 2>/dev/null
        e2e_wait_exit "$game" 5 "the game, terminated,"
    done
    e2e_log "first showings of the main window, centre offsets: ${offsets[*]}"
}

desk_x11_session() {
    local wm=$1
    desk_begin "$2"
    desk_start_wm "$wm"
    desk_first_showings $((${DESK_STARTS:-1} - 1))

    # First showing: the main window centred, the splash on top of it.
    e2e_start_game
    local game=$E2E_GAME_PID
    e2e_wait_window_titled "$MAIN_TITLE"
    local main=$WIN_ID
    e2e_wait_window_of_pid "$game" 280 200
    local splash=$WIN_ID
    e2e_expect_splash_seen "$splash"
    desk_expect_frame_centred_in "$splash" 1 "splash"
    desk_expect_frame_centred_in "$main" 3 "main window at its first showing"

    # Fixed size; no minimise or maximise where the hints are honoured.
    local hints allowed
    hints=$(xprop -display "$E2E_DISPLAY" -id "$main" WM_NORMAL_HINTS 2>&1) || fail "xprop: $hints"
    grep -q 'minimum size: 409 by 514' <<<"$hints" && grep -q 'maximum size: 409 by 514' <<<"$hints" ||
        fail "the main window does not declare a fixed 409x514 size: $hints"
    if desk_wm_supports _NET_WM_ALLOWED_ACTIONS; then
        allowed=$(xprop -display "$E2E_DISPLAY" -id "$main" _NET_WM_ALLOWED_ACTIONS 2>&1) || fail "xprop: $allowed"
        [[ $allowed == *=*_NET_WM_ACTION_CLOSE* ]] ||
            fail "$wm says it supports allowed actions but lists none (or no close) for the main window: $allowed"
        e2e_log "allowed by $wm: ${allowed#*= }"
        [[ $allowed == *ACTION_RESIZE* ]] && fail "$wm lets the player resize the main window"
        # openbox draws its buttons whatever a window asks; KWin offers
        # minimise on every window of its own (README says so), yet no
        # maximise for a window of fixed size.
        [[ $wm != openbox && $allowed == *ACTION_MAXIMIZE* ]] && fail "$wm offers maximise for the main window"
        [[ $wm != openbox && $wm != kwin && $allowed == *ACTION_MINIMIZE* ]] &&
            fail "$wm offers minimise for the main window"
    fi

    e2e_click "$splash" 140 100
    e2e_wait_window_gone "$splash"
    desk_expect_bars "$main" empty "at start"
    desk_move_off_centre "$main" 60 40

    # A message box at its first showing: the hidden preview without a
    # preview name says there is none. Enter closes it.
    e2e_preview_gesture "$main"
    e2e_wait_window_titled mokaRUNs
    local box=$WIN_ID
    desk_expect_centred_on "$box" "$main" 3 "message box at its first showing"
    e2e_type_into_window "$box" Return
    e2e_wait_window_gone "$box"

    # The dialogs at their first showing. Registration: typed into, Enter
    # takes the name.
    e2e_type_player_name "$main" ABC
    desk_expect_centred_on "$NAME_DIALOG" "$main" 3 "registration dialog at its first showing"
    desk_shot registration
    desk_expect_colour registration "$NAME_DIALOG" 10 140 "192,192,255" "registration dialog"
    e2e_type_into_window "$NAME_DIALOG" Return
    e2e_wait_window_gone "$NAME_DIALOG"

    # The first announcement, closed by Enter.
    e2e_wait_window_of_pid "$game" 350 84
    local info=$WIN_ID
    desk_expect_centred_on "$info" "$main" 3 "announcement at its first showing"
    desk_shot announcement
    desk_expect_colour announcement "$info" 5 40 "192,192,0" "announcement (rank C frame colour)"
    e2e_type_into_window "$info" Return
    e2e_wait_window_gone "$info"
    desk_expect_bars "$main" full "after the announcement"

    # Interrupt: Escape returns to play.
    local cut
    e2e_click "$main" 348 112 # 停止
    e2e_wait_window_of_pid "$game" 316 124
    cut=$WIN_ID
    desk_expect_centred_on "$cut" "$main" 3 "interrupt dialog at its first showing"
    desk_shot interrupt
    desk_expect_colour interrupt "$cut" 4 60 "255,0,0" "interrupt dialog"
    e2e_type_into_window "$cut" Escape
    e2e_wait_window_gone "$cut"
    desk_expect_bars "$main" full "after the interrupt dialog"

    # "大" and "小" in a game.
    desk_frame "$main"
    local before_x=$FRAME_X before_y=$FRAME_Y
    e2e_click "$main" 380 112
    desk_wait_maximized "$main"
    desk_box_origin "$main"
    e2e_log "大: ${WIN_W}x${WIN_H}, play area at ($BOX_X, $BOX_Y)"
    desk_expect_bars "$main" full "after 大 in a game"
    desk_shot maximized
    desk_expect_colour maximized "$main" $((BOX_X + 330)) $((BOX_Y + 20)) "$ORANGE" "終了 in the centred play area"
    desk_expect_colour maximized "$main" $((BOX_X - 20)) $((BOX_Y + 20)) "0,128,0" "window background left of the play area"
    e2e_click "$main" $((BOX_X + 380)) $((BOX_Y + 112))
    desk_wait_size "$main" 409 514
    desk_expect_frame_at "$main" "$before_x" "$before_y" 3 "main window after 大/小"
    desk_expect_bars "$main" full "after 小 in a game"
    desk_shot restored
    desk_expect_colour restored "$main" 330 20 "$ORANGE" "終了 after 小"

    # The interrupt after 大/小, Enter returns to play.
    e2e_click "$main" 348 112
    e2e_wait_window_of_pid "$game" 316 124
    cut=$WIN_ID
    desk_expect_centred_on "$cut" "$main" 3 "interrupt dialog after 大/小"
    e2e_type_into_window "$cut" Return
    e2e_wait_window_gone "$cut"

    # A move by the window manager; the interrupt follows the window, and
    # only its second button discards the game.
    desk_move_off_centre "$main" 700 200
    desk_expect_bars "$main" full "after a move"
    e2e_click "$main" 348 112
    e2e_wait_window_of_pid "$game" 316 124
    cut=$WIN_ID
    desk_expect_centred_on "$cut" "$main" 3 "interrupt dialog after a move"
    e2e_click "$cut" 156 94 # プレイデータ を 破棄 する
    e2e_wait_window_gone "$cut"

    # The registration after 大/小 and a move, keeping a preview name; then
    # the celebration through the hidden preview, and the farewell.
    desk_celebrate_and_leave "$game" "$main" "0 0 $SCREEN_W $SCREEN_H" "after 大/小 and a move"
    e2e_pass
}
