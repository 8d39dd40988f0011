#!/usr/bin/env bash
# Installs the Debian 12 packages the build needs, when missing; with
# --tests first, also those the tests need; further arguments are more packages.
#
#   scripts/install-deps.sh [--tests] [PACKAGE...]
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libgl1-mesa-dev
  qt6-charts-dev libqt6opengl6-dev qt6-svg-dev
  nlohmann-json3-dev libicu-dev nettle-dev fonts-dejavu-core
)
if [[ "${1:-}" == --tests ]]; then
  shift
  packages+=(
    libgtest-dev googletest unicode-data fonts-liberation2 clang-format clang-tidy
    xvfb openbox dbus-daemon dbus-bin at-spi2-core python3-pyatspi poppler-utils
  )
fi
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

sudo=""
if [[ $(id -u) -ne 0 ]]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
