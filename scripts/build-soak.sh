#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures (once) and builds the soak test's binary in build-soak/ (the
# CMake preset `soak`): the whole game with AddressSanitizer and
# UndefinedBehaviorSanitizer, without tests, benchmarks and tools. Its own
# ctest, `ctest --preset soak`, runs it.
#   scripts/build-soak.sh [ninja arguments, e.g. -j1]
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build-soak/build.ninja ]; then
  cmake --preset soak >/dev/null
fi
cmake --build --preset soak -- "$@"
