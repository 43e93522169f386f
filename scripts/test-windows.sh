#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Windows, the whole tool, tested under Wine:
#  1. Qt for mingw-w64 from Debian's own source (scripts/build-qt-mingw.sh; cached after the
#     first run);
#  2. the cross builds: build-win64/ (64-bit: everything, the window included, against that
#     Qt) and build-win32/ (32-bit: everything below the window);
#  3. every test of both under Wine, in a fresh Wine prefix, through ctest: unit, Windows
#     platform, window tests and every scenario;
#  4. on a virtual display (Xvfb): tamo-config.exe over the real Windows backend, and a
#     screenshot of tamo-config-demo.exe with lamps lit;
#  5. the download: tamo-config-<version>-windows-x64.zip and the NSIS installer .exe in
#     build-win64/, each started in a fresh Wine prefix of its own (the zip unpacked, the
#     installer run silently, then uninstalled);
#  6. the unpacked download's tamo.exe and window under Wine in the kernel-test VM, over boards
#     its kernel makes (ctest -L wine in the Linux build/, when there is one).
# TAMO_WINE32=0 skips installing the 32-bit Wine loader; the 32-bit build is then only
# compiled, not run. Debian 12, as root.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-$(nproc)}
wine32=${TAMO_WINE32:-1}
phase_start=$SECONDS
phase() { echo "== [$((SECONDS - phase_start))s] $*"; }

source scripts/lib/packages.sh
packages=(cmake ninja-build googletest nlohmann-json3-dev mingw-w64 wine wine64 nsis
          xvfb x11-utils unzip qt6-l10n-tools qt6-translations-l10n)
phase "the Debian packages"
install_missing "${packages[@]}"
if [ "$wine32" = 1 ]; then
    if ! package_installed wine32:i386 && ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386
        _packages_updated=0 # the new architecture's lists
    fi
    # The 32-bit loader needs the i386 half of the archive in step with the amd64 half; a
    # mirror out of step costs the 32-bit run, not the whole test.
    if ! install_missing wine32:i386; then
        echo "WARNING: wine32:i386 cannot be installed from this archive now: the 32-bit build" \
             "is compiled but its tests are not run, nor the (32-bit) installer" >&2
        wine32=0
    fi
fi

phase "Qt for mingw-w64 (scripts/build-qt-mingw.sh)"
qt_prefix=$(JOBS="$jobs" scripts/build-qt-mingw.sh)

# GCC 12 warns falsely about string concatenation at -O3 (-Wrestrict), and warnings are
# errors here, so the cross builds use -O2.
phase "cross build for x86_64-w64-mingw32, the window included (build-win64/)"
cmake -S . -B build-win64 -G Ninja -DTAMO_BUILD_GUI=ON -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DTAMO_QT_MINGW_PREFIX="$qt_prefix" \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DTAMO_WERROR=ON >/dev/null
cmake --build build-win64 -j "$jobs"
phase "cross build for i686-w64-mingw32, below the window (build-win32/)"
cmake -S . -B build-win32 -G Ninja -DTAMO_BUILD_GUI=OFF -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake -DTAMO_WERROR=ON >/dev/null
cmake --build build-win32 -j "$jobs"

