#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The kernel tests: boots Debian's own kernel under QEMU with an initramfs that holds our test
# programs and the HID and USB modules, runs them against real /dev/hidrawN devices made
# through uhid and through gadgetfs on dummy_hcd, and reads their verdict from the console. Ends with the line "N passed, N failed" and
# exits 0 only when every test inside the VM passed.
#
#   run-vm-tests.sh --work DIR --board PROGRAM... [--tool PROGRAM]... [--test PROGRAM]...
#                   [--bench PROGRAM]... [--host-root] [--env NAME=VALUE]...
#
#   --board  a board program the tests start (tamo-uhid-board, tamo-usb-board)
#   --tool   another program the tests run (tamo)
#   --test   a GoogleTest program; its tests are counted
#   --bench  a program that prints figures; shown, never counted
#   --host-root  the programs run from this machine's own root, shared read-only into the
#            guest over 9p (DIR read-write at its own path): for programs that need what
#            cannot be packed into the initramfs (Wine)
#   --env    a variable for the programs inside the VM
#   TAMO_VM_CACHE    where the kernel is kept (default /var/cache/tamo-vm, else DIR/cache)
#   TAMO_VM_ACCEL    auto (default), kvm or tcg
#   TAMO_VM_TIMEOUT  seconds the whole VM may take (default 480)
#   TAMO_VM_SMP, TAMO_VM_MEMORY   virtual CPUs (2) and MiB (1024)
#   TAMO_VM_SKIP_STATUS  the exit status when the VM cannot start here (default 1: a failure)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)

work="" boards=() programs=() host_root=0 environment=()
while [ $# -gt 0 ]; do
    case $1 in
    --work) work=$2; shift 2 ;;
    --board) boards+=("board:$2"); shift 2 ;;
    --tool) boards+=("tool:$2"); shift 2 ;;
    --test) programs+=("test:$2"); shift 2 ;;
    --bench) programs+=("bench:$2"); shift 2 ;;
    --host-root) host_root=1; shift ;;
    --env) environment+=("$2"); shift 2 ;;
    *) echo "run-vm-tests: unknown argument $1" >&2; exit 2 ;;
    esac
