#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# /init of the kernel-test VM: loads the HID and USB modules, mounts gadgetfs, runs each program that
# /etc/kernel-tests/list names (lines "test PATH" or "bench PATH"), frames each run with
# "@@tamo" lines for the host to read, and powers off. With /etc/kernel-tests/host-root the
# programs run chrooted in the host's root, shared over 9p.
/bin/busybox --install -s /bin
export PATH=/bin
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
mount -t tmpfs tmpfs /tmp
# Without a /dev/console in the archive the kernel gave us no standard files.
[ -t 1 ] || exec </dev/console >/dev/console 2>&1

for m in $(cat /etc/kernel-tests/modules.load); do
    insmod "/lib/modules/$m" || echo "@@tamo insmod failed: $m"
done
# No udev here: the node stays root's, which these programs are.
[ -c /dev/uhid ] || echo "@@tamo no /dev/uhid after loading the modules"
# gadgetfs shows the device controller's ep0 file (dummy_udc) for the USB board program.
mkdir -p /dev/gadget
mount -t gadgetfs gadgetfs /dev/gadget || echo "@@tamo cannot mount gadgetfs"

root=""
if [ -f /etc/kernel-tests/host-root ]; then
    for m in $(cat /etc/kernel-tests/modules-9p.load); do
        insmod "/lib/modules/$m" || echo "@@tamo insmod failed: $m"
    done
    # The host's files read once and kept: they do not change while the guest runs.
    mkdir -p /host
    mount -t 9p -o trans=virtio,version=9p2000.L,ro,msize=512000,cache=loose hostroot /host ||
        echo "@@tamo cannot mount the host's root"
    # The guest's own /tmp, with the host's folders there that hold our programs still seen
    # through it (a build under /tmp); Wine's folders there are the guest's own.
    mkdir -p /host-tmp
    mount -o bind /host/tmp /host-tmp
    for fs in proc sysfs:sys devtmpfs:dev tmpfs:tmp tmpfs:run; do
        mount -t "${fs%%:*}" "${fs%%:*}" "/host/${fs#*:}"
    done
    for top in $(sed -n 's|^/tmp/\([^/]*\)/.*|\1|p' /etc/kernel-tests/host-paths | sort -u); do
        mkdir -p "/host/tmp/$top"
        mount -o bind "/host-tmp/$top" "/host/tmp/$top"
    done
    mkdir -p /host/dev/pts /host/dev/shm /host/dev/gadget
    mount -t devpts devpts /host/dev/pts
    mount -t tmpfs tmpfs /host/dev/shm
    mount -t gadgetfs gadgetfs /host/dev/gadget
    share=$(cat /etc/kernel-tests/host-root)
    mkdir -p "/host$share" # a folder under /tmp lies in the guest's own tmpfs
    mount -t 9p -o trans=virtio,version=9p2000.L,msize=512000 work "/host$share" ||
        echo "@@tamo cannot mount the work folder $share"
    root=/host
    export PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/sbin:/usr/sbin:/sbin
else
    export TAMO_UHID_BOARD=/bin/tamo-uhid-board TAMO_USB_BOARD=/bin/tamo-usb-board
fi
export HOME=/tmp XDG_RUNTIME_DIR=/tmp/runtime QT_QPA_PLATFORM=offscreen
mkdir -m 700 "$root/tmp/runtime"
if [ -f /etc/kernel-tests/environment ]; then
    while IFS= read -r line; do export "$line"; done </etc/kernel-tests/environment
fi
# In the host's root, its own timeout; here, busybox's.
run() {
    if [ -n "$root" ]; then chroot "$root" /usr/bin/timeout "$@"; else timeout "$@"; fi
}
limit=$(cat /etc/kernel-tests/program-timeout)
# The firmware leaves escape codes on the console line; start a fresh one.
echo
echo "@@tamo ready uptime=$(cut -d' ' -f1 /proc/uptime)"

while read -r kind program; do
    name=$(basename "$program")
    echo "@@tamo begin $kind $name"
    start=$(cut -d' ' -f1 /proc/uptime)
    if [ "$kind" = test ]; then
        run "$limit" "$program" --gtest_color=no </dev/null 2>&1
    else
        run "$limit" "$program" </dev/null 2>&1
    fi
    rc=$?
    [ $rc -eq 0 ] || { echo "--- kernel log:"; dmesg | tail -25; }
    echo "@@tamo end $kind $name rc=$rc from=$start to=$(cut -d' ' -f1 /proc/uptime)"
done </etc/kernel-tests/list

echo "@@tamo done uptime=$(cut -d' ' -f1 /proc/uptime)"
poweroff -f
