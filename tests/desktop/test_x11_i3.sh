# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The first session of a player under i3 (x11_session.sh says what is checked).
# shellcheck source=tests/desktop/x11_session.sh
. "$(dirname "$0")/x11_session.sh"
desk_x11_session i3 "${1:-}"
