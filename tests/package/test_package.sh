# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later

# shellcheck shell=bash
# The Debian package: builds it with scripts/package.sh, checks it with
# lintian and the desktop-entry and AppStream validators, unpacks it into a
# temporary root and plays the game from there with a temporary HOME. The
# installed game keeps its ranking in $HOME/.local/share/mokaruns/, writes
# nothing anywhere else, and reads the ranking back at its next start; the
# same executable copied into a folder of the player's own keeps it beside
# itself.
#
# Takes the built game like every e2e test (only for the test's setup).
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "$0")/../e2e/lib.sh"
E2E_TIMEOUT=20 # the first start from a fresh root waits on the font cache
e2e_begin "${1:-}"
source_dir=$(cd "$(dirname "$0")/../.." && pwd)

for tool in dpkg-buildpackage dpkg-deb lintian desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || fail "missing tool: $tool"
done

# --- Build and check ----------------------------------------------------------

tree_status() { git -C "$source_dir" status --porcelain 2>/dev/null; }
status_before=$(tree_status)
"$source_dir/scripts/package.sh" >"$E2E_WORK/package.log" 2>&1 ||
    fail "scripts/package.sh failed: $(tail -n 20 "$E2E_WORK/package.log")"
debs=("$source_dir"/build-deb/mokaruns_*.deb)
if ((${#debs[@]} != 1)) || [[ ! -f ${debs[0]} ]]; then fail "want one package in build-deb/, found: ${debs[*]}"; fi
deb=${debs[0]}
e2e_log "built $(basename "$deb")"
[[ $(tree_status) == "$status_before" ]] || fail "the package build changed the checkout: $(tree_status)"

lintian --fail-on error,warning --display-info "$deb" >"$E2E_WORK/lintian.log" 2>&1 ||
    fail "lintian: $(grep -v '^N: ' "$E2E_WORK/lintian.log" | head -n 20)"
sed "s/^/$E2E_NAME: lintian: /" "$E2E_WORK/lintian.log"

root="$E2E_WORK/root"
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x failed"
game="$root/usr/games/mokaruns"
[[ -f $game && -x $game ]] || fail "no executable game at /usr/games/mokaruns"
desktop-file-validate "$root/usr/share/applications/mokaruns.desktop" ||
    fail "the desktop entry does not validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/io.github.mokaruns.mokaruns.metainfo.xml" \
    >"$E2E_WORK/appstream.log" 2>&1 || fail "the AppStream entry does not validate: $(cat "$E2E_WORK/appstream.log")"
for file in usr/share/man/man6/mokaruns.6.gz usr/share/doc/mokaruns/copyright \
    usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/mokaruns.png; do
    [[ -s $root/$file ]] || fail "the package lacks /$file"
done

# --- The command line, without a display -------------------------------------

home="$E2E_WORK/home"
mkdir -p "$home"
ranking="$home/.local/share/mokaruns/mokaru.dat"
# Runs the unpacked game as the player would, with no display: $1 is the
# program; the output lands in OUT, the exit code in RC.
run_bare() {
    OUT=$(cd / && env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_DATA_HOME HOME="$home" "$@" 2>&1)
    RC=$?
}
run_bare "$game" --help
((RC == 0)) || fail "--help exited with $RC: $OUT"
[[ $OUT == *"$ranking"* ]] || fail "--help does not name the ranking file $ranking: $OUT"
run_bare "$game" --version
if ((RC != 0)) || [[ $OUT != "mokaRUNs "[0-9]* ]]; then fail "--version exited with $RC: $OUT"; fi
run_bare "$game" --no-such-option
if ((RC != 2)) || [[ $OUT != *no-such-option* ]]; then fail "an unknown option exited with $RC: $OUT"; fi

# --- The installed game -------------------------------------------------------

# Everything under the root and HOME, with sizes and times of change.
listing() { find "$root" "$home" -printf '%p %y %s %T@\n' | sort; }
paths() { find "$root" "$home" -printf '%p\n' | sort; }
before=$(listing)
before_paths=$(paths)

# Starts program $1 past its splash with the test's HOME and no data or
# config folders of the caller's.
start_with_home() {
    printf '#!/bin/sh\nexec env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u XDG_CACHE_HOME HOME="%s" "%s"\n' \
        "$home" "$1" >"$E2E_WORK/app/mokaruns"
    chmod 755 "$E2E_WORK/app/mokaruns"
    e2e_start_past_splash
}

# A tournament game: MOC registers, takes the first announcement, and ends
# the program, which saves the ranking.
start_with_home "$game"
e2e_type_player_name "$MAIN_ID" MOC
e2e_click "$NAME_DIALOG" 220 128 # OK
e2e_wait_window_gone "$NAME_DIALOG"
e2e_wait_window_of_pid "$E2E_GAME_PID" 350 84 # the first set's announcement
e2e_click "$WIN_ID" 174 54
e2e_wait_window_gone "$WIN_ID"
e2e_end_game "$E2E_GAME_PID" "$MAIN_ID"
[[ -f $ranking ]] || fail "no ranking file in the player's data folder ($ranking)"
[[ $(tr -d '\r' <"$ranking") == $'0,""\n0,""\n0,""\n0,""\n0,""' ]] ||
    fail "the ranking after a game with no round won is not five empty records: $(od -c "$ranking" | head -n 3)"

added=$(comm -13 <(printf '%s\n' "$before_paths") <(paths))
want=$(printf '%s\n' "$home/.local" "$home/.local/share" "$home/.local/share/mokaruns" "$ranking")
[[ $added == "$want" ]] || fail "the installed game wrote more than its ranking file: $added"
changed=$(comm -23 <(grep -v "^$home" <<<"$before") <(listing | grep -v "^$home"))
[[ -z $changed ]] || fail "the installed game changed files under its root: $changed"

# MOC has won round 3 (as a won match would record). The next start reads
# that back, and its end writes the table out again as it was read.
printf '0,""\r\n3,"MOC"\r\n2,"ABC"\r\n0,""\r\n0,""\r\n' >"$ranking"
progress=$(<"$ranking")
inode=$(stat -c %i "$ranking")
start_with_home "$game"
e2e_type_player_name "$MAIN_ID" MOC
e2e_click "$NAME_DIALOG" 220 128 # OK
e2e_wait_window_gone "$NAME_DIALOG"
e2e_wait_window_of_pid "$E2E_GAME_PID" 350 84
e2e_click "$WIN_ID" 174 54
e2e_wait_window_gone "$WIN_ID"
e2e_end_game "$E2E_GAME_PID" "$MAIN_ID"
[[ $(stat -c %i "$ranking") != "$inode" ]] || fail "the second game did not save its ranking"
[[ $(<"$ranking") == "$progress" ]] ||
    fail "the ranking was not read back: after the next game it reads $(od -c "$ranking" | head -n 4)"

# --- The same game in a folder of the player's own ----------------------------

own="$E2E_WORK/own"
mkdir -p "$own"
cp "$game" "$own/mokaruns"
before=$(find "$home" -printf '%p %s %T@\n' | sort)
start_with_home "$own/mokaruns"
e2e_end_game "$E2E_GAME_PID" "$MAIN_ID"
[[ -f $own/mokaru.dat ]] || fail "the game in a folder of the player's own kept no ranking beside itself"
[[ $(find "$home" -printf '%p %s %T@\n' | sort) == "$before" ]] ||
    fail "the game in a folder of the player's own wrote into HOME"

e2e_pass
