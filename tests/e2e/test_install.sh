# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later

# shellcheck shell=bash
# Installing: what `cmake --install` lays out (the game itself in bin/, its
# menu entry, icons, software-centre entry and manual page), and where the
# installed game keeps its ranking: in the player's data folder, also when
# its own folder is read-only, and with one message at start-up when that
# data folder cannot be made.
#
# Takes the built game like every e2e test; the build folder is the folder
# that game was built in.
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "$0")/lib.sh"
e2e_begin "${1:-}"

for tool in cmake cmp desktop-file-validate appstreamcli identify; do
    command -v "$tool" >/dev/null || fail "missing tool: $tool"
done
built=$(readlink -f "$1")
build=$(dirname "$built")
[[ -f $build/cmake_install.cmake ]] || fail "$build is not a configured build folder (no cmake_install.cmake)"

# --- The installed tree ------------------------------------------------------

prefix="$E2E_WORK/prefix"
cmake --install "$build" --prefix "$prefix" >"$E2E_WORK/install.log" 2>&1 ||
    fail "cmake --install failed: $(tail -n 5 "$E2E_WORK/install.log")"

installed="$prefix/bin/mokaruns"
desktop="$prefix/share/applications/mokaruns.desktop"
metainfo="$prefix/share/metainfo/io.github.mokaruns.mokaruns.metainfo.xml"
[[ -f $installed && -x $installed ]] || fail "no executable game at $installed"
cmp -s "$built" "$installed" || fail "bin/mokaruns is not the built game"
[[ ! -e $prefix/libexec ]] || fail "the install still lays out libexec/"
[[ -s $prefix/share/man/man6/mokaruns.6 ]] || fail "no manual page in share/man/man6"
[[ -f $desktop ]] || fail "no desktop entry at $desktop"
desktop-file-validate "$desktop" >"$E2E_WORK/validate.log" 2>&1 ||
    fail "the desktop entry does not validate: $(head -n 5 "$E2E_WORK/validate.log")"
for line in 'Name=mokaRUNs' 'Name[ja]=モカランズ！' 'Exec=mokaruns' 'Icon=mokaruns' 'Terminal=false' \
    'Categories=Game;SportsGame;ArcadeGame;' 'Actions=english;' 'Name=Play in English' \
    'Exec=mokaruns --lang en'; do
    grep -qxF "$line" "$desktop" || fail "the desktop entry lacks the line '$line'"
done
grep -q '^Comment\[ja\]=.' "$desktop" || fail "the desktop entry has no Japanese comment"
appstreamcli validate --no-net "$metainfo" >"$E2E_WORK/appstream.log" 2>&1 ||
    fail "the software-centre entry does not validate: $(cat "$E2E_WORK/appstream.log")"
for size in 16 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/mokaruns.png"
    [[ -f $icon ]] || fail "no ${size}x${size} icon at $icon"
    got=$(identify -format '%wx%h %m' "$icon" 2>/dev/null)
    [[ $got == "${size}x${size} PNG" ]] || fail "$icon is '$got', want a ${size}x${size} PNG"
done

# --- A data folder that cannot be made -----------------------------------------
# A file stands where the data folder would go. The game says once, at
# start-up, that it cannot write its ranking file, then plays on.

home="$E2E_WORK/home"
mkdir -p "$home"
touch "$E2E_WORK/notafolder"
# e2e_start_game runs app/mokaruns; this one execs the installed game with
# the test's HOME and data folder, so the pid stays the game's.
printf '#!/bin/sh\nexec env HOME="%s" XDG_DATA_HOME="%s" "%s"\n' "$home" "$E2E_WORK/notafolder" "$installed" \
    >"$E2E_WORK/app/mokaruns"
e2e_start_game
game=$E2E_GAME_PID
# A window titled like a message box that is not the 280×200 splash.
is_message_box() {
    [[ $(e2e_window_name "$1") == "mokaRUNs" ]] && e2e_geometry "$1" && ! ((WIN_W == 280 && WIN_H == 200))
}
boxes_of_game() {
    local id
    for id in $(e2e_windows_of_pid "$game"); do
        is_message_box "$id" && printf '%s\n' "$id"
    done
}
box=""
deadline=$((SECONDS + E2E_TIMEOUT))
while [[ -z $box ]]; do
    ((SECONDS < deadline)) || fail "the game with an unusable data folder showed no message within ${E2E_TIMEOUT}s"
    box=$(boxes_of_game | head -n 1)
    sleep 0.1
done
e2e_type_into_window "$box" Return
e2e_wait_window_gone "$box"
e2e_wait_window_titled "$MAIN_TITLE"
main=$WIN_ID
# A second message must not come.
no_second() {
    again=$(boxes_of_game | wc -l)
    ((again == 0))
}
e2e_holds 1 no_second || fail "the game showed its failure message more than once ($again more)"
e2e_alive "$game" || fail "the game ended after its failure message"
e2e_end_game "$game" "$main"
beside=$(find "$prefix/bin" -mindepth 1 ! -name mokaruns)
[[ -z $beside ]] || fail "the game wrote beside itself in bin/: $beside"
[[ -z $(ls -A "$home") ]] || fail "the game wrote into HOME: $(ls -A "$home")"

# --- A ranking that cannot be saved, found at start ---------------------------------
# As an ordinary user (root writes through file modes): a read-only
# mokaru.dat beside a portable game, the data folder of an installed game
# that the player cannot write, and a home the player cannot write. Each is
# told once, at start-up, before anything is played; what is saved stays
# byte for byte, and no file is left beside it.

