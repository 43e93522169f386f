#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# /init of the kernel-test VM: loads the HID and USB modules, mounts gadgetfs, runs each program that
# /etc/kernel-tests/list names (lines "test NAME" or "bench NAME"), frames each run with
# "@@tamo" lines for the host to read, and powers off.
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

export HOME=/tmp XDG_RUNTIME_DIR=/tmp/runtime QT_QPA_PLATFORM=offscreen
export TAMO_UHID_BOARD=/bin/tamo-uhid-board TAMO_USB_BOARD=/bin/tamo-usb-board
mkdir -m 700 /tmp/runtime
limit=$(cat /etc/kernel-tests/program-timeout)
# The firmware leaves escape codes on the console line; start a fresh one.
echo
echo "@@tamo ready uptime=$(cut -d' ' -f1 /proc/uptime)"

while read -r kind name; do
    echo "@@tamo begin $kind $name"
    start=$(cut -d' ' -f1 /proc/uptime)
    if [ "$kind" = test ]; then
        timeout "$limit" "/bin/$name" --gtest_color=no </dev/null 2>&1
    else
        timeout "$limit" "/bin/$name" </dev/null 2>&1
    fi
    rc=$?
    [ $rc -eq 0 ] || { echo "--- kernel log:"; dmesg | tail -25; }
    echo "@@tamo end $kind $name rc=$rc from=$start to=$(cut -d' ' -f1 /proc/uptime)"
done </etc/kernel-tests/list

echo "@@tamo done uptime=$(cut -d' ' -f1 /proc/uptime)"
poweroff -f
