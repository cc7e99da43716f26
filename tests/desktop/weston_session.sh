# shellcheck shell=bash
# A player's first session inside weston, natively on Wayland, with the
# mouse and keyboard of the X server weston draws into (its x11 backend; the
# headless one has no input). Checked by the pixels weston shows:
#   - the splash is seen whole above the main window, and closed by a click;
#   - over the lower court the pointer is the racket;
#   - "大" maximizes with the play area centred across the screen, "小"
#     restores;
#   - the registration, announcement and interrupt dialogs are seen above the
#     main window and answer the keyboard (Escape on the interrupt returns to
#     play; only its second button discards the game);
#   - the life bars show what the board says;
#   - the celebration covers the whole screen, panel included, and the
#     program ends through the farewell's OK with exit code 0.
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
# A picture once weston's fade of a closed window is over.
settled_shot() { sleep 0.7; desk_weston_shot "$1"; }
many() { (($(desk_count_colour "$1" "$2") > $3)); }
few() { (($(desk_count_colour "$1" "$2") < $3)); }
announcement_shown() { many "$1" "$LILAC" 12000; }
announcement_gone() { few "$1" "$LILAC" 5000; }
interrupt_shown() { many "$1" "$ORANGE" 20000; }
interrupt_gone() { few "$1" "$ORANGE" 5000; }
farewell_shown() { many "$1" "$PEACH" 15000; }
registration_shown() { desk_find_colour "$1" "$PALE_CYAN" && ((FOUND_W > 60)); }
maximized_main() { desk_find_main_in "$1" && ((MAIN_X >= (SCREEN_W - 409) / 2 - 2 && MAIN_X <= (SCREEN_W - 409) / 2 + 2)); }
normal_main() { desk_find_main_in "$1" && ((MAIN_X != (SCREEN_W - 409) / 2)); }

# The racket pointer stands at ($2, $3) in picture $1: where the racket
# picture is drawn (its hot spot at 16, 20), the screen is black.
racket_pointer_at() {
    local unlike
    unlike=$(convert \( "$E2E_WORK/$1.png" -crop "32x32+$(($2 - 16))+$(($3 - 20))" +repage \
        -fx 'r<0.2&&g<0.2&&b<0.2' \) \( "$RACKET_PICTURE" -alpha extract \) \
        -compose difference -composite -threshold 50% -format '%[fx:int(mean*w*h+0.5)]' info: 2>/dev/null)
    e2e_log "racket pointer: $unlike of 1024 pixels unlike the racket picture"
    ((unlike < 60))
}

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
    settled_shot bars-at-start
    desk_find_main_in bars-at-start || fail "the main window is not seen"
    desk_expect_column bars-at-start "$MAIN_X" "$MAIN_Y" empty "at start"

    # The racket pointer over the lower court.
    local try px py seen=0
    for try in 1 2 3 4 5; do
        px=$((MAIN_X + 16 + 70 + try)) py=$((MAIN_Y + 420 + try))
        point_at "$px" "$py"
        sleep 0.4
        desk_weston_shot pointer
        racket_pointer_at pointer "$px" "$py" && { seen=1; break; }
    done
    ((seen)) || fail "no racket pointer over the lower court (pointer.png)"

    # "大", then "小".
    click_at $((MAIN_X + 380)) $((MAIN_Y + 112))
    desk_weston_wait maximized maximized_main || fail "大 did not maximize with the play area centred across the screen"
    e2e_log "maximized: play area at ($MAIN_X, $MAIN_Y)"
    click_at $((MAIN_X + 380)) $((MAIN_Y + 112))
    desk_weston_wait restored normal_main || fail "小 did not restore the window"

    # Registration, announcement (closed by Enter), the bars of a new game.
    click_at $((MAIN_X + 360)) $((MAIN_Y + 68))
    desk_weston_wait registration registration_shown || fail "no registration dialog seen"
    press a b c Return
    desk_weston_wait announcement announcement_shown || fail "no announcement seen"
    press Return
    desk_weston_wait announcement-gone announcement_gone || fail "Enter did not close the announcement"
    settled_shot bars-new-game
    desk_find_main_in bars-new-game || fail "the main window is not seen"
    desk_expect_column bars-new-game "$MAIN_X" "$MAIN_Y" full "in a new game"

    # The interrupt: Escape returns to play, the second button discards.
    click_at $((MAIN_X + 348)) $((MAIN_Y + 112))
    desk_weston_wait interrupt interrupt_shown || fail "no interrupt dialog seen"
    press Escape
    desk_weston_wait interrupt-gone interrupt_gone || fail "Escape did not close the interrupt dialog"
    settled_shot bars-back-to-play
    desk_expect_column bars-back-to-play "$MAIN_X" "$MAIN_Y" full "after returning to play"
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
    sleep 6
    desk_weston_shot celebration
    local changed panel
    changed=$(compare -metric AE -fuzz 5% -extract "270x310+$((SCREEN_W / 2 - 106))+$((SCREEN_H / 2 - 170))" \
        "$E2E_WORK/before.png" "$E2E_WORK/celebration.png" null: 2>&1 | awk '{print int($1)}')
    ((changed > 20000)) || fail "the trophy is not seen ($changed pixels changed; celebration.png)"
    panel=$(compare -metric AE -fuzz 5% -extract "${SCREEN_W}x30+0+0" \
        "$E2E_WORK/before.png" "$E2E_WORK/celebration.png" null: 2>&1 | awk '{print int($1)}')
    ((panel > SCREEN_W * 30 / 2)) || fail "the celebration does not cover weston's panel ($panel pixels changed)"
    E2E_TIMEOUT=25 desk_weston_wait farewell farewell_shown || fail "no farewell after the celebration"
    # Its OK, centred 28 px above the dialog's lower edge.
    desk_find_colour farewell "$PEACH" || fail "cannot find the farewell"
    click_at $((FOUND_X + FOUND_W / 2)) $((FOUND_Y + FOUND_H - 28))
    desk_weston_wait farewell-gone farewell_gone || fail "a click on OK did not close the farewell"
    e2e_wait_exit "$game" 5 "the game, after the farewell,"
    ((EXIT_CODE == 0)) || fail "the game exited with code $EXIT_CODE, want 0"
    e2e_pass
}
