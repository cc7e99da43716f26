# Installing: what `cmake --install` lays out, the launcher that runs a copy of
# the game from the player's own data folder (so the ranking file lands
# there), and the game's single message at start-up when the folder it runs
# from cannot be written.
#
# Takes the built game like every e2e test; the build folder is the folder
# that game was built in.
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "$0")/lib.sh"
e2e_begin "${1:-}"

for tool in cmake cmp desktop-file-validate identify; do
    command -v "$tool" >/dev/null || fail "missing tool: $tool"
done
built=$(readlink -f "$1")
build=$(dirname "$built")
[[ -f $build/cmake_install.cmake ]] || fail "$build is not a configured build folder (no cmake_install.cmake)"

# --- The installed tree ------------------------------------------------------

prefix="$E2E_WORK/prefix"
cmake --install "$build" --prefix "$prefix" >"$E2E_WORK/install.log" 2>&1 ||
    fail "cmake --install failed: $(tail -n 5 "$E2E_WORK/install.log")"

launcher="$prefix/bin/mokaruns"
installed="$prefix/libexec/mokaruns/mokaruns"
desktop="$prefix/share/applications/mokaruns.desktop"
[[ -f $launcher && -x $launcher ]] || fail "no executable launcher at $launcher"
[[ -f $installed && -x $installed ]] || fail "no executable game at $installed"
cmp -s "$built" "$installed" || fail "the installed game differs from the built one"
[[ -f $desktop ]] || fail "no desktop entry at $desktop"
desktop-file-validate "$desktop" >"$E2E_WORK/validate.log" 2>&1 ||
    fail "the desktop entry does not validate: $(head -n 5 "$E2E_WORK/validate.log")"
for line in 'Name=mokaRUNs' 'Name[ja]=モカランズ！' 'Exec=mokaruns' 'Icon=mokaruns' 'Terminal=false' \
    'Categories=Game;SportsGame;ArcadeGame;'; do
    grep -qxF "$line" "$desktop" || fail "the desktop entry lacks the line '$line'"
done
grep -q '^Comment\[ja\]=.' "$desktop" || fail "the desktop entry has no Japanese comment"
for size in 16 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/mokaruns.png"
    [[ -f $icon ]] || fail "no ${size}x${size} icon at $icon"
    got=$(identify -format '%wx%h %m' "$icon" 2>/dev/null)
    [[ $got == "${size}x${size} PNG" ]] || fail "$icon is '$got', want a ${size}x${size} PNG"
done

# --- The launcher's copy, with a stand-in game -------------------------------
# A second tree whose "game" only says where it runs from and what it is.

fake="$E2E_WORK/fake"
mkdir -p "$fake/bin" "$fake/libexec/mokaruns" "$E2E_WORK/fakehome"
cp "$launcher" "$fake/bin/mokaruns"
fake_version() {
    # shellcheck disable=SC2016 # expanded by the stand-in when it runs
    printf '#!/bin/sh\necho "version %s in $(dirname "$(readlink -f "$0")")"\n' "$1" \
        >"$fake/libexec/mokaruns/mokaruns"
    chmod 755 "$fake/libexec/mokaruns/mokaruns"
}
# Runs the stand-in through the launcher with data folder $1 ("-" for unset)
# and HOME $2; its output lands in RAN.
run_fake() {
    if [[ $1 == - ]]; then
        RAN=$(env -u XDG_DATA_HOME HOME="$2" "$fake/bin/mokaruns" 2>"$E2E_WORK/fake.err")
    else
        RAN=$(env XDG_DATA_HOME="$1" HOME="$2" "$fake/bin/mokaruns" 2>"$E2E_WORK/fake.err")
    fi
}
fake_version 1
data="$E2E_WORK/fakedata"
copy="$data/mokaruns/mokaruns"
run_fake "$data" "$E2E_WORK/fakehome"
[[ $RAN == "version 1 in $data/mokaruns" ]] || fail "first start through the launcher ran '$RAN', want the copy in $data/mokaruns"
inode=$(stat -c %i "$copy")
run_fake "$data" "$E2E_WORK/fakehome"
[[ $RAN == "version 1 in $data/mokaruns" && $(stat -c %i "$copy") == "$inode" ]] ||
    fail "an unchanged game was copied again (or not run from the copy: '$RAN')"

# An update renews the copy under a new file: a copy still running keeps its own.
exec 3<"$copy"
fake_version 2
run_fake "$data" "$E2E_WORK/fakehome"
[[ $RAN == "version 2 in $data/mokaruns" ]] || fail "after an update the launcher ran '$RAN', want version 2 from the copy"
[[ $(stat -c %i "$copy") != "$inode" ]] || fail "the update was written into the old copy's file"
[[ $(cat <&3) == *'version 1'* ]] || fail "the copy that was open before the update changed under it"
exec 3<&-
leftovers=$(find "$data/mokaruns" -name '.mokaruns.new.*' | wc -l)
((leftovers == 0)) || fail "the launcher left $leftovers temporary files in $data/mokaruns"

