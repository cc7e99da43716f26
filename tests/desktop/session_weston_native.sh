# A first session inside weston, natively on Wayland (weston_session.sh says
# what is checked). Run by hand: bash tests/desktop/session_weston_native.sh
# build/mokaruns. It is not among the ctest tests: weston's x11 backend at
# times stops following the pointer xdotool moves, which fails the run
# whatever the game does.
# shellcheck source=tests/desktop/weston_session.sh
. "$(dirname "$0")/weston_session.sh"
desk_weston_session "${1:-}"
