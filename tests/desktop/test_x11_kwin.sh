# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The first session of a player under KDE's KWin with the Breeze decoration
# (x11_session.sh says what is checked). KWin puts its frame around a window
# only after the window shows, and does not say beforehand what it will be:
# the main window's first showing is checked over ten starts.
# shellcheck source=tests/desktop/x11_session.sh
. "$(dirname "$0")/x11_session.sh"
command -v kwin_x11 >/dev/null || e2e_skip "kwin_x11 is not installed (kwin-x11)"
DESK_STARTS=10 desk_x11_session kwin "${1:-}"
