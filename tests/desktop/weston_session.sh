# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later

# shellcheck shell=bash
# A player's first session inside weston, natively on Wayland, with the
# mouse and keyboard of the X server weston draws into (its x11 backend; the
# headless one has no input). Checked by the pixels weston shows:
#   - the splash is seen whole above the main window, and closed by a click;
#   - over the lower court the pointer is the racket;
#   - "大" maximizes with the play area centred across the screen, "小"
#     restores the window to the play area's size;
#   - the registration, announcement and interrupt dialogs are seen above the
#     main window and answer the keyboard (Escape on the interrupt returns to
#     play; only its second button discards the game);
#   - the life bars show what the board says;
#   - the celebration shows the trophy, the cup's own pixels, at the centre
#     of the whole screen, panel included, and the program ends through the
#     farewell's OK with exit code 0.
# shellcheck source=tests/desktop/weston_lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/weston_lib.sh"

LILAC="192,192,255"
PALE_CYAN="192,255,255"
PEACH="255,192,128"
RACKET_PICTURE="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/assets/cursor_racket.png"

# Weston's x11 backend moves its pointer by the differences between the X
# pointer's motions, and puts it where the X pointer is only when the pointer
# enters its window. Weston's pointer starts elsewhere and stops at the
# screen's edges, so the two drift apart. So each move leaves weston's window
# (the X screen is larger by a margin) and comes back in at the point.
point_at() {
    xdt mousemove $((SCREEN_W + 32)) $((SCREEN_H + 32)) && xdt mousemove "$1" "$2" ||
        fail "could not move the pointer to ($1, $2)"
}
click_at() { point_at "$1" "$2"; xdt click "${3:-1}" || fail "could not click"; }
farewell_gone() { few "$1" "$PEACH" 5000; }
press() { xdt key "$@" || fail "could not press $*"; }
many() { desk_count_colour "$1" "$2" && ((COLOUR_COUNT > $3)); }
few() { desk_count_colour "$1" "$2" && ((COLOUR_COUNT < $3)); }
# The announcement by its own pixels: the lilac inside its panel's frame,
# one piece of 327 × 63 (the registration dialog's lilac and the 停止
# button's have other shapes), with the set's name written on it in blue.
announcement_shown() {
    desk_convert "$E2E_WORK/$1.png" -alpha off -fuzz 2% -fill black +opaque "rgb($LILAC)" -fill white \
        -opaque "rgb($LILAC)" -define connected-components:verbose=true \
        -define connected-components:area-threshold=500 -connected-components 4 null:
    local panel
    panel=$(awk '$2 ~ /^327x63\+/ && $NF ~ /255,255,255/ {print $2; exit}' <<<"$MAGICK_OUT")
    [[ -n $panel ]] || return 1
    desk_convert "$E2E_WORK/$1.png" -crop "$panel" +repage -alpha off -fuzz 2% -fill black +opaque "rgb(0,0,255)" \
        -fill white -opaque "rgb(0,0,255)" -format '%[fx:int(mean*w*h+0.5)]' info:
    e2e_count_from convert "$MAGICK_OUT" "cannot count the announcement's blue in $1.png"
    ((COUNT > 300))
}
announcement_gone() { few "$1" "$LILAC" 5000; }
interrupt_shown() { many "$1" "$ORANGE" 20000; }
interrupt_gone() { few "$1" "$ORANGE" 5000; }
farewell_shown() { many "$1" "$PEACH" 15000; }
registration_shown() { desk_find_colour "$1" "$PALE_CYAN" && ((FOUND_W > 60)); }
# Pixels of the main window's green background (a maximized window's, round
# the play area) in area $2 (WxH+X+Y) of picture $1.png, into COLOUR_COUNT.
window_green_in() {
    desk_convert "$E2E_WORK/$1.png" -crop "$2" +repage -alpha off -fuzz 2% -fill black +opaque "rgb(0,128,0)" \
        -fill white -opaque "rgb(0,128,0)" -format '%[fx:int(mean*w*h+0.5)]' info:
    e2e_count_from convert "$MAGICK_OUT" "cannot count the window's green in $1.png"
    COLOUR_COUNT=$COUNT
}
# Maximized: the play area centred across the screen, the window's green
# round it.
maximized_main() {
    desk_find_main_in "$1" && ((MAIN_X >= (SCREEN_W - 409) / 2 - 2 && MAIN_X <= (SCREEN_W - 409) / 2 + 2)) &&
        window_green_in "$1" "20x400+$((MAIN_X - 20))+$((MAIN_Y + 50))" && ((COLOUR_COUNT > 20 * 400 * 9 / 10))
}
# Restored: the window no larger than the play area (409 × 514, the play
# area's last row the window's own): no green of the window to its right or
# below, where the play area of a larger window, centred, would leave some.
normal_main() {
    desk_find_main_in "$1" && ((MAIN_X != (SCREEN_W - 409) / 2)) &&
        window_green_in "$1" "20x514+$((MAIN_X + 409))+$MAIN_Y" && ((COLOUR_COUNT == 0)) &&
        window_green_in "$1" "409x20+$MAIN_X+$((MAIN_Y + 514))" && ((COLOUR_COUNT == 0))
}

