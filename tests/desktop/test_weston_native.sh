# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later

# A first session inside weston, natively on Wayland (weston_session.sh says
# what is checked).
# shellcheck source=tests/desktop/weston_session.sh
. "$(dirname "$0")/weston_session.sh"
desk_weston_session "${1:-}"
