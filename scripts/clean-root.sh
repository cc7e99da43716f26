#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the README's ./test.sh (or the command given) the way a newcomer
# would: in a clean Debian 12 system made on the spot, with nothing of this
# machine's installation in it.
#
#   scripts/clean-root.sh              # ./test.sh in a fresh root
#   scripts/clean-root.sh ./play.sh    # any command, run in the project's copy
#   KEEP_ROOT=1 scripts/clean-root.sh  # keep the root afterwards (its path is printed)
#   REUSE_ROOT=DIR scripts/clean-root.sh  # again in a kept root, the project copied anew
#
# 1. mmdebstrap makes a minimal Debian 12 (bookworm, variant apt) from this
#    machine's configured apt sources.
# 2. The project is cloned into it, with the work tree's uncommitted changes.
# 3. The project's own scripts/setup.sh installs what it needs, with the
#    network.
# 4. The command runs in namespaces of its own (mount, PID, IPC, UTS and a
#    network of its own with loopback only), so that no process, X display,
#    abstract socket or session bus of this machine is seen, with a clean
#    environment and a private /run and /dev/shm.
# 5. Every process of the root ends with its PID namespace, its mounts with
#    the mount namespace, and the root is removed.
# Needs root (it asks sudo otherwise) and about 6 GB of disk.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

if [ "$(id -u)" -ne 0 ]; then
  exec sudo --preserve-env=CI,FUZZ_SECONDS,KEEP_ROOT,CLEAN_ROOT_PARENT "$0" "$@"
fi
(($#)) || set -- ./test.sh

say() { printf 'clean-root: %s\n' "$*"; }
started=$SECONDS
mark() { say "$1 ($((SECONDS - started)) s)"; }

for tool in mmdebstrap unshare git; do
  if ! command -v "$tool" >/dev/null; then
    say "installing $tool's package"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends mmdebstrap util-linux git >/dev/null
    break
  fi
done

parent=${CLEAN_ROOT_PARENT:-/var/tmp}
if [ -n "${REUSE_ROOT:-}" ]; then
  [ -x "$REUSE_ROOT/usr/bin/apt-get" ] || { say "$REUSE_ROOT holds no root"; exit 2; }
  root=$(cd "$REUSE_ROOT" && pwd)
  KEEP_ROOT=1
else
  root=$(mktemp -d "$parent/mokaruns-root.XXXXXX")
  chmod 755 "$root"
fi

# Whatever is still mounted below the root (nothing, once the namespaces are
# gone) is unmounted before anything is removed, so that rm can never reach
# this machine's /dev or /sys through a bind mount.
remove_root() {
  local rc=$?
  if [ -n "${KEEP_ROOT:-}" ]; then
    say "the root is kept in $root"
    exit "$rc"
  fi
  local left
  left=$(awk -v r="$root" '$5 == r || index($5, r "/") == 1 {print $5}' /proc/self/mountinfo | sort -r)
  if [ -n "$left" ]; then
    say "unmounting what is left below the root"
    while IFS= read -r m; do umount -l "$m" || true; done <<<"$left"
  fi
  rm -rf --one-file-system "$root"
  exit "$rc"
}
trap remove_root EXIT
trap 'exit 130' INT TERM
say "$*: starting"

if [ -z "${REUSE_ROOT:-}" ]; then
  say "making a clean Debian 12 root in $root"
  # The apt options suit mirrors that serve snapshots (their Release files
  # carry old dates); no file of this machine is copied into the root.
  mmdebstrap --quiet --variant=apt --aptopt='Acquire::Check-Valid-Until "false"' \
    --aptopt='Acquire::Retries "3"' bookworm "$root"
  mark "root made"
fi

# The project as it stands in the work tree: a clone (the tests and the lint
# read git) with the uncommitted changes and untracked files laid over it.
dest=/home/mokaruns/mokaruns
rm -rf "$root$dest"
mkdir -p "$root/home/mokaruns"
git clone --quiet --no-hardlinks "$top" "$root$dest"
(
  cd "$top"
  git ls-files -z --cached --others --exclude-standard |
    tar --null --files-from=- --ignore-failed-read --create --file=- 2>/dev/null
) | tar --extract --file=- --directory="$root$dest"
(cd "$top" && git ls-files -z --deleted) | (cd "$root$dest" && xargs -0r rm -f --)
mark "project copied to $dest"

# Runs $@ in the root inside fresh mount, PID, IPC and UTS namespaces; with
# NET=own also in a network namespace with loopback only.
in_root() {
  local net=()
  [ "${NET:-}" = own ] && net=(--net)
  unshare --mount --pid --ipc --uts "${net[@]}" --fork --kill-child \
    env ROOT="$root" bash -euo pipefail -c '
      if [ "${NET:-}" = own ]; then ip link set lo up; fi
      hostname mokaruns-clean
      # The root a mount point of its own, as / is on a real system: tools
      # inside (unshare --propagation) refuse a / that is not one.
      mount --bind "$ROOT" "$ROOT"
      mount -t proc proc "$ROOT/proc"
      mount -t sysfs -o ro sysfs "$ROOT/sys" 2>/dev/null || mount --rbind -o ro /sys "$ROOT/sys"
      mount --rbind /dev "$ROOT/dev"
      mount -t tmpfs -o mode=1777 tmpfs "$ROOT/dev/shm"
      mount -t tmpfs -o mode=755 tmpfs "$ROOT/run"
      cp /etc/resolv.conf "$ROOT/run/resolv.conf" 2>/dev/null || true
      [ -e "$ROOT/etc/resolv.conf" ] || ln -s /run/resolv.conf "$ROOT/etc/resolv.conf"
      exec chroot "$ROOT" "$@"
    ' in_root "$@"
}
# (ip comes from this machine's iproute2 before the chroot; without it the
# tests still run, with no loopback interface up.)
command -v ip >/dev/null || apt-get install -y -qq --no-install-recommends iproute2 >/dev/null

clean_env=(env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
  HOME=/root LANG=C.UTF-8 TERM=dumb CI="${CI:-}" ${FUZZ_SECONDS:+FUZZ_SECONDS="$FUZZ_SECONDS"})

# The set-up with the network, as a newcomer runs it.
in_root "${clean_env[@]}" bash -c "cd $dest && scripts/setup.sh"
mark "set-up done"

# The command without the network: nothing it does may need this machine.
status=0
NET=own in_root "${clean_env[@]}" bash -c "cd $dest && $(printf '%q ' "$@")" || status=$?
mark "$* ended with status $status"
exit "$status"
