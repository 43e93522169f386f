#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows programs under Wine in the kernel-test VM, over boards the guest's kernel makes:
# run-vm-tests.sh --host-root, with a Wine prefix made here once (cached beside the kernel) and
# a copy of it for the run. Wine's bus for HID devices starts only when its SDL bus is off:
# Debian's Wine fails to start SDL without libSDL2 and then starts no bus at all.
#
#   run-wine-vm-tests.sh --work DIR [run-vm-tests.sh's other arguments]...
#
#   TAMO_WINDOWS_PROGRAMS   the folder with tamo.exe and tamo-config.exe (the unpacked download)
#   TAMO_WINDOWS_EXTRA      more files for that folder (tamo-window-check.exe, the offscreen
#                           platform plugin), separated by spaces
# Ends with status 77 (skipped) when no programs are given or the VM cannot start here.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)

skip() {
    echo "Wine kernel tests skipped: $*"
    exit 77
}
work=""
args=("$@")
for ((i = 0; i < $#; i++)); do
    [ "${args[i]}" = --work ] && work=${args[i + 1]}
done
[ -n "$work" ] || { echo "run-wine-vm-tests: no --work" >&2; exit 2; }
programs=${TAMO_WINDOWS_PROGRAMS:-}
[ -n "$programs" ] || skip "TAMO_WINDOWS_PROGRAMS names no folder (scripts/test-windows.sh names the unpacked download)"
[ -f "$programs/tamo.exe" ] || skip "no tamo.exe in $programs"
command -v wine >/dev/null && command -v wineserver >/dev/null ||
    skip "no Wine here (scripts/test-windows.sh installs it)"

mkdir -p "$work" && work=$(cd "$work" && pwd)
cache=${TAMO_VM_CACHE:-/var/cache/tamo-vm}
mkdir -p "$cache" 2>/dev/null && [ -w "$cache" ] || cache=$work/cache
mkdir -p "$cache"

start=$SECONDS
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
unset DISPLAY
prefix=$cache/wine-prefix-$(wine --version | tr -c 'a-zA-Z0-9.\n' -)
(
    flock 9
    [ -f "$prefix/ready" ] && exit 0
    rm -rf "$prefix.new"
    WINEPREFIX=$prefix.new wineboot -i >/dev/null 2>&1 &&
        WINEPREFIX=$prefix.new wine reg add 'HKLM\System\CurrentControlSet\Services\winebus' \
            /v 'Enable SDL' /t REG_DWORD /d 0 /f >/dev/null 2>&1 &&
        WINEPREFIX=$prefix.new wineserver -w || exit 1
    touch "$prefix.new/ready"
    rm -rf "$prefix"
    mv "$prefix.new" "$prefix"
) 9>"$cache/wine-prefix.lock" || { echo "Wine kernel tests: cannot make a Wine prefix"; exit 1; }
made=$SECONDS

# The run's own prefix: the large files shared with the cached one (Wine only reads its DLLs),
# every small one (the registry, the .ini files) a copy of its own.
rm -rf "$work/prefix" "$work/windows"
if cp -al "$prefix" "$work/prefix" 2>/dev/null; then
    find "$work/prefix" -type f -size -1024k -print0 |
        while IFS= read -r -d '' file; do cp -p "$file" "$file.copy" && mv "$file.copy" "$file"; done
else
    cp -a "$prefix" "$work/prefix"
fi
cp -a "$programs" "$work/windows"
for extra in ${TAMO_WINDOWS_EXTRA:-}; do
    case $extra in
    *qoffscreen.dll) mkdir -p "$work/windows/platforms"; cp "$extra" "$work/windows/platforms/" ;;
    *) cp "$extra" "$work/windows/" ;;
    esac
done
echo "Wine kernel tests: prefix $((made - start)) s (cached in $prefix), copies $((SECONDS - made)) s"

TAMO_VM_SKIP_STATUS=77 TAMO_VM_PROGRAM_TIMEOUT=${TAMO_VM_PROGRAM_TIMEOUT:-420} \
    TAMO_VM_TIMEOUT=${TAMO_VM_TIMEOUT:-560} \
    exec "$here/run-vm-tests.sh" "$@" --host-root \
    --env "WINEPREFIX=$work/prefix" --env "WINEDEBUG=-all" \
    --env "WINEDLLOVERRIDES=$WINEDLLOVERRIDES" --env "TAMO_WINDOWS_PROGRAMS=$work/windows" \
    --env 'WINEQT_QPA_FONTDIR=Z:\usr\share\fonts\truetype\dejavu'
