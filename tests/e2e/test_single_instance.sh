# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Only one copy of the game runs at a time: a second copy says so and ends,
# and the lock of a copy that was killed does not keep the next one out. A
# runtime folder the player cannot write (after `su user` without `-`) is no
# reason to refuse the first copy, and still the second is refused.
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "$0")/lib.sh"
e2e_begin "${1:-}"
lock="$E2E_WORK/runtime/mokaruns.lock" # the private runtime folder, not TMPDIR
lock_owner() { head -n 1 "$lock" 2>/dev/null; }

e2e_start_game
first=$E2E_GAME_PID
e2e_wait_window_titled "$MAIN_TITLE"
first_main=$WIN_ID
[[ $(xdt getwindowpid "$first_main") == "$first" ]] || fail "the main window does not belong to the first copy"
[[ $(lock_owner) == "$first" ]] || fail "the first copy runs without holding the lock $lock"

# The second copy: a message box and nothing else.
e2e_start_game
second=$E2E_GAME_PID
e2e_wait_window_of_pid "$second"
box=$WIN_ID
# The box is up once it carries its title; anything else the second copy
# might wrongly show would come before it (the box waits for its OK).
deadline=$((SECONDS + E2E_TIMEOUT))
until [[ $(e2e_window_name "$box") == "mokaRUNs" ]]; do
    ((SECONDS < deadline)) || fail "the second copy's window is titled '$(e2e_window_name "$box")', want 'mokaRUNs'"
    sleep 0.1
done
e2e_geometry "$box" || fail "cannot read the message box's geometry"
if ((WIN_W == 409 && WIN_H == 514)) || ((WIN_W == 280 && WIN_H == 200)); then
    fail "the second copy's window is ${WIN_W}x${WIN_H}: a game window, not a message box"
fi
shown=$(e2e_windows_of_pid "$second" | wc -l)
((shown == 1)) || fail "the second copy shows $shown windows, want only the message box"
for id in $(e2e_all_windows_of_pid "$second"); do
    [[ $(e2e_window_name "$id") != "$MAIN_TITLE" ]] || fail "the second copy created a main window"
done
e2e_alive "$second" || fail "the second copy ended without waiting for its message box"

# Return presses the box's OK button; the second copy ends, the first runs on.
e2e_key_to_window "$box" Return
e2e_wait_exit "$second" 5 "the second copy, after OK on its message box,"
((EXIT_CODE == 0)) || fail "the second copy exited with code $EXIT_CODE, want 0"
e2e_alive "$first" || fail "the first copy ended along with the second"
e2e_viewable "$first_main" || fail "the first copy's main window went away"
[[ $(lock_owner) == "$first" ]] || fail "the second copy disturbed the first copy's lock"

# A killed copy leaves its lock file behind; the next copy must take it over.
kill -9 "$first"
e2e_wait_exit "$first" 5 "the first copy, after kill -9,"
[[ $(lock_owner) == "$first" ]] || fail "the killed copy left no stale lock, so this part would prove nothing"

e2e_start_game
third=$E2E_GAME_PID
third_main=""
deadline=$((SECONDS + E2E_TIMEOUT))
while [[ -z $third_main ]]; do
    ((SECONDS < deadline)) || fail "the copy started after the kill showed no main window within ${E2E_TIMEOUT}s"
    for id in $(e2e_windows_of_pid "$third"); do
        if [[ $(e2e_window_name "$id") == "$MAIN_TITLE" ]]; then
            third_main=$id
        elif e2e_geometry "$id" && ! ((WIN_W == 280 && WIN_H == 200)); then
            fail "the copy started after the kill shows a ${WIN_W}x${WIN_H} box: the stale lock kept it out"
        fi
    done
    sleep 0.1
done
e2e_wait_window_of_pid "$third" 280 200
splash=$WIN_ID
shown=$(e2e_windows_of_pid "$third" | wc -l)
((shown == 2)) || fail "the new copy shows $shown windows, want the main window and the splash"
[[ $(lock_owner) == "$third" ]] || fail "the new copy runs without holding the lock"

# A key typed into the splash closes it too; then 終了 ends the new copy.
e2e_type_into_window "$splash" a
e2e_wait_window_gone "$splash"
e2e_alive "$third" || fail "the new copy ended when a key closed its splash"
e2e_end_game "$third" "$third_main"

# --- A runtime folder the player cannot write ----------------------------------
# Root writes through file modes, so this part runs as an ordinary user, with
# the runtime folder of another account: there the lock falls back to the
# temporary folder, as without any runtime folder.
mkdir -p "$E2E_WORK/user" "$E2E_WORK/runtime-other"
cp "$E2E_WORK/app/mokaruns" "$E2E_WORK/user/mokaruns"
chmod 500 "$E2E_WORK/runtime-other"
e2e_ordinary_user
[[ $E2E_USER == "$(id -un)" ]] || chown -R "$E2E_USER" "$E2E_WORK/user"
e2e_game_as_ordinary_user "$E2E_WORK/user/mokaruns" XDG_RUNTIME_DIR="$E2E_WORK/runtime-other"
e2e_log "as $E2E_USER, with a runtime folder it cannot write"
e2e_start_game
first=$E2E_GAME_PID
e2e_wait_window_titled "$MAIN_TITLE"
first_main=$WIN_ID
[[ $(xdt getwindowpid "$first_main") == "$first" ]] ||
    fail "with a runtime folder it cannot write, the first copy of $E2E_USER shows no main window"
tmp=$(tr '\0' '\n' <"/proc/$first/environ" | sed -n 's/^TMPDIR=//p')
lock="${tmp:-/tmp}/mokaruns-$(id -u "$E2E_USER").lock"
[[ $(lock_owner) == "$first" ]] || fail "the first copy of $E2E_USER does not hold the lock $lock"
e2e_start_game
second=$E2E_GAME_PID
e2e_wait_window_of_pid "$second"
box=$WIN_ID
e2e_geometry "$box" || fail "cannot read the geometry of the second copy's window"
if [[ $(e2e_window_name "$box") == "$MAIN_TITLE" ]] || ((WIN_W == 280 && WIN_H == 200)); then
    fail "the second copy of $E2E_USER was not refused: it shows a ${WIN_W}x${WIN_H} game window"
fi
e2e_key_to_window "$box" Return
e2e_wait_exit "$second" 5 "the second copy of $E2E_USER, after OK on its message box,"
((EXIT_CODE == 0)) || fail "the second copy of $E2E_USER exited with code $EXIT_CODE, want 0"
e2e_end_game "$first" "$first_main"

e2e_pass
