# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later

# A screen with a device pixel ratio of 2 (QT_SCALE_FACTOR=2): the game is
# the same picture twice as large. The court, the sprites on it and the
# splash are drawn with every pixel a 2 × 2 block of its own colour (no
# smoothing, no blended edges), and the windows keep their layout. The same
# game at ratio 1 on the same screen is the reference.
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "$0")/lib.sh"
SCREEN_W=2048
SCREEN_H=1536
e2e_begin "${1:-}"
for tool in convert compare; do
    command -v "$tool" >/dev/null || fail "missing tool: $tool"
done

# Saves the screen area $2..$5 (x y w h) as $E2E_WORK/$1.png.
grab() {
    local full="$E2E_WORK/full.png"
    timeout 10 import -display "$E2E_DISPLAY" -window root "$full" 2>/dev/null || fail "cannot take a screenshot"
    convert "$full" -crop "${4}x${5}+${2}+${3}" +repage "$E2E_WORK/$1.png" || fail "cannot crop $1"
}

# Saves window $2 as $E2E_WORK/$1.png.
grab_window() {
    e2e_geometry "$2" || fail "cannot read the geometry of window $2 for $1"
    grab "$1" "$WIN_X" "$WIN_Y" "$WIN_W" "$WIN_H"
}

# Number of pixels that differ between two pictures of one size, or fail.
# $3: colour tolerance in percent (default 0).
DIFF=0
differing() {
    e2e_count_unlike "$E2E_WORK/$1.png" "$E2E_WORK/$2.png" "" "${3:-0}"
    DIFF=$UNLIKE
}

# Cuts region $3..$6 (x y w h) of picture $2 into picture $1.
cut() { convert "$E2E_WORK/$2.png" -crop "${5}x${6}+${3}+${4}" +repage "$E2E_WORK/$1.png" || fail "cannot crop $2"; }

# Picture $1 made twice as large without smoothing, as picture $2.
doubled() { convert "$E2E_WORK/$1.png" -sample 200% "$E2E_WORK/$2.png" || fail "cannot enlarge $1"; }

# Checks that picture $1 consists of whole 2 × 2 blocks of one colour each.
expect_blocks() {
    convert "$E2E_WORK/$1.png" -sample 50% -sample 200% "$E2E_WORK/$1-blocks.png" || fail "cannot sample $1"
    differing "$1" "$1-blocks"
    ((DIFF == 0)) || fail "$1: $DIFF pixels differ from their 2x2 block: smoothed or misplaced drawing"
}

colours() { convert "$E2E_WORK/$1.png" -unique-colors -format '%w' info:; }

# Starts the game and dismisses its splash at (sx, sy) in splash pixels; the
# main window, of size w × h, lands in MAIN and the splash picture in
# splash$suffix.png, the idle main window in main$suffix.png.
start_and_grab() {
    local suffix=$1 w=$2 h=$3 sw=$4 sh=$5
    e2e_start_game
    GAME=$E2E_GAME_PID
    e2e_wait_window_titled "$MAIN_TITLE"
    MAIN=$WIN_ID
    e2e_geometry "$MAIN" || fail "cannot read the main window's geometry"
    ((WIN_W == w && WIN_H == h)) || fail "at ratio $suffix the main window is ${WIN_W}x${WIN_H}, want ${w}x${h}"
    e2e_wait_window_of_pid "$GAME" "$sw" "$sh"
    local splash=$WIN_ID
    # Once painted, the splash shows the card (enlarged at ratio 2).
    convert "$E2E_SPLASH_PICTURE" -sample "${suffix}00%" "$E2E_WORK/card$suffix.png" || fail "cannot enlarge the card"
    painted() {
        grab_window "splash$suffix" "$splash"
        e2e_count_unlike "$E2E_WORK/splash$suffix.png" "$E2E_WORK/card$suffix.png" "" 3
        ((UNLIKE < sw * sh / 50))
    }
    e2e_poll 5 painted || fail "the splash at ratio $suffix is not seen: $UNLIKE pixels unlike the card"
    e2e_click "$splash" $((sw / 2)) $((sh / 2))
    e2e_wait_window_gone "$splash"
    xdt mousemove 0 0 || fail "cannot move the pointer away"
    # The window settles once the splash is gone: two pictures in a row alike.
    grab_window "main$suffix" "$MAIN"
    settled() {
        cp "$E2E_WORK/main$suffix.png" "$E2E_WORK/before$suffix.png"
        grab_window "main$suffix" "$MAIN"
        differing "before$suffix" "main$suffix"
        ((DIFF == 0))
    }
    e2e_poll 5 settled || fail "the main window at ratio $suffix does not settle ($DIFF pixels change)"
}

