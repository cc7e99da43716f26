# shellcheck shell=bash
# The whole first session of a player on an X11 desktop, run under the
# window manager the test names (desk_x11_session WM GAME), checked by the
# pixels on the screen:
#   - the splash is seen on top of the main window, centred on the screen;
#   - the main window cannot be resized, and where the window manager honours
#     a program's hints it offers no minimise or maximise button;
#   - "大" maximizes it with the play area centred, "小" restores it;
#   - the registration, announcement and interrupt dialogs are seen, centred
#     on the main window, and answer the keyboard;
#   - the life bars show what the board says after "大"/"小", dialogs and a
#     window-manager move;
#   - the celebration covers the screen above everything, and the program
#     ends through the farewell.
# shellcheck source=tests/desktop/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

desk_x11_session() {
    local wm=$1
    desk_begin "$2"
    desk_start_wm "$wm"

    # The splash, on top and centred.
    e2e_start_game
    local game=$E2E_GAME_PID
    e2e_wait_window_titled "$MAIN_TITLE"
    local main=$WIN_ID
    e2e_wait_window_of_pid "$game" 280 200
    local splash=$WIN_ID
    e2e_expect_splash_seen "$splash"
    e2e_expect_centred "$splash" 1 "splash"

    # Fixed size; no minimise or maximise where the hints are honoured.
    local hints allowed
    hints=$(xprop -display "$E2E_DISPLAY" -id "$main" WM_NORMAL_HINTS)
    grep -q 'minimum size: 409 by 514' <<<"$hints" && grep -q 'maximum size: 409 by 514' <<<"$hints" ||
        fail "the main window does not declare a fixed 409x514 size: $hints"
    allowed=$(xprop -display "$E2E_DISPLAY" -id "$main" _NET_WM_ALLOWED_ACTIONS)
    e2e_log "allowed by $wm: ${allowed#*= }"
    [[ $allowed == *ACTION_RESIZE* ]] && fail "$wm lets the player resize the main window"
    if [[ $wm != openbox ]]; then # openbox draws its buttons whatever a window asks
        [[ $allowed == *ACTION_MINIMIZE* || $allowed == *ACTION_MAXIMIZE* ]] &&
            fail "$wm offers minimise or maximise for the main window"
    fi

    e2e_click "$splash" 140 100
    e2e_wait_window_gone "$splash"
    desk_expect_bars "$main" empty "at start"

    # "大" and "小".
    e2e_click "$main" 380 112
    desk_wait_maximized "$main"
    sleep 0.5
    desk_shot maximized
    desk_box_origin "$main"
    e2e_log "maximized: ${WIN_W}x${WIN_H}, play area at ($BOX_X, $BOX_Y)"
    desk_expect_colour maximized "$main" $((BOX_X + 330)) $((BOX_Y + 20)) "$ORANGE" "終了 in the centred play area"
    desk_expect_colour maximized "$main" $((BOX_X - 20)) $((BOX_Y + 20)) "0,128,0" "window background left of the play area"
    desk_expect_bars "$main" empty "after 大"
    e2e_click "$main" $((BOX_X + 380)) $((BOX_Y + 112))
    desk_wait_size "$main" 409 514
    sleep 0.3
    desk_shot restored
    desk_expect_colour restored "$main" 330 20 "$ORANGE" "終了 after 小"

    # Registration: centred, typed into, Enter takes the name.
    e2e_type_player_name "$main" ABC
    desk_expect_centred_on "$NAME_DIALOG" "$main" 3 "registration dialog"
    desk_shot registration
    desk_expect_colour registration "$NAME_DIALOG" 10 140 "192,192,255" "registration dialog"
    e2e_type_into_window "$NAME_DIALOG" Return
    e2e_wait_window_gone "$NAME_DIALOG"

    # The first announcement: centred, closed by Enter.
    e2e_wait_window_of_pid "$game" 350 84
    local info=$WIN_ID
    desk_expect_centred_on "$info" "$main" 3 "announcement"
    desk_shot announcement
    desk_expect_colour announcement "$info" 5 40 "192,192,0" "announcement (rank C frame colour)"
    e2e_type_into_window "$info" Return
    e2e_wait_window_gone "$info"
    desk_expect_bars "$main" full "after the announcement"

    # The bars through 大, 小 and a move by the window manager.
    e2e_click "$main" 380 112
    desk_wait_maximized "$main"
    desk_expect_bars "$main" full "after 大 in a game"
    desk_box_origin "$main"
    e2e_click "$main" $((BOX_X + 380)) $((BOX_Y + 112))
    desk_wait_size "$main" 409 514
    desk_expect_bars "$main" full "after 小 in a game"
    xdt windowmove "$main" 60 40 || fail "could not move the main window"
    sleep 0.5
    desk_expect_bars "$main" full "after a move"

    # Interrupt: Escape returns to play; only the second button discards.
    local cut
    e2e_click "$main" 348 112 # 停止
    e2e_wait_window_of_pid "$game" 316 124
    cut=$WIN_ID
    desk_expect_centred_on "$cut" "$main" 3 "interrupt dialog"
    desk_shot interrupt
    desk_expect_colour interrupt "$cut" 4 60 "255,0,0" "interrupt dialog"
    e2e_type_into_window "$cut" Escape
    e2e_wait_window_gone "$cut"
    desk_expect_bars "$main" full "after the interrupt dialog"
    e2e_click "$main" 348 112 # 停止 again: the game is still on
    e2e_wait_window_of_pid "$game" 316 124
    cut=$WIN_ID
    e2e_click "$cut" 156 94 # プレイデータ を 破棄 する
    e2e_wait_window_gone "$cut"

    # The celebration through the hidden preview, then the farewell.
    desk_shot desktop
    e2e_store_preview_name "$main" MOC
    e2e_preview_gesture "$main"
    e2e_wait_window_of_pid "$game" "$SCREEN_W" "$SCREEN_H"
    local celebration=$WIN_ID started=$SECONDS changed
    e2e_geometry "$celebration"
    ((WIN_X == 0 && WIN_Y == 0)) || fail "the celebration stands at ($WIN_X, $WIN_Y), not at the origin"
    while ((SECONDS - started < 6)); do sleep 0.2; done
    desk_shot celebration
    changed=$(compare -metric AE -extract "270x310+$((SCREEN_W / 2 - 106))+$((SCREEN_H / 2 - 170))" \
        "$E2E_WORK/desktop.png" "$E2E_WORK/celebration.png" null: 2>&1 | awk '{print int($1)}')
    ((changed > 20000)) || fail "the trophy is not seen over the screen ($changed pixels changed)"
    e2e_wait_window_gone "$celebration"
    e2e_wait_window_of_pid "$game" 350 84
    desk_expect_centred_on "$WIN_ID" "$main" 3 "farewell"
    e2e_click "$WIN_ID" 174 54
    e2e_wait_exit "$game" 5 "the game, after the farewell,"
    ((EXIT_CODE == 0)) || fail "the game exited with code $EXIT_CODE, want 0"
    e2e_pass
}
