#!/usr/bin/env bash
# Proves the README's test command on a fresh system, as a new user would
# meet it: bootstraps a minimal Debian 12 into a folder, clones the committed
# state of this repository into it and runs `bash scripts/test.sh` there, once
# as root and once as a user with sudo. Nothing else is installed by hand.
#
#   sudo scripts/fresh-debian.sh [FOLDER]      (default: build/fresh-debian)
#
# A developer's tool, not part of CI: run it before submitting a change to the
# set-up, the fonts or the tests' environment. It needs root (debootstrap,
# chroot, mounts) and the Debian archive; the folder is made anew each run.
# The log of each run is FOLDER.root.log and FOLDER.user.log.
set -euo pipefail
cd "$(dirname "$0")/.."
repository="$(pwd)"
root="$(realpath -m "${1:-build/fresh-debian}")"
mirror="${DEBIAN_MIRROR:-http://deb.debian.org/debian}"

if [[ $(id -u) -ne 0 ]]; then
  echo "fresh-debian: needs root (debootstrap, chroot and mounts)" >&2
  exit 2
fi
command -v debootstrap >/dev/null || {
  apt-get update -qq
  apt-get install -y -qq debootstrap >/dev/null
}

mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount -l "${mounted[$i]}" 2>/dev/null || true
  done
}
trap cleanup EXIT
mount_in() { # type source target [options]
  mkdir -p "$root$3"
  mount -t "$1" ${4:+-o "$4"} "$2" "$root$3"
  mounted+=("$root$3")
}

# A run cut short can leave the host's /dev bound inside: never delete through it.
if findmnt -rno TARGET | grep -q "^$root/"; then
  echo "fresh-debian: something is still mounted under $root; unmount it first" >&2
  exit 1
fi
rm -rf --one-file-system "$root"
mkdir -p "$(dirname "$root")"
start=$(date +%s)
echo "== debootstrap --variant=minbase bookworm $root"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.bootstrap.log" 2>&1 ||
  { tail -20 "$root.bootstrap.log"; exit 1; }
echo "   $(($(date +%s) - start)) s"

mount_in proc proc /proc
mount_in sysfs sys /sys
mount --rbind /dev "$root/dev" && mounted+=("$root/dev")
mount_in tmpfs tmpfs /dev/shm mode=1777
mount_in tmpfs tmpfs /run mode=0755
cp /etc/resolv.conf "$root/etc/resolv.conf"

# The user with sudo: an account as an administrator would make it. Making it
# needs sudo itself, which is the administrator's, not the project's.
chroot "$root" apt-get update -qq
chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq sudo >/dev/null
chroot "$root" useradd --create-home --shell /bin/bash --groups sudo tester
echo "tester ALL=(ALL) NOPASSWD: ALL" >"$root/etc/sudoers.d/tester"

status=0
for who in root user; do
  if [[ $who == root ]]; then
    home=/root
    run=(chroot "$root" bash -lc)
  else
    home=/home/tester
    run=(chroot "$root" su - tester -c)
  fi
  git clone -q --no-hardlinks "$repository" "$root$home/wexel-converter"
  [[ $who == user ]] && chroot "$root" chown -R tester:tester "$home/wexel-converter"
  echo "== as $who: bash scripts/test.sh"
  begin=$(date +%s)
  if "${run[@]}" "cd $home/wexel-converter && bash scripts/test.sh" >"$root.$who.log" 2>&1; then
    echo "   passed in $(($(date +%s) - begin)) s"
  else
    echo "   FAILED after $(($(date +%s) - begin)) s; the end of $root.$who.log:"
    tail -30 "$root.$who.log"
    status=1
  fi
done
echo "== $(date -u +%Y-%m-%d): $(chroot "$root" cat /etc/debian_version), $(($(date +%s) - start)) s in all"
exit "$status"
