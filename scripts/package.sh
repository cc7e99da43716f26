#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package with dpkg-buildpackage and leaves it, with its
# .buildinfo and .changes, in build-deb/.
#
# dpkg-buildpackage builds in the source tree and writes its results into the
# folder above it. So it runs on a copy of the sources in build-deb/work/:
# the checkout stays clean and nothing is written outside it (the folder
# around a checkout may be shared or read-only).
#
# The compiler runs with DEB_BUILD_OPTIONS' parallel=N, by default one job a
# core.
set -euo pipefail
cd "$(dirname "$0")/.."

out=$PWD/build-deb
work=$out/work
rm -rf "$work"
mkdir -p "$work/mokaruns"
rm -f "$out"/mokaruns_* "$out"/mokaruns-dbgsym_*

# The tracked and new files as they are in the working tree, without build
# folders or anything else .gitignore names.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' f; do [[ -e $f || -L $f ]] && printf '%s\0' "$f"; done |
    tar --null --files-from=- --create --file=- | tar --extract --file=- --directory="$work/mokaruns"
else
  tar --create --file=- --exclude='./build*' --exclude=./.git . | tar --extract --file=- --directory="$work/mokaruns"
fi

case " ${DEB_BUILD_OPTIONS:-} " in
*" parallel="*) ;;
*) DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS:-} parallel=$(nproc)" ;;
esac
export DEB_BUILD_OPTIONS

(cd "$work/mokaruns" && dpkg-buildpackage -us -uc -b) >"$out/build.log" 2>&1 || {
  tail -n 40 "$out/build.log" >&2
  echo "package.sh: dpkg-buildpackage failed; the whole log is $out/build.log" >&2
  exit 1
}
mv "$work"/mokaruns_* "$out"/
mv "$work"/mokaruns-dbgsym_* "$out"/ 2>/dev/null || true
rm -rf "$work"
ls "$out"/mokaruns_*.deb