# --- Ratio 1: the reference --------------------------------------------------
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR
start_and_grab 1 409 514 280 200
e2e_end_game "$GAME" "$MAIN"

# --- Ratio 2 -----------------------------------------------------------------
export QT_SCALE_FACTOR=2
start_and_grab 2 818 1028 560 400

# The splash picture: exactly the ratio-1 splash with each pixel doubled.
doubled splash1 splash1x2
differing splash1x2 splash2
((DIFF == 0)) || fail "the splash at ratio 2 differs from the doubled ratio-1 splash in $DIFF pixels"

# The court (281 × 513 at 16, 0): exactly the doubled ratio-1 court, so no
# colour beyond the court's own palette.
cut court1 main1 16 0 281 513
cut court2 main2 32 0 562 1026
doubled court1 court1x2
differing court1x2 court2
((DIFF == 0)) || fail "the court at ratio 2 differs from the doubled ratio-1 court in $DIFF pixels (colours: $(colours court2) against $(colours court1))"
expect_blocks court2

# The life bars beside the court (pictures in purple frames at x 304) too.
cut bars1 main1 300 0 20 514
cut bars2 main2 600 0 40 1028
doubled bars1 bars1x2
differing bars1x2 bars2
((DIFF == 0)) || fail "the life bars at ratio 2 differ from the doubled ratio-1 bars in $DIFF pixels"

# The whole window keeps its layout: against the doubled ratio-1 window only
# the edges of letters differ (text is drawn at the finer resolution). A
# control one pixel out of place would differ in several per cent.
doubled main1 main1x2
differing main1x2 main2 10
limit=$((818 * 1028 * 2 / 100))
((DIFF <= limit)) || fail "the main window at ratio 2 differs from the doubled ratio-1 window in $DIFF pixels (at most $limit expected): layout out of proportion"
e2e_log "ratio 2: court, life bars and splash pixel-exact, main window within text edges ($DIFF pixels), court colours $(colours court2)"

# Practice: the ball and the swinging racket drawn on the court are doubled
# pixel for pixel as well. 練習 is at (328, 136), 65 × 25.
e2e_click "$MAIN" 720 296
# The ball waiting for the serve sits in the upper half: the practice has
# begun once the court is no longer bare.
begun() {
    grab_window play0 "$MAIN"
    cut court-play0 play0 32 0 562 1026
    differing court2 court-play0
    ((DIFF > 0))
}
e2e_poll 5 begun || fail "the practice shows nothing on the court"
# What the clicks bring about (the swinging racket, the served ball) shows
# in the lower half, where the bare court is compared; every picture taken
# meanwhile is made of whole 2 × 2 blocks.
cut low-bare court2 0 560 562 466
drawn=0
swung() {
    grab_window "play$i" "$MAIN"
    cut "court-play$i" "play$i" 32 0 562 1026
    expect_blocks "court-play$i"
    cut "low-play$i" "court-play$i" 0 560 562 466
    differing low-bare "low-play$i"
    ((DIFF > 0))
}
for i in 1 2 3 4; do
    e2e_click "$MAIN" $((200 + 60 * i)) 820 # a swing over the lower court
    e2e_poll 1 swung && drawn=$((drawn + 1))
done
((drawn > 0)) || fail "nothing was drawn on the lower court during practice, so the racket went unchecked"

# 終了 at (328, 8) ends the game; its farewell is twice the usual 350 × 84.
e2e_alive "$GAME" || fail "the game ended during practice"
e2e_click "$MAIN" 720 40
e2e_wait_window_of_pid "$GAME" 700 168
e2e_click "$WIN_ID" 348 108
e2e_wait_exit "$GAME" 5 "the game, after 終了 and OK at ratio 2,"
((EXIT_CODE == 0)) || fail "the game exited with code $EXIT_CODE at ratio 2, want 0"

e2e_pass
