#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the README's pictures from the real game on a private Xvfb display:
# docs/main-window.png (a tournament game in play) and docs/celebration.png
# (the champion's celebration, reached through the hidden preview).
#   scripts/screenshots.sh [path-to-mokaruns]
set -uo pipefail
cd "$(dirname "$0")/.."
bin=${1:-$PWD/build/mokaruns}
out=$PWD/docs
mkdir -p "$out"

# shellcheck source=tests/e2e/lib.sh
. tests/e2e/lib.sh
E2E_NAME=screenshots
e2e_begin "$bin"

# A tournament game in play: register, take the first announcement, serve.
e2e_start_past_splash
game=$E2E_GAME_PID
main=$MAIN_ID
e2e_type_player_name "$main" MOC
e2e_click "$NAME_DIALOG" 220 128 # OK
e2e_wait_window_gone "$NAME_DIALOG"
e2e_wait_window_of_pid "$game" 350 84 # "Ｃランク - 第１回戦 ： 第 1 セット"
e2e_click "$WIN_ID" 174 54
sleep 0.5
e2e_click "$main" 150 330 # the computer serves
sleep 0.45
e2e_geometry "$main" || fail "cannot read the main window's geometry"
import -display "$E2E_DISPLAY" -window root -crop "${WIN_W}x${WIN_H}+${WIN_X}+${WIN_Y}" +repage \
    "$out/main-window.png" || fail "could not take the main window's picture"
e2e_log "wrote $out/main-window.png"
kill "$game"
e2e_wait_exit "$game" 10 "the game"

# The celebration: a preview name through the hidden label, then Shift and
# the right button on COM's count and on USER's.
e2e_start_past_splash
game=$E2E_GAME_PID
e2e_store_preview_name "$MAIN_ID" MOC
e2e_preview_gesture "$MAIN_ID"
e2e_wait_window_of_pid "$game" "$SCREEN_W" "$SCREEN_H"
sleep 7.2 # the trophy under its banner, confetti falling
import -display "$E2E_DISPLAY" -window root "$out/celebration.png" || fail "could not take the celebration's picture"
e2e_log "wrote $out/celebration.png"
kill "$game"
e2e_pass