# The racket pointer stands at ($1, $2) in picture $3: where the racket
# picture is drawn (its hot spot at 16, 20), the screen is black. Sets
# RACKET_UNLIKE, the pixels of the 32 × 32 that are not so.
racket_pointer_at() {
    desk_convert \( "$E2E_WORK/$3.png" -crop "32x32+$(($1 - 16))+$(($2 - 20))" +repage \
        -fx 'r<0.2&&g<0.2&&b<0.2' \) \( "$RACKET_PICTURE" -alpha extract \) \
        -compose difference -composite -threshold 50% -format '%[fx:int(mean*w*h+0.5)]' info:
    e2e_count_from convert "$MAGICK_OUT" "cannot look for the racket pointer in $3.png"
    RACKET_UNLIKE=$COUNT
    ((RACKET_UNLIKE < 60))
}

# True when picture $1 shows the main window with its life bars standing
# still: their column alike in this picture and the one before (weston's
# fade of a closed window is over).
COLUMN_BEFORE=""
bars_still() {
    desk_find_main_in "$1" || { COLUMN_BEFORE=""; return 1; }
    local column="16x514+$((MAIN_X + 300))+$MAIN_Y" still=0
    desk_convert "$E2E_WORK/$1.png" -crop "$column" +repage "$E2E_WORK/$1-column.png"
    if [[ $COLUMN_BEFORE == "$column" ]]; then
        e2e_count_unlike "$E2E_WORK/$1-column.png" "$E2E_WORK/column-before.png"
        ((UNLIKE == 0)) && still=1
    fi
    mv "$E2E_WORK/$1-column.png" "$E2E_WORK/column-before.png" || fail "cannot keep the bars' column"
    COLUMN_BEFORE=$column
    ((still))
}
# Checks the life bars in a picture named $1 taken once they stand still;
# $2 and $3 as for desk_expect_column.
expect_bars() {
    COLUMN_BEFORE=""
    desk_weston_wait "$1" bars_still || fail "the main window's life bars are not seen standing still ($1.png)"
    desk_expect_column "$1" "$MAIN_X" "$MAIN_Y" "$2" "$3"
}

# The trophy at the centre of weston's whole screen, the panel included.
trophy_shown() { e2e_trophy_in "$E2E_WORK/$1.png" 0 0 "$SCREEN_W" "$SCREEN_H"; }