user="$E2E_WORK/user"
mkdir -p "$user/portable" "$user/home-ro" "$user/home/.local/share/mokaruns"
cp "$built" "$user/portable/mokaruns"
ranking=$'10,"CHAMP"\r\n9,"ABC"\r\n7,"DE"\r\n7,"FGH"\r\n2,"IJKLM"\r\n'
printf '%s' "$ranking" >"$E2E_WORK/ranking.dat"
cp "$E2E_WORK/ranking.dat" "$user/portable/mokaru.dat"
cp "$E2E_WORK/ranking.dat" "$user/home/.local/share/mokaruns/mokaru.dat"
# Starts program $1 as the ordinary user with HOME $2; expects one message
# box before the main window, OK on it, then no other, and ends the game.
expect_told_at_start() {
    local program=$1 user_home=$2 what=$3
    e2e_game_as_ordinary_user "$program" HOME="$user_home" XDG_DATA_HOME=
    e2e_start_game
    game=$E2E_GAME_PID
    box=""
    # A whole start-up as another user: on a loaded machine it takes longer.
    deadline=$((SECONDS + 2 * E2E_TIMEOUT))
    while [[ -z $box ]]; do
        ((SECONDS < deadline)) || fail "$what: no message at start-up within $((2 * E2E_TIMEOUT))s"
        box=$(boxes_of_game | head -n 1)
        sleep 0.1
    done
    [[ -z $(e2e_windows_titled "$MAIN_TITLE") ]] || fail "$what: the message came after the main window"
    e2e_type_into_window "$box" Return
    e2e_wait_window_gone "$box"
    e2e_wait_window_titled "$MAIN_TITLE"
    main=$WIN_ID
    e2e_wait_window_of_pid "$game" 280 200 # the splash: start-up is over
    again=$(boxes_of_game | wc -l)
    ((again == 0)) || fail "$what: the message came more than once ($again more)"
    e2e_end_game "$game" "$main"
    e2e_log "$what: told once at start-up"
}
chmod 444 "$user/portable/mokaru.dat"
chmod 555 "$user/home-ro" "$user/home/.local/share/mokaruns"
e2e_ordinary_user
[[ $E2E_USER == "$(id -un)" ]] || chown -R "$E2E_USER" "$user"
expect_told_at_start "$user/portable/mokaruns" "$user/home-ro" "a read-only mokaru.dat"
expect_told_at_start "$installed" "$user/home" "a data folder $E2E_USER cannot write"
expect_told_at_start "$installed" "$user/home-ro" "a home $E2E_USER cannot write"
for kept in "$user/portable" "$user/home/.local/share/mokaruns"; do
    cmp -s "$E2E_WORK/ranking.dat" "$kept/mokaru.dat" || fail "the game changed $kept/mokaru.dat"
    beside=$(find "$kept" -mindepth 1 ! -name mokaru.dat ! -name mokaruns)
    [[ -z $beside ]] || fail "the game left files beside the ranking: $beside"
done
[[ -z $(ls -A "$user/home-ro") ]] || fail "the game wrote into the home it cannot write"

# --- A game in a read-only folder ------------------------------------------------
# A folder the player cannot write counts as installed: the ranking goes to
# the data folder. Root writes through permission bits, so the folder is a
# read-only bind mount in a mount namespace of the game's own.

ro="$E2E_WORK/readonly"
mkdir -p "$ro"
cp "$built" "$ro/mokaruns"
# Makes $1 read-only in a new mount namespace, then runs the rest.
# shellcheck disable=SC2016 # expanded by the shell inside the namespace
ro_mount='mount --bind "$1" "$1" && mount -o remount,bind,ro "$1" && shift && exec "$@"'
ro_unshare=""
for how in "unshare --mount --propagation private" "unshare --map-root-user --mount --propagation private"; do
    # shellcheck disable=SC2086,SC2016 # $how is words; the probe expands its own $1
    if $how sh -c "$ro_mount" sh "$ro" sh -c '! touch "$1/probe" 2>/dev/null' sh "$ro" 2>/dev/null &&
        [[ ! -e $ro/probe ]]; then
        ro_unshare=$how
        break
    fi
done
[[ -n $ro_unshare ]] || e2e_skip "read-only folder: no read-only bind mount can be made here (needs unshare and mount)"

data="$E2E_WORK/data"
printf '#!/bin/sh\nexec env HOME="%s" XDG_DATA_HOME="%s" %s sh -c '\''%s'\'' sh "%s" "%s/mokaruns"\n' \
    "$home" "$data" "$ro_unshare" "$ro_mount" "$ro" "$ro" >"$E2E_WORK/app/mokaruns"
e2e_start_past_splash
game=$E2E_GAME_PID
# The program it runs is that copy: the same file (device and inode). Its
# path, as the process's link names it from another mount namespace, may
# be spelled from outside a chroot.
[[ $(stat -Lc %d:%i "/proc/$game/exe") == "$(stat -c %d:%i "$ro/mokaruns")" ]] ||
    fail "the read-only case does not run the copy in $ro ($(readlink "/proc/$game/exe"))"
shown=$(e2e_windows_of_pid "$game" | wc -l)
((shown == 1)) || fail "the game in a read-only folder shows $shown windows, want only the main window"
e2e_end_game "$game" "$MAIN_ID"
[[ -f $data/mokaruns/mokaru.dat ]] || fail "the game in a read-only folder kept no ranking in the data folder"
[[ ! -e $ro/mokaru.dat ]] || fail "a ranking file appeared in the read-only folder"

e2e_pass
