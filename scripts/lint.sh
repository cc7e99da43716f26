#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Code checks: clang-format over every tracked C++ file, every file's
# licence (reuse lint), then clang-tidy
# (checks in .clang-tidy) over the game's sources, using the compile
# commands of build/. Exits non-zero on any finding.
#   scripts/lint.sh            both
#   scripts/lint.sh --format   clang-format only
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t files < <(git ls-files '*.cpp' '*.h')
if ! clang-format --dry-run --Werror "${files[@]}"; then
  echo "lint: clang-format finds the files above unformatted (run clang-format -i on them)"
  exit 1
fi
echo "lint: clang-format clean (${#files[@]} files)"
[[ ${1:-} == --format ]] && exit 0

# Every file says its licence (an SPDX line, or .reuse/dep5 for files that
# cannot carry one).
if command -v reuse >/dev/null; then
  if ! reuse lint --quiet; then
    reuse lint | sed -n '/MISSING COPYRIGHT AND LICENSING INFORMATION/,/^$/p' | head -n 40
    echo "lint: reuse lint finds files that do not say their licence (above)"
    exit 1
  fi
  echo "lint: reuse lint clean"
elif [ "${CI:-}" = true ]; then
  echo "lint: reuse not found; FAILED (CI=true: scripts/setup.sh installs it)"
  exit 1
else
  echo "lint: reuse not found, skipped (not checked)"
fi

if ! command -v clang-tidy >/dev/null; then
  if [ "${CI:-}" = true ]; then
    echo "lint: clang-tidy not found; FAILED (CI=true: scripts/setup.sh installs it)"
    exit 1
  fi
  echo "lint: clang-tidy not found, skipped (not checked)"
  exit 0
fi
[[ -f build/compile_commands.json ]] || { echo "lint: build/compile_commands.json missing (run scripts/build.sh)"; exit 1; }
mapfile -t sources < <(git ls-files 'src/*.cpp')
out=$(mktemp)
trap 'rm -f "$out"' EXIT
# Four files per clang-tidy run, as many runs at once as there are cores;
# warnings from Qt's headers are not ours and are filtered by
# HeaderFilterRegex. clang-tidy's own exit status is not the verdict (the
# findings below are), but a run that could not start is.
status=0
printf '%s\n' "${sources[@]}" | xargs -P "$(nproc)" -n 4 clang-tidy -p build --quiet >"$out" 2>/dev/null || status=$?
if ((status >= 124)); then
  echo "lint: clang-tidy could not run (xargs status $status)"
  exit 1
fi
if grep -q 'warning:\|error:' "$out"; then
  grep -A3 'warning:\|error:' "$out"
  echo "lint: clang-tidy findings above"
  exit 1
fi
echo "lint: clang-tidy clean (${#sources[@]} files)"
