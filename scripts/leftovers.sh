#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Names and ends every process still carrying the test run's mark
# (MOKARUNS_TEST_RUN=$1 in its environment, which test.sh exports and every
# process the suite starts inherits, daemons included). Exits 1 when any
# process was left after a short grace, 0 when none was.
#   scripts/leftovers.sh MARK
set -uo pipefail
mark=${1:?usage: scripts/leftovers.sh MARK}

# LEFT: the processes with the mark, but for this script, the grep that
# looks for them, and the shell that called it (test.sh, whose run it checks).
find_marked() {
    local files f pid grep_pid
    mapfile -t files < <(exec grep -lszxF "MOKARUNS_TEST_RUN=$mark" /proc/[0-9]*/environ)
    grep_pid=$!
    LEFT=()
    for f in "${files[@]}"; do
        pid=${f#/proc/} pid=${pid%/environ}
        [[ $pid == "$$" || $pid == "$PPID" || $pid == "$grep_pid" ]] || LEFT+=("$pid")
    done
}

for ((try = 0; try < 20; try++)); do
    find_marked
    ((${#LEFT[@]})) || exit 0
    sleep 0.25 # processes that are ending get a moment
done
echo "leftovers: ${#LEFT[@]} processes of the test run outlived it:" >&2
for pid in "${LEFT[@]}"; do
    printf '  %s %s\n' "$pid" "$(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | cut -c1-160)" >&2
done
kill -9 "${LEFT[@]}" 2>/dev/null
exit 1