done
[ -n "$work" ] && [ ${#boards[@]} -gt 0 ] && [ ${#programs[@]} -gt 0 ] || {
    sed -n '2,27s/^# \{0,1\}//p' "$0" >&2
    exit 2
}

cannot() {
    echo "kernel tests: the VM cannot run: $*"
    echo "0 passed, 1 failed"
    exit "${TAMO_VM_SKIP_STATUS:-1}"
}

mkdir -p "$work" || cannot "cannot make $work"
work=$(cd "$work" && pwd)

# ---- what the VM needs on the host ----
needed=(qemu-system-x86 busybox-static kmod cpio xz-utils)
source "$here/../../scripts/lib/packages.sh"
mapfile -t missing < <(missing_packages "${needed[@]}")
if [ ${#missing[@]} -gt 0 ]; then
    # Under ctest there is no one to answer sudo's question.
    [ "$(id -u)" -eq 0 ] || cannot "missing ${missing[*]} (run as root to install them)"
    install_missing "${missing[@]}" || cannot "cannot install ${missing[*]}"
fi

cache=${TAMO_VM_CACHE:-/var/cache/tamo-vm}
mkdir -p "$cache" 2>/dev/null && [ -w "$cache" ] || cache=$work/cache
start=$(date +%s.%N)
kernel=$("$here/vm-kernel.sh" "$cache") || cannot "no kernel (see above)"
initrd=$work/initramfs.cpio
share=()
if [ $host_root = 1 ]; then
    share=(-fsdev "local,id=root,path=/,security_model=none,readonly=on,multidevs=remap"
           -device virtio-9p-pci,fsdev=root,mount_tag=hostroot
           -fsdev "local,id=work,path=$work,security_model=none,multidevs=remap"
           -device virtio-9p-pci,fsdev=work,mount_tag=work)
fi
printf '%s\n' "${environment[@]}" >"$work/environment"
TAMO_VM_HOST_ROOT=$([ $host_root = 1 ] && echo "$work") TAMO_VM_ENVIRONMENT=$work/environment \
    "$here/vm-initramfs.sh" "$initrd" "$work/stage" "$kernel" "${boards[@]}" "${programs[@]}" ||
    cannot "cannot build the initramfs"
prepared=$(date +%s.%N)

# ---- boot ----
accel=${TAMO_VM_ACCEL:-auto}
if [ "$accel" = auto ]; then
    # A /dev/kvm without hardware virtualisation (a paravirtual one inside another VM) runs
    # a stock kernel too slowly or not at all: emulate there.
    if grep -qwE 'vmx|svm' /proc/cpuinfo && [ -r /dev/kvm ] && [ -w /dev/kvm ]; then
        accel=kvm
    else
        accel=tcg
    fi
fi
log=$work/console.log
boot() { # accel image
    local cpu=()
    [ "$1" = kvm ] && cpu=(-cpu host)
    echo "kernel tests: booting $(cat "$kernel/ready") ($(basename "$2"), $1, ${TAMO_VM_SMP:-2} CPUs)"
    # QEMU's exit status says nothing about the guest; the console does.
    timeout --foreground -k 5 "${TAMO_VM_TIMEOUT:-480}" \
        qemu-system-x86_64 -accel "$1" "${cpu[@]}" -m "${TAMO_VM_MEMORY:-1024}" \
        -smp "${TAMO_VM_SMP:-2}" -nographic -no-reboot -nic none \
        -kernel "$2" -initrd "$initrd" -append "console=ttyS0 quiet panic=-1" "${share[@]}" \
        </dev/null 2>&1 | stdbuf -o0 tr -d '\r' | tee "$log"
    return "${PIPESTATUS[0]}"
}
started() { grep -q '@@tamo ready' "$log"; }

image=$kernel/vmlinuz
[ -f "$kernel/vmlinux" ] && image=$kernel/vmlinux
boot "$accel" "$image"
qemu_rc=$?
if ! started && [ "$qemu_rc" != 124 ] && [ "$image" != "$kernel/vmlinuz" ]; then
    echo "kernel tests: no start from the uncompressed kernel; trying the bzImage"
    image=$kernel/vmlinuz
    boot "$accel" "$image"
    qemu_rc=$?
fi
if ! started && [ "$qemu_rc" != 124 ] && [ "$accel" = kvm ]; then
    echo "kernel tests: no start under KVM; trying emulation"
    accel=tcg
    boot "$accel" "$image"
    qemu_rc=$?
fi
finished=$(date +%s.%N)
[ "$qemu_rc" = 124 ] && echo "kernel tests: the VM was stopped after ${TAMO_VM_TIMEOUT:-480} s"
started || cannot "the guest never reached its tests (qemu status $qemu_rc; console in $log)"

# ---- verdict ----
# GoogleTest's summary lines count the tests; a program that ended without its summary, or
# with a failing status and no failed test, counts as one failure. Inside the VM nothing
# should skip: a skip means the kernel lacked what the test needs.
awk -v programs="${#programs[@]}" '
    /^@@tamo begin test / { name = $4; inside = 1; p = f = s = 0; next }
    /^@@tamo end test / {
        rc = $5; sub("rc=", "", rc)
        if (f == 0 && (rc != 0 || p == 0)) { f = 1; print "kernel tests: " name " ended with status " rc " and no failed test listed" }
        if (s > 0) print "kernel tests: " name " skipped " s " inside the VM"
        passed += p; failed += f + s; ended++; inside = 0; next
    }
    /^@@tamo end bench / { ended++; next }
    inside && /^\[  PASSED  \] [0-9]+ test/ { p = $4 }
    inside && /^\[  FAILED  \] [0-9]+ test/ { f = $4 }
    inside && /^\[  SKIPPED \] [0-9]+ test/ { s = $4 }
    END {
        if (ended < programs) { print "kernel tests: " programs - ended " program(s) did not finish"; failed += programs - ended }
        print passed + 0, failed + 0 > "/dev/stderr"
    }' "$log" 2>"$work/verdict"
read -r passed failed <"$work/verdict"
[ "${passed:-0}" -gt 0 ] || failed=$((failed + 1))

awk -v a="$start" -v b="$prepared" -v c="$finished" -v how="$accel, $(basename "$image")" \
    'BEGIN { printf "kernel tests: preparing %.1f s, VM %.1f s (%s)\n", b - a, c - b, how }'
if grep -q '^@@tamo begin bench' "$log"; then
    echo "kernel tests: figures"
    awk '/^@@tamo begin bench/ { on = 1; next } /^@@tamo end bench/ { on = 0 } on' "$log"
fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
