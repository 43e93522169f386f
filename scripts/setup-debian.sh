#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs every Debian package that the build, the tests and the tools need; skips what is
# already there. Debian 12, as root (or with sudo).
set -euo pipefail

packages=(
    # build
    cmake ninja-build g++ pkg-config
    qt6-base-dev libgl-dev
    # the window's translations: lupdate and lrelease, and Qt's own texts for its dialogs
    qt6-l10n-tools qt6-translations-l10n
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

source "$(dirname "$0")/lib/packages.sh"
mapfile -t missing < <(missing_packages "${packages[@]}")
if [ ${#missing[@]} -eq 0 ]; then
    echo "setup: all ${#packages[@]} packages are installed"
    exit 0
fi
install_missing "${missing[@]}"