desk_weston_session() {
    E2E_XVFB_SIZE="$((SCREEN_W + 64))x$((SCREEN_H + 64))"
    desk_begin "$1"
    desk_start_weston x11
    desk_start_game_in_weston native
    local game=$E2E_GAME_PID

    desk_weston_wait start desk_splash_and_main_in ||
        fail "the splash and the main window are not both seen (splash: $SPLASH_UNLIKE pixels unlike the card)"
    e2e_log "splash at ($SPLASH_X, $SPLASH_Y), play area at ($MAIN_X, $MAIN_Y)"
    click_at $((SPLASH_X + 140)) $((SPLASH_Y + 100))
    desk_weston_wait splash-gone desk_no_splash_in || fail "the splash stayed after a click"
    expect_bars bars-at-start empty "at start"

    # The racket pointer over the lower court.
    local px=$((MAIN_X + 16 + 70)) py=$((MAIN_Y + 420))
    point_at "$px" "$py"
    desk_weston_wait pointer racket_pointer_at "$px" "$py" ||
        fail "no racket pointer at ($px, $py) over the lower court: $RACKET_UNLIKE of 1024 pixels unlike the racket (pointer.png)"

    # "大", then "小".
    click_at $((MAIN_X + 380)) $((MAIN_Y + 112))
    desk_weston_wait maximized maximized_main || fail "大 did not maximize with the play area centred across the screen"
    e2e_log "maximized: play area at ($MAIN_X, $MAIN_Y)"
    click_at $((MAIN_X + 380)) $((MAIN_Y + 112))
    desk_weston_wait restored normal_main || fail "小 did not restore the window to the play area's size (restored.png)"

    # Registration, announcement (closed by Enter), the bars of a new game.
    click_at $((MAIN_X + 360)) $((MAIN_Y + 68))
    desk_weston_wait registration registration_shown || fail "no registration dialog seen"
    press a b c Return
    desk_weston_wait announcement announcement_shown || fail "no announcement seen"
    press Return
    desk_weston_wait announcement-gone announcement_gone || fail "Enter did not close the announcement"
    expect_bars bars-new-game full "in a new game"

    # The interrupt: Escape returns to play, the second button discards.
    click_at $((MAIN_X + 348)) $((MAIN_Y + 112))
    desk_weston_wait interrupt interrupt_shown || fail "no interrupt dialog seen"
    press Escape
    desk_weston_wait interrupt-gone interrupt_gone || fail "Escape did not close the interrupt dialog"
    expect_bars bars-back-to-play full "after returning to play"
    click_at $((MAIN_X + 348)) $((MAIN_Y + 112))
    desk_weston_wait interrupt-again interrupt_shown || fail "停止 found no game going on after Escape"
    desk_find_colour interrupt-again "255,0,0" || fail "cannot find the interrupt dialog"
    click_at $((FOUND_X + 64 + 92)) $((FOUND_Y + 80 + 12))
    desk_weston_wait discarded interrupt_gone || fail "the interrupt dialog stayed after 破棄"

    # The hidden preview: a name kept by a click on the hint, cancelled, then
    # Shift with the right button on both set counts.
    click_at $((MAIN_X + 360)) $((MAIN_Y + 68))
    desk_weston_wait preview-name registration_shown || fail "no registration dialog seen"
    local dx=$((FOUND_X - 194)) dy=$((FOUND_Y - 42))
    press m o c
    click_at $((dx + 116)) $((dy + 48))
    click_at $((dx + 112)) $((dy + 128))
    sleep 0.5
    desk_weston_shot before
    local at
    for at in 204 292; do
        point_at $((MAIN_X + 360)) $((MAIN_Y + at))
        xdt keydown shift && xdt click 3 && xdt keyup shift || fail "could not Shift-right-click"
    done
    desk_weston_wait celebration trophy_shown ||
        fail "the trophy is not seen at $TROPHY_AT: $TROPHY_UNLIKE of its 37935 pixels are not the cup's (celebration.png)"
    e2e_log "trophy seen: $TROPHY_UNLIKE of its 37935 pixels unlike the cup"
    e2e_count_unlike "$E2E_WORK/celebration.png" "$E2E_WORK/before.png" "${SCREEN_W}x30+0+0" 5
    ((UNLIKE > SCREEN_W * 30 / 2)) || fail "the celebration does not cover weston's panel ($UNLIKE pixels changed)"
    E2E_TIMEOUT=25 desk_weston_wait farewell farewell_shown || fail "no farewell after the celebration"
    # Its OK, centred 28 px above the dialog's lower edge.
    desk_find_colour farewell "$PEACH" || fail "cannot find the farewell"
    click_at $((FOUND_X + FOUND_W / 2)) $((FOUND_Y + FOUND_H - 28))
    desk_weston_wait farewell-gone farewell_gone || fail "a click on OK did not close the farewell"
    e2e_wait_exit "$game" 5 "the game, after the farewell,"
    ((EXIT_CODE == 0)) || fail "the game exited with code $EXIT_CODE, want 0"
    e2e_pass
}
