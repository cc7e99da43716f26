# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The two-monitor session (test_x11_two_monitors.sh) under xfwm4, which takes
# both monitors for one screen and gives the celebration both of them.
DESK_WM=xfwm4
# shellcheck source=tests/desktop/test_x11_two_monitors.sh
. "$(dirname "$0")/test_x11_two_monitors.sh"
