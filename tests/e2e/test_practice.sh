# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later

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

# Where the court differs from the bare one is where the ball is: BALL_X,
# BALL_Y its middle, BALL_W, BALL_H the size of what differs.
ball_centre() {
    local out
    # compare exits 1 when the pictures differ, 2 when it cannot compare.
    compare "$E2E_WORK/bare.png" "$E2E_WORK/$1.png" -compose src -highlight-color white \
        -lowlight-color black "$E2E_WORK/$1-diff.png" 2>"$E2E_WORK/compare.err"
    (($? <= 1)) || fail "cannot compare $1.png with the bare court: $(<"$E2E_WORK/compare.err")"
    out=$(convert "$E2E_WORK/$1-diff.png" -trim -format '%X %Y %w %h' info: 2>&1)
    [[ $out =~ ^\+([0-9]+)\ \+([0-9]+)\ ([0-9]+)\ ([0-9]+)$ ]] ||
        fail "the ball cannot be found on the court in $1.png: ${out:-nothing}"
    BALL_W=${BASH_REMATCH[3]} BALL_H=${BASH_REMATCH[4]}
    BALL_X=$((BASH_REMATCH[1] + BALL_W / 2)) BALL_Y=$((BASH_REMATCH[2] + BALL_H / 2))
}

court_shot bare
e2e_click "$main" 360 148 # 練習
# The ball waits for the serve: the court differs from the bare one in a
# ball-sized spot only.
waiting() {
    court_shot waiting
    differs bare waiting
    ((UNLIKE > 0)) || return 1
    ball_centre waiting
    ((BALL_W < 40 && BALL_H < 40))
}
e2e_poll 5 waiting || fail "no ball waits on the court after 練習 ($UNLIKE pixels differ from the bare court)"
wx=$BALL_X wy=$BALL_Y

e2e_click "$main" 156 200 # a click on the court serves the waiting ball
# A ball held for the serve hops on its spot, which alone changes as many
# pixels; a served ball travels: two pictures in a row differ, and its
# centre has left the spot it waited on.
served() {
    court_shot served1
    court_shot served2
    differs served1 served2
    moved=$UNLIKE
    ball_centre served2
    travelled=$(((BALL_X - wx) * (BALL_X - wx) + (BALL_Y - wy) * (BALL_Y - wy)))
    ((moved > 50 && travelled > 40 * 40))
}
e2e_poll 5 served ||
    fail "the ball is not seen travelling after the serve: $moved pixels differ between two pictures, ball from ($wx, $wy) to ($BALL_X, $BALL_Y)"
e2e_log "the ball moved ($moved pixels changed between two pictures) from ($wx, $wy) to ($BALL_X, $BALL_Y)"

# 停止 pauses the rally: once the court has settled under the interrupt
# dialog, it stands still for a whole second.
e2e_click "$main" 348 112
e2e_wait_window_of_pid "$game" 316 124
cut=$WIN_ID
still() {
    court_shot paused2
    differs paused1 paused2
    ((UNLIKE == 0))
}
settled() { court_shot paused1 && still; }
e2e_poll 5 settled || fail "the court never stands still under the interrupt dialog ($UNLIKE pixels differ)"
e2e_holds 1 still || fail "the court moves on while the interrupt dialog is up ($UNLIKE pixels differ)"
# "プレイデータ を 破棄 する" abandons the practice: back to the bare court.
e2e_click "$cut" 158 94
e2e_wait_window_gone "$cut"
bare_again() {
    court_shot abandoned
    differs bare abandoned
    ((UNLIKE == 0))
}
e2e_poll 5 bare_again || fail "after abandoning, the court is not bare ($UNLIKE pixels differ)"
e2e_alive "$game" || fail "the game ended when the practice was abandoned"
e2e_end_game "$game" "$main"
e2e_pass
