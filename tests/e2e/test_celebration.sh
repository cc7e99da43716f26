# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The champion's celebration through the hidden preview: a name typed in the
# registration dialog and stored by a click on "アルファベット ３文字以内",
# the dialog cancelled, then Shift with the right button on the computer's
# set count and on the player's. The celebration covers the whole screen over
# a copy of it, shows the trophy, goes away by itself, and the program ends
# after the farewell without saving anything.
#
# Set CELEBRATION_SHOTS to a folder to keep the screenshots taken.
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "$0")/lib.sh"
e2e_begin "${1:-}"

e2e_start_past_splash
game=$E2E_GAME_PID
main=$MAIN_ID
data="$E2E_WORK/app/mokaru.dat"
[[ -s $data ]] || fail "no ranking file after start-up"
data_before=$(md5sum <"$data")

# "ゲーム", then the name, the hidden label and "キャンセル".
e2e_store_preview_name "$main" moc

shot() { # a picture of the whole screen, $1.png in the test folder
    timeout 10 import -display "$E2E_DISPLAY" -window root "$E2E_WORK/$1.png" ||
        fail "could not take a picture of the screen"
}
shot desktop

# The preview gesture: Shift and the right button on COM's count, then USER's.
e2e_preview_gesture "$main"

# A borderless window covering the whole screen.
e2e_wait_window_of_pid "$game" "$SCREEN_W" "$SCREEN_H"
celebration=$WIN_ID
started=$SECONDS
e2e_geometry "$celebration" || fail "cannot read the celebration window's geometry"
((WIN_X == 0 && WIN_Y == 0)) || fail "the celebration window stands at ($WIN_X, $WIN_Y), not at the origin"

# The trophy, the cup's own pixels, stands at the centre - (106, 170),
# 270 × 310, from about 4 s to about 10 s; the corner at the top right is
# never drawn over.
corner="120x40+$((SCREEN_W - 124))+0"
trophy_shots=0
for at in 5 6 7 8; do
    while ((SECONDS - started < at)); do sleep 0.1; done
    shot "celebration-$at"
    e2e_trophy_in "$E2E_WORK/celebration-$at.png" 0 0 "$SCREEN_W" "$SCREEN_H" && trophy_shots=$((trophy_shots + 1))
    e2e_log "at ${at}s: $TROPHY_UNLIKE of the trophy's 37935 pixels unlike the cup"
    e2e_count_unlike "$E2E_WORK/celebration-$at.png" "$E2E_WORK/desktop.png" "$corner"
    ((UNLIKE == 0)) || fail "at ${at}s the top right corner is not the copied desktop ($UNLIKE pixels differ)"
done
((trophy_shots >= 2)) || fail "the trophy was seen in only $trophy_shots of 4 pictures"
if [[ -n ${CELEBRATION_SHOTS:-} ]]; then
    mkdir -p "$CELEBRATION_SHOTS" && cp "$E2E_WORK"/*.png "$CELEBRATION_SHOTS"/
fi

# It goes away by itself; the farewell follows, and its OK ends the program.
e2e_wait_window_gone "$celebration"
e2e_log "the celebration lasted about $((SECONDS - started)) s"
e2e_wait_window_of_pid "$game" 350 84
e2e_click "$WIN_ID" 174 54
e2e_wait_exit "$game" 5 "the game, after the celebration and the farewell,"
((EXIT_CODE == 0)) || fail "the game exited with code $EXIT_CODE after the celebration, want 0"
[[ $(md5sum <"$data") == "$data_before" ]] || fail "the preview changed the ranking file"
e2e_pass
