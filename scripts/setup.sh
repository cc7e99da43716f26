#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the game needs to build, run and be tested.
# Idempotent: when everything is there it installs nothing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-qpa-plugins libgl-dev
  libxcb1-dev libxcb-shm0-dev
  qt6-tools-dev qt6-l10n-tools
  fonts-ipafont-gothic
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool x11-utils imagemagick desktop-file-utils
  openbox metacity xfwm4 mutter i3-wm dbus weston xwayland qt6-wayland
  # KDE's window manager with its Breeze decoration, for the desktop tests.
  kwin-x11 kwin-style-breeze
  # Two monitors for the desktop tests: Xephyr's two heads, named by xrandr.
  xserver-xephyr x11-xserver-utils
  # The fuzz target's compiler and its sanitizer and libFuzzer runtime, one
  # version for both.
  clang-14 libclang-rt-14-dev
  # git for the tests of the install, ps and pgrep for the end-to-end tests.
  git procps
  pulseaudio pulseaudio-utils
  clang-format clang-tidy reuse
  debhelper dpkg-dev fakeroot lintian appstream
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
