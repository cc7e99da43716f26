# A first session inside weston, natively on Wayland (weston_session.sh says
# what is checked). Weston's x11 backend now and then stops following the
# pointer that xdotool moves, whatever the game does; a session that fails is
# run once more from the start, and the test fails only if both do.
# shellcheck source=tests/desktop/weston_session.sh
. "$(dirname "$0")/weston_session.sh"
if ! (desk_weston_session "${1:-}"); then
    echo "$E2E_NAME: the first session failed; once more from the start"
    (desk_weston_session "${1:-}") || exit 1
fi
