# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Starting the game: the main window and the splash, where they sit, the
# splash going away on a click, and the end button ending the program.
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "$0")/lib.sh"
e2e_begin "${1:-}"

e2e_start_game
game=$E2E_GAME_PID

# The main window: exact title, fixed client area, centred.
e2e_wait_window_titled "$MAIN_TITLE"
main=$WIN_ID
[[ $(xdt getwindowpid "$main") == "$game" ]] || fail "the main window does not belong to the game (pid $game)"
(($(e2e_windows_titled "$MAIN_TITLE" | wc -l) == 1)) || fail "more than one window titled '$MAIN_TITLE'"
e2e_geometry "$main" || fail "cannot read the main window's geometry"
((WIN_W == 409 && WIN_H == 514)) || fail "main window is ${WIN_W}x${WIN_H}, want 409x514"
e2e_expect_centred "$main" 4 "main window"

# The splash: a borderless 280×200 window of the same process, centred.
e2e_wait_window_of_pid "$game" 280 200
splash=$WIN_ID
e2e_expect_centred "$splash" 2 "splash"

# A click on the splash closes it and nothing else.
e2e_click "$splash" 140 100
e2e_wait_window_gone "$splash"
up() {
    e2e_alive "$game" || fail "the game ended when the splash was clicked"
    e2e_viewable "$main" || fail "the main window went away with the splash"
}
e2e_holds 1 up

# "終了" at (328, 8), 65×25 says farewell and ends the program cleanly.
e2e_end_game "$game" "$main"
lock="$E2E_WORK/runtime/mokaruns.lock" # the private runtime folder, not TMPDIR
[[ ! -e $lock ]] || fail "the game left its lock file behind after a normal end: $lock"

# In English on request: the main window takes its English title (the splash
# is titled alike, so it goes first), and "Quit" ends the program the same way.
e2e_start_game --lang en
game=$E2E_GAME_PID
e2e_wait_window_of_pid "$game" 280 200
e2e_click "$WIN_ID" 140 100
e2e_wait_window_gone "$WIN_ID"
e2e_wait_window_titled "mokaRUNs"
main=$WIN_ID
e2e_geometry "$main" || fail "cannot read the English main window's geometry"
((WIN_W == 409 && WIN_H == 514)) || fail "the English main window is ${WIN_W}x${WIN_H}, want 409x514"
(($(e2e_windows_titled "$MAIN_TITLE" | wc -l) == 0)) || fail "the English game still shows '$MAIN_TITLE'"
e2e_end_game "$game" "$main"

e2e_pass
