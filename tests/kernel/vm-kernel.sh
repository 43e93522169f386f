#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts Debian's own kernel and the modules the kernel tests load (the HID stack, uhid, and
# the virtual USB host and device controller with gadgetfs and usbhid; 9p over virtio for a
# guest that runs this machine's own programs from its root) into CACHE/kernel and prints that
# directory. The image package is downloaded, not installed: only the kernel and
# those modules are kept (about 70 MB with the uncompressed kernel), so a later run needs
# neither the network nor the package.
#   vm-kernel.sh CACHE
set -euo pipefail

cache=${1:?usage: vm-kernel.sh CACHE}
kernel=$cache/kernel
wanted=(hid hid-generic uhid usbhid dummy_hcd gadgetfs)
# Loaded only by a guest that mounts the host's root (modules-9p.load).
shared=(virtio_pci 9pnet_virtio 9p)

mkdir -p "$cache"
# Two builds' test runs may fetch at once; the second waits and then finds the first's.
exec 9>"$cache/lock"
flock 9
# A cache made for fewer modules is made again.
if [ -f "$kernel/ready" ] && [ "$(cat "$kernel/wanted" 2>/dev/null)" = "${wanted[*]} ${shared[*]}" ]; then
    echo "$kernel"
    exit 0
fi

say() { echo "vm-kernel: $*" >&2; }

download() { # package -> a .deb in the current directory
    # apt's sandbox user may not write here; the download works unsandboxed all the same.
    apt-get download "$1" 2>&1 | grep -v 'unsandboxed' >&2 || true
    ls "$1"_*.deb >/dev/null 2>&1
}

work=$cache/download
rm -rf "$work" "$kernel.new"
mkdir -p "$work/tree" "$kernel.new/modules"
cd "$work"

say "fetching the kernel package (once; later runs use $kernel)"
apt-get update -qq >&2 || say "apt-get update failed; trying the lists there are"
download linux-image-amd64 || { say "cannot download linux-image-amd64"; exit 1; }
# The metapackage names the versioned image package as its first dependency.
image=$(dpkg-deb -f linux-image-amd64_*.deb Depends | sed 's/[ ,].*//')
[ -n "$image" ] || { say "linux-image-amd64 names no image package"; exit 1; }
download "$image" || { say "cannot download $image"; exit 1; }
deb=$(ls "$image"_*.deb)

extract() { # tar patterns...
    dpkg-deb --fsys-tarfile "$deb" | tar -x -C tree --wildcards "$@" 2>/dev/null || true
}
extract './boot/vmlinuz-*' './lib/modules/*/modules.order' './lib/modules/*/modules.builtin' \
    './lib/modules/*/modules.builtin.modinfo' './lib/modules/*/kernel/drivers/hid/*' \
    './lib/modules/*/kernel/drivers/usb/*' './lib/modules/*/kernel/drivers/virtio/*' \
    './lib/modules/*/kernel/net/9p/*' './lib/modules/*/kernel/fs/9p/*' \
    './lib/modules/*/kernel/fs/netfs/*' './lib/modules/*/kernel/fs/fscache/*'
kver=$(ls tree/lib/modules | head -1)
[ -n "$kver" ] && [ -f "tree/boot/vmlinuz-$kver" ] || { say "no kernel in $deb"; exit 1; }

# The package leaves modules.dep to its postinst; depmod makes it for the extracted tree.
order_of() { # module... -> their files with what they need first, each once
    local m line
    for m in "$@"; do
        modprobe -d tree -S "$kver" --show-depends "$m" || return 1
    done | while read -r line; do
        case $line in
        insmod\ *) set -- $line; echo "$2" ;;
        builtin\ *) ;;
        *) return 1 ;;
        esac
    done | awk '!seen[$0]++'
}
resolve() {
    depmod -b tree "$kver" && order_of "${wanted[@]}" >"$work/order" &&
        order_of "${shared[@]}" >"$work/order-9p"
}
if ! resolve; then
    say "dependencies outside the extracted folders: extracting every module"
    extract './lib/modules/*'
    resolve || { say "cannot resolve ${wanted[*]} ${shared[*]} in $kver"; exit 1; }
fi

unpack() { # order file, list to write
    local ko base
    : >"$2"
    while read -r ko; do
        base=$(basename "$ko")
        case $base in
        *.ko.xz) xz -dc "$ko" >"$kernel.new/modules/${base%.xz}"; base=${base%.xz} ;;
        *.ko.zst) zstd -qdc "$ko" >"$kernel.new/modules/${base%.zst}"; base=${base%.zst} ;;
        *.ko.gz) gzip -dc "$ko" >"$kernel.new/modules/${base%.gz}"; base=${base%.gz} ;;
        *) cp "$ko" "$kernel.new/modules/$base" ;;
        esac
        echo "$base" >>"$2"
    done <"$1"
}
unpack "$work/order" "$kernel.new/modules.load"
# What the HID modules already loaded is not loaded twice.
grep -vxFf "$work/order" "$work/order-9p" >"$work/order-9p-only" || true
unpack "$work/order-9p-only" "$kernel.new/modules-9p.load"

cp "tree/boot/vmlinuz-$kver" "$kernel.new/vmlinuz"
# The bzImage carries an xz-compressed ELF kernel; booted directly (PVH) it saves QEMU's
# real-mode start and the guest's decompression, a few seconds under emulation.
offset=$(LC_ALL=C grep -obUaP '\xfd7zXZ\x00' "$kernel.new/vmlinuz" | head -1 | cut -d: -f1 || true)
if [ -n "$offset" ] &&
    # xz stops after the payload, and tail may die writing the rest: only xz's status counts.
    { tail -c +$((offset + 1)) "$kernel.new/vmlinuz" || true; } |
    xz -dc --single-stream >"$kernel.new/vmlinux" 2>/dev/null &&
    [ "$(head -c 4 "$kernel.new/vmlinux" | od -An -tx1 | tr -d ' ')" = 7f454c46 ]; then
    :
else
    rm -f "$kernel.new/vmlinux"
fi
echo "${wanted[*]} ${shared[*]}" >"$kernel.new/wanted"
echo "$kver" >"$kernel.new/ready"
rm -rf "$kernel"
mv "$kernel.new" "$kernel"
cd /
rm -rf "$work"
say "kernel $kver with $(tr '\n' ' ' <"$kernel/modules.load")+ $(tr '\n' ' ' <"$kernel/modules-9p.load")"
echo "$kernel"
