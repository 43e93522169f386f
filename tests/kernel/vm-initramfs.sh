#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the kernel-test VM's initramfs: static busybox, the HID modules, our programs with
# the shared libraries that ldd finds for them, and for Qt programs the offscreen platform
# plugin and a font. The archive is left uncompressed: the guest unpacks it faster than it
# could decompress it under emulation.
#   vm-initramfs.sh OUT STAGE KERNEL_DIR [board:PATH | tool:PATH | test:PATH | bench:PATH]...
# Board programs and tools are copied in; tests and benchmarks are also listed to be run.
#   TAMO_VM_HOST_ROOT=DIR   nothing is copied: the guest runs the programs from this machine's
#                           root, shared over 9p with DIR read-write (the list names full paths)
#   TAMO_VM_ENVIRONMENT=FILE   NAME=VALUE lines for the programs
set -euo pipefail

out=$1 stage=$2 kernel=$3
shift 3
here=$(cd "$(dirname "$0")" && pwd)
say() { echo "vm-initramfs: $*" >&2; }

busybox=/bin/busybox
{ ldd "$busybox" 2>&1 || true; } | grep -q 'not a dynamic executable' ||
    { say "$busybox is not the static one (package busybox-static)"; exit 1; }

rm -rf "$stage"
mkdir -p "$stage"/{bin,dev,proc,sys,tmp,etc/kernel-tests,lib-modules,usr/lib,usr/lib64,var/cache}
# Debian's merged /usr: the paths that ldd prints go through these links.
ln -s usr/lib "$stage/lib"
ln -s usr/lib64 "$stage/lib64"
ln -s bin "$stage/sbin"
mv "$stage/lib-modules" "$stage/usr/lib/modules"
cp "$busybox" "$stage/bin/busybox"
ln -s busybox "$stage/bin/sh"
install -m 755 "$here/vm-init.sh" "$stage/init"
# The kernel opens /dev/console on the archive's root before /init mounts devtmpfs; without
# root there is none, and /init reopens it after mounting devtmpfs.
mknod -m 600 "$stage/dev/console" c 5 1 2>/dev/null || true

cp "$kernel"/modules/*.ko "$stage/usr/lib/modules/"
cp "$kernel/modules.load" "$stage/etc/kernel-tests/modules.load"
echo "${TAMO_VM_PROGRAM_TIMEOUT:-240}" >"$stage/etc/kernel-tests/program-timeout"
if [ -n "${TAMO_VM_ENVIRONMENT:-}" ]; then
    grep -v '^$' "$TAMO_VM_ENVIRONMENT" >"$stage/etc/kernel-tests/environment" || true
fi
host_root=${TAMO_VM_HOST_ROOT:-}
if [ -n "$host_root" ]; then
    cp "$kernel/modules-9p.load" "$stage/etc/kernel-tests/"
    echo "$host_root" >"$stage/etc/kernel-tests/host-root"
    : >"$stage/etc/kernel-tests/host-paths"
fi

elves=()
add_program() { # path
    cp "$1" "$stage/bin/"
    elves+=("$1")
}
: >"$stage/etc/kernel-tests/list"
for entry in "$@"; do
    kind=${entry%%:*} path=${entry#*:}
    [ -x "$path" ] || { say "no program $path"; exit 1; }
    if [ -n "$host_root" ]; then
        realpath "$path" >>"$stage/etc/kernel-tests/host-paths"
    else
        add_program "$path"
    fi
    [ "$kind" = test ] || [ "$kind" = bench ] || continue
    if [ -n "$host_root" ]; then
        echo "$kind $(realpath "$path")" >>"$stage/etc/kernel-tests/list"
    else
        echo "$kind /bin/$(basename "$path")" >>"$stage/etc/kernel-tests/list"
    fi
done

uses_qt=false
# grep reads all of ldd's output (no -q): under pipefail, an ldd cut off by grep's early exit
# fails the pipe, and a Qt program then went into the VM without its platform plugin.
for elf in "${elves[@]}"; do
    ldd "$elf" | grep 'libQt6Gui' >/dev/null && uses_qt=true
done
if $uses_qt; then
    plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null || echo /usr/lib/x86_64-linux-gnu/qt6/plugins)
    mkdir -p "$stage$plugins/platforms"
    cp "$plugins/platforms/libqoffscreen.so" "$stage$plugins/platforms/"
    elves+=("$plugins/platforms/libqoffscreen.so")
    cp -rL /etc/fonts "$stage/etc/fonts"
    for font in /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf \
        /usr/share/wine/fonts/tahoma.ttf; do
        if [ -f "$font" ]; then
            mkdir -p "$stage$(dirname "$font")"
            cp -L "$font" "$stage$font"
        fi
    done
fi

declare -A copied=()
for elf in "${elves[@]}"; do
    if ldd "$elf" | grep 'not found' >/dev/null; then
        say "$elf: $(ldd "$elf" | grep 'not found' | tr -s ' \t' ' ')"
        exit 1
    fi
    # "libx.so => /lib/.../libx.so (0x...)" and the loader's "/lib64/ld-linux... (0x...)"
    for lib in $(ldd "$elf" | sed -n 's/.*=> \(\/[^ ]*\).*/\1/p; s/^[[:space:]]*\(\/[^ ]*\) .*/\1/p'); do
        [ -n "${copied[$lib]:-}" ] && continue
        copied[$lib]=1
        mkdir -p "$stage$(dirname "$lib")"
        cp -L "$lib" "$stage$lib"
    done
done

(cd "$stage" && find . -mindepth 1 | LC_ALL=C sort | cpio --quiet -o -H newc -R 0:0) >"$out"
say "$out: $(($(stat -c %s "$out") / 1024 / 1024)) MiB, ${#copied[@]} libraries, Qt: $uses_qt"