export WINEDEBUG=-all
# No Mono or Gecko: nothing here needs them, and their installers would ask.
export WINEDLLOVERRIDES="mscoree=;mshtml="
prefixes=()
xvfb_pid=""
cleanup() {
    for p in "${prefixes[@]}"; do WINEPREFIX=$p wineserver -k 2>/dev/null || true; done
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
# A new prefix stands in for a Windows machine. Debian's Wine does not load its own fonts
# (/usr/share/wine/fonts: Tahoma, MS Sans Serif, ...) into a new prefix; Windows has its
# equivalents, and the window's design font is MS Sans Serif, so they go into C:\windows\Fonts.
fresh_prefix() {
    rm -rf "$1"
    mkdir -p "$(dirname "$1")"
    WINEPREFIX=$1 wineboot -i >/dev/null 2>&1
    WINEPREFIX=$1 wineserver -w
    ln -sf /usr/share/wine/fonts/* "$1/drive_c/windows/Fonts/"
    prefixes+=("$1")
}
# Runs a program of build-win64/ under Wine as ctest does, with Qt's and the mingw runtime's
# DLLs on its search path.
wine_run=(cmake/wine-run.sh --path "$qt_prefix/bin")
for dll in libstdc++-6.dll libwinpthread-1.dll; do
    wine_run+=(--path "$(dirname "$(realpath "$(x86_64-w64-mingw32-g++-posix -print-file-name=$dll)")")")
done
wine_run+=(--)

export WINEPREFIX="$PWD/build-wine/prefix"
phase "fresh Wine prefix ($WINEPREFIX)"
fresh_prefix "$WINEPREFIX"

phase "64-bit tests under Wine: unit, Windows platform, window, scenarios"
ctest --test-dir build-win64 --output-on-failure -j "$jobs"
if [ "$wine32" = 1 ]; then
    phase "32-bit tests under Wine"
    ctest --test-dir build-win32 --output-on-failure -j "$jobs"
else
    phase "32-bit tests not run (no 32-bit Wine: TAMO_WINE32=0 or not installable): built only"
fi

# Every scenario once more, its output compared line by line with the Linux build's (when
# build/ has one, as in scripts/test-all.sh).
phase "every scenario in tests/scenarios under Wine, compared with Linux"
count=0 same=0
for scenario in tests/scenarios/*.scn; do
    count=$((count + 1))
    wine_out=$("${wine_run[@]}" build-win64/rigs/tamo-scenario.exe "$scenario" 2>/dev/null |
               tr -d '\r' || true)
    echo "   $(basename "$scenario"): ${wine_out##*$'\n'}"
    case ${wine_out##*$'\n'} in
    *" passed, 0 failed") ;;
    *) echo "FAIL: $scenario under Wine" >&2; echo "$wine_out" >&2; exit 1 ;;
    esac
    if [ -x build/rigs/tamo-scenario ]; then
        linux_out=$(QT_QPA_PLATFORM=offscreen build/rigs/tamo-scenario "$scenario" 2>/dev/null ||
                    true)
        if [ "$wine_out" != "$linux_out" ]; then
            echo "FAIL: $scenario prints other lines under Wine than on Linux" >&2
            diff <(echo "$linux_out") <(echo "$wine_out") >&2 || true
            exit 1
        fi
        same=$((same + 1))
    fi
done
if [ -x build/rigs/tamo-scenario ]; then
    echo "   $count scenarios passed under Wine; $same of them print the very lines they print on Linux"
else
    echo "   $count scenarios passed under Wine (no Linux build/ to compare with)"
fi

# A virtual display of the size of the Linux screenshot in docs/.
mkdir -p build-wine
rm -f build-wine/display
Xvfb -displayfd 5 -screen 0 1240x660x24 -nolisten tcp 5>build-wine/display 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s build-wine/display ] && break; sleep 0.1; done
export DISPLAY=":$(cat build-wine/display)"

# Closes a window as its close box does (WM_CLOSE); Wine's taskkill does not find the tool.
x86_64-w64-mingw32-gcc-posix -O2 -Wall -municode -static scripts/wine/close-window.c \
    -o build-wine/close-window.exe
closer=build-wine/close-window.exe

title="Tamo - micro Velbrin"
window_shown() { xwininfo -root -tree 2>/dev/null | grep -qF "\"$title\""; }
# Starts a tamo-config.exe, waits for its window, lets it run, closes it and checks that it
# ended by itself with status 0.   run_and_close LOG COMMAND...
run_and_close() {
    local log=$1 pid shown=0 status=0
    shift
    "$@" >"$log" 2>&1 &
    pid=$!
    for _ in $(seq 300); do
        if window_shown; then shown=1; break; fi
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if [ $shown = 0 ]; then
        echo "FAIL: no window \"$title\" from $*" >&2
        tail -20 "$log" >&2
        return 1
    fi
    sleep "${TAMO_RUN_SECONDS:-3}"
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "FAIL: $* ended by itself" >&2
        return 1
    fi
    WINEDEBUG=-all wine "$closer" "$title"
    wait "$pid" || status=$?
    if [ $status -ne 0 ]; then
        echo "FAIL: $* exited with status $status" >&2
        return 1
    fi
}

phase "tamo-config.exe over the real Windows backend, on Xvfb"
# Wine's file and hid traces show every device the scan opens and every attribute read.
WINEDEBUG=trace+file,trace+hid run_and_close build-wine/tamo-config.log \
    "${wine_run[@]}" build-win64/app/tamo-config.exe
devices=$(grep -o 'trace:file:CreateFileW L"[^"]*hid#[^"]*"' build-wine/tamo-config.log |
          sed 's/.*hid#\([^#]*\)#.*/\1/' | sort | uniq -c)
if [ -z "$devices" ]; then
    echo "FAIL: tamo-config.exe opened none of Wine's HID devices" >&2
    exit 1
fi
echo "$devices" | while read -r opens device; do
    echo "   Wine's HID device $device: opened $opens times in the run, as foreign"
    if [ "$opens" -lt 10 ]; then
        echo "FAIL: tamo-config.exe stopped scanning" >&2
        exit 1
    fi
done
attributes=$(grep -c 'trace:hid:HidD_GetAttributes' build-wine/tamo-config.log || true)
# A board would be opened a second time for overlapped reads (FILE_FLAG_OVERLAPPED).
if grep 'trace:file:CreateFileW L"[^"]*hid#' build-wine/tamo-config.log |
        grep -q 'attributes 0x40000000'; then
    echo "FAIL: tamo-config.exe took one of Wine's devices for a board" >&2
    exit 1
fi
echo "   attributes read $attributes times; no device opened as a board; closed with status 0"

phase "screenshot of tamo-config-demo.exe under Wine (build-win64/tamo-config-demo-wine.png)"
rm -f build-win64/tamo-config-demo-wine.png
"${wine_run[@]}" build-win64/app/tamo-config-demo.exe --press 1,8,12,17,24,32 \
    --screenshot "Z:$(printf '%s' "$PWD/build-win64/tamo-config-demo-wine.png" | tr / '\\')" \
    >build-wine/demo.log 2>&1
test -s build-win64/tamo-config-demo-wine.png

phase "the download: zip and installer (cpack in build-win64/)"
(cd build-win64 && cpack >cpack.log 2>&1) || { cat build-win64/cpack.log; exit 1; }
version=$(cat build-win64/tamo-version.txt)
zip=build-win64/tamo-config-$version-windows-x64.zip
installer=build-win64/tamo-config-$version-windows-x64.exe
ls -l "$zip" "$installer" | sed 's/^/   /'

export WINEPREFIX="$PWD/build-wine/download"
phase "the zip, unpacked into a fresh Wine prefix ($WINEPREFIX), started from there"
fresh_prefix "$WINEPREFIX"
unzip -q "$zip" -d "$WINEPREFIX/drive_c"
unpacked="$WINEPREFIX/drive_c/tamo-config-$version-windows-x64"
cp build-wine/close-window.exe "$WINEPREFIX/drive_c/"
closer='C:\close-window.exe'
cp "$installer" "$WINEPREFIX/drive_c/"
# Nothing on the DLL path but the folder itself, and no way to the build machine's files: the
# prefix's drive Z: (the Unix root) goes away.
rm "$WINEPREFIX/dosdevices/z:"
repo=$PWD
(cd "$unpacked" && WINEPATH="" run_and_close "$repo/build-wine/zip.log" \
    wine 'C:\tamo-config-'"$version"'-windows-x64\tamo-config.exe')
echo "   started from C:\\tamo-config-$version-windows-x64 and closed with status 0"

# NSIS installers are 32-bit programs: without the 32-bit loader the installer is built, not run.
if [ "$wine32" = 1 ]; then
    phase "the installer, run silently (/S) in the same prefix, and the installed tool started"
    (cd "$WINEPREFIX/drive_c" && WINEPATH="" wine 'C:\'"$(basename "$installer")" /S)
    wineserver -w
    installed_dir="$WINEPREFIX/drive_c/Program Files/tamo-config"
    for file in tamo-config.exe tamo-config-demo.exe Uninstall.exe Qt6Widgets.dll \
                platforms/qwindows.dll LICENSE.txt; do
        test -f "$installed_dir/$file" || { echo "FAIL: the installer left no $file" >&2; exit 1; }
    done
    menu=$(find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/tamo-config/tamo-config.lnk')
    test -n "$menu" || { echo "FAIL: no Start-menu entry" >&2; exit 1; }
    echo "   Start-menu entry: C:/${menu#"$WINEPREFIX/drive_c/"}"
    (cd "$installed_dir" && WINEPATH="" run_and_close "$repo/build-wine/installed.log" \
        wine 'C:\Program Files\tamo-config\tamo-config.exe')
    echo "   the installed tool started and closed with status 0"
    (cd "$WINEPREFIX/drive_c" && wine 'C:\Program Files\tamo-config\Uninstall.exe' /S)
    wineserver -w
    for _ in $(seq 100); do [ -e "$installed_dir/tamo-config.exe" ] || break; sleep 0.1; done
    if [ -e "$installed_dir/tamo-config.exe" ] || [ -e "$menu" ]; then
        echo "FAIL: the uninstaller left the tool or its Start-menu entry" >&2
        exit 1
    fi
    echo "   uninstalled silently: the tool and its Start-menu entry are gone"
else
    echo "WARNING: no 32-bit Wine: the installer $(basename "$installer") is built but not run" >&2
fi
# Wine's HID class driver hands a hidraw node to Windows programs; only a kernel that makes
# boards (uhid, gadgetfs) gives it one: the VM of the kernel tests, running Wine from here.
phase "tamo.exe and the window over boards a kernel made: Wine in the kernel VM"
if [ -x build/tests/kernel/tamo_wine_kernel_tests ]; then
    rm -rf build-wine/vm-download
    unzip -q "$zip" -d build-wine/vm-download
    TAMO_WINDOWS_PROGRAMS="$PWD/build-wine/vm-download/tamo-config-$version-windows-x64" \
        TAMO_WINDOWS_EXTRA="$PWD/build-win64/tests/windows/tamo-window-check.exe
                            $qt_prefix/plugins/platforms/qoffscreen.dll" \
        ctest --test-dir build -L wine --output-on-failure
else
    echo "   not run: no Linux build in build/ (scripts/test-all.sh makes it first)"
fi
phase "Windows done"
