#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs every Debian package that the build, the tests and the tools need; skips what is
# already there. Debian 12, as root (or with sudo).
set -euo pipefail

packages=(
    # build
    cmake ninja-build g++ pkg-config
    qt6-base-dev libgl-dev
    # the command-line front end
    libcli11-dev
    # tests
    libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
    clang libclang-rt-14-dev
    # real-kernel tests in a small VM, and the scan benchmark beside hidapi
    qemu-system-x86 busybox-static kmod cpio xz-utils libhidapi-dev
    # the Debian package and its checks
    dpkg-dev file lintian desktop-file-utils appstream
    # the window's design font, and a display for the demo
    fonts-wine fonts-dejavu-core xvfb xauth
)
packages+=(${TAMO_EXTRA_PACKAGES:-})

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    echo "setup: all ${#packages[@]} packages are installed"
    exit 0
fi
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
echo "setup: installing ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
