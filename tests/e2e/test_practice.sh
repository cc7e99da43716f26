# Practice: "練習" then a click on the court serves the ball, and the ball is
# seen moving on the court from one screenshot to the next.
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "$0")/lib.sh"
e2e_begin "${1:-}"

e2e_start_past_splash
game=$E2E_GAME_PID
main=$MAIN_ID
e2e_geometry "$main" || fail "cannot read the main window's geometry"
# The visible court sits at (16, 0) in the window, 281 × 513.
court="281x513+$((WIN_X + 16))+$WIN_Y"

court_shot() {
    timeout 10 import -display "$E2E_DISPLAY" -window root -crop "$court" +repage "$E2E_WORK/$1.png" ||
        fail "could not take a picture of the court"
}
differs() { # pixels that differ between two court pictures, into UNLIKE
    e2e_count_unlike "$E2E_WORK/$1.png" "$E2E_WORK/$2.png"
}

court_shot bare
e2e_click "$main" 360 148 # 練習
sleep 0.5
court_shot waiting
e2e_click "$main" 156 200 # a click on the court serves the waiting ball
sleep 0.25
court_shot served1
sleep 0.25
court_shot served2

differs served1 served2
moved=$UNLIKE
((moved > 50)) || fail "the court looks the same 0.25 s apart after the serve ($moved pixels differ)"
e2e_log "the ball moved: $moved pixels changed in 0.25 s"
# A ball held for the serve hops on its spot, which alone changes as many
# pixels; a served ball travels. Where the court differs from the bare one
# is where the ball is: its centre must have left the spot it waited on.
ball_centre() { # BALL_X, BALL_Y: the middle of what differs from the bare court
    local out
    # compare exits 1 when the pictures differ, 2 when it cannot compare.
    compare "$E2E_WORK/bare.png" "$E2E_WORK/$1.png" -compose src -highlight-color white \
        -lowlight-color black "$E2E_WORK/$1-diff.png" 2>"$E2E_WORK/compare.err"
    (($? <= 1)) || fail "cannot compare $1.png with the bare court: $(<"$E2E_WORK/compare.err")"
    out=$(convert "$E2E_WORK/$1-diff.png" -trim -format '%X %Y %w %h' info: 2>&1)
    [[ $out =~ ^\+([0-9]+)\ \+([0-9]+)\ ([0-9]+)\ ([0-9]+)$ ]] ||
        fail "the ball cannot be found on the court in $1.png: ${out:-nothing}"
    BALL_X=$((BASH_REMATCH[1] + BASH_REMATCH[3] / 2)) BALL_Y=$((BASH_REMATCH[2] + BASH_REMATCH[4] / 2))
}
ball_centre waiting
wx=$BALL_X wy=$BALL_Y
ball_centre served2
sx=$BALL_X sy=$BALL_Y
travelled=$(((sx - wx) * (sx - wx) + (sy - wy) * (sy - wy)))
((travelled > 40 * 40)) || fail "the ball is still at its spot after the serve: ($wx, $wy) then ($sx, $sy)"
e2e_log "the ball travelled from ($wx, $wy) to ($sx, $sy)"

# 停止 pauses the rally: the court stands still under the interrupt dialog.
e2e_click "$main" 348 112
e2e_wait_window_of_pid "$game" 316 124
cut=$WIN_ID
court_shot paused1
sleep 0.3
court_shot paused2
differs paused1 paused2
((UNLIKE == 0)) || fail "the court moves on while the interrupt dialog is up ($UNLIKE pixels differ)"
# "プレイデータ を 破棄 する" abandons the practice: back to the bare court.
e2e_click "$cut" 158 94
e2e_wait_window_gone "$cut"
sleep 0.3
court_shot abandoned
differs bare abandoned
((UNLIKE == 0)) || fail "after abandoning, the court is not bare ($UNLIKE pixels differ)"
e2e_alive "$game" || fail "the game ended when the practice was abandoned"
e2e_end_game "$game" "$main"
e2e_pass