# Without XDG_DATA_HOME (or with a relative one) the copy goes to ~/.local/share.
run_fake - "$E2E_WORK/fakehome"
[[ $RAN == "version 2 in $E2E_WORK/fakehome/.local/share/mokaruns" ]] || fail "without XDG_DATA_HOME the launcher ran '$RAN'"
run_fake "relative/path" "$E2E_WORK/fakehome"
[[ $RAN == "version 2 in $E2E_WORK/fakehome/.local/share/mokaruns" ]] || fail "with a relative XDG_DATA_HOME the launcher ran '$RAN'"
[[ ! -e relative ]] || fail "the launcher made a folder from a relative XDG_DATA_HOME"

# A data folder that cannot be made (a file stands in its way): the
# installed game runs itself, and the launcher says why on stderr.
touch "$E2E_WORK/notafolder"
run_fake "$E2E_WORK/notafolder" "$E2E_WORK/fakehome"
[[ $RAN == "version 2 in $fake/libexec/mokaruns" ]] || fail "with an unusable data folder the launcher ran '$RAN', want the installed game"
grep -q 'running the installed game' "$E2E_WORK/fake.err" || fail "the launcher did not say it fell back to the installed game"

# --- The real installed game through its launcher ----------------------------

home="$E2E_WORK/home"
user_data="$E2E_WORK/home/data"
mkdir -p "$home"
# e2e_start_game runs app/mokaruns; here that execs the launcher, which execs
# the player's copy, so the pid stays the game's.
printf '#!/bin/sh\nexec env HOME="%s" XDG_DATA_HOME="%s" "%s"\n' "$home" "$user_data" "$launcher" \
    >"$E2E_WORK/app/mokaruns"
e2e_start_game
game=$E2E_GAME_PID
e2e_wait_window_titled "$MAIN_TITLE"
main=$WIN_ID
[[ $(xdt getwindowpid "$main") == "$game" ]] || fail "the installed game's main window belongs to another process"
e2e_geometry "$main" || fail "cannot read the main window's geometry"
((WIN_W == 409 && WIN_H == 514)) || fail "the installed game's main window is ${WIN_W}x${WIN_H}, want 409x514"
[[ $(readlink -f "/proc/$game/exe") == "$user_data/mokaruns/mokaruns" ]] ||
    fail "the game runs from $(readlink -f "/proc/$game/exe"), want the copy in $user_data/mokaruns"
# The main window and the splash, and no message box about the data file.
sleep 0.3
shown=$(e2e_windows_of_pid "$game" | wc -l)
((shown == 2)) || fail "the installed game shows $shown windows, want the main window and the splash"
e2e_end_game "$game" "$main"

ranking="$user_data/mokaruns/mokaru.dat"
[[ -f $ranking ]] || fail "no ranking file in the player's folder ($ranking)"
[[ $(tr -d '\r' <"$ranking") == $'0,""\n0,""\n0,""\n0,""\n0,""' ]] ||
    fail "the new ranking file is not five empty records: $(od -c "$ranking" | head -n 3)"
[[ ! -e $prefix/libexec/mokaruns/mokaru.dat ]] || fail "the game wrote a ranking file into the installed tree"

# --- A folder the game cannot write ------------------------------------------
# The game started from a read-only folder says once, at start-up, that it
# cannot write its ranking file, then runs normally. Root writes through
# permission bits, so the folder is a read-only bind mount in a mount
# namespace of the game's own; where that cannot be had, this part is skipped.

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
if [[ -z $ro_unshare ]]; then
    e2e_log "SKIP read-only folder: no read-only bind mount can be made here (needs unshare and mount)"
    e2e_pass
fi

printf '#!/bin/sh\nexec %s sh -c '\''%s'\'' sh "%s" "%s/mokaruns"\n' "$ro_unshare" "$ro_mount" "$ro" "$ro" \
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
    ((SECONDS < deadline)) || fail "the game in a read-only folder showed no message within ${E2E_TIMEOUT}s"
    box=$(boxes_of_game | head -n 1)
    sleep 0.1
done
[[ $(readlink -f "/proc/$game/exe") == "$ro/mokaruns" ]] || fail "the read-only case does not run the copy in $ro"
e2e_type_into_window "$box" Return
e2e_wait_window_gone "$box"
e2e_wait_window_titled "$MAIN_TITLE"
main=$WIN_ID
sleep 1 # time for a second message, which must not come
again=$(boxes_of_game | wc -l)
((again == 0)) || fail "the game showed its failure message more than once ($again more)"
e2e_alive "$game" || fail "the game ended after its failure message"
e2e_end_game "$game" "$main"
[[ ! -e $ro/mokaru.dat ]] || fail "a ranking file appeared in the read-only folder"

e2e_pass
