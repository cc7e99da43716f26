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
differs() { # number of pixels that differ between two court pictures
    compare -metric AE "$E2E_WORK/$1.png" "$E2E_WORK/$2.png" null: 2>&1 | awk '{print int($1)}'
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

moved=$(differs served1 served2)
((moved > 50)) || fail "the court looks the same 0.25 s apart after the serve ($moved pixels differ)"
e2e_log "the ball moved: $moved pixels changed in 0.25 s"
# A ball held for the serve hops on its spot, which alone changes as many
# pixels; a served ball travels. Where the court differs from the bare one
# is where the ball is: its centre must have left the spot it waited on.
ball_centre() { # "x y" of the middle of what differs from the bare court
    compare "$E2E_WORK/bare.png" "$E2E_WORK/$1.png" -compose src -highlight-color white \
        -lowlight-color black "$E2E_WORK/$1-diff.png" 2>/dev/null || true
    convert "$E2E_WORK/$1-diff.png" -trim -format '%X %Y %w %h' info: 2>/dev/null |
        awk '{gsub(/\+/, ""); print int($1 + $3 / 2), int($2 + $4 / 2)}'
}
read -r wx wy <<<"$(ball_centre waiting)"
read -r sx sy <<<"$(ball_centre served2)"
[[ -n $wx && -n $sx ]] || fail "the ball cannot be found on the court"
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
(($(differs paused1 paused2) == 0)) || fail "the court moves on while the interrupt dialog is up"
# "プレイデータ を 破棄 する" abandons the practice: back to the bare court.
e2e_click "$cut" 158 94
e2e_wait_window_gone "$cut"
sleep 0.3
court_shot abandoned
left=$(differs bare abandoned)
((left == 0)) || fail "after abandoning, the court is not bare ($left pixels differ)"
e2e_alive "$game" || fail "the game ended when the practice was abandoned"
e2e_end_game "$game" "$main"
e2e_pass
