#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds Qt (qtbase only) for 64-bit Windows from Debian's own qt6-base source, with
# Debian's mingw-w64 (posix) and Debian's qt6-base-dev-tools as the host tools. Shared,
# release, only what tamo-config loads: Core, Gui, Widgets, the windows and offscreen platform
# plugins, the Windows styles.
#
# The result is cached under $TAMO_QT_CACHE (default /var/cache/tamo-config), in a folder
# named after the Qt source version and a hash of everything that shapes the build (the
# options below, the toolchain file, the compiler's version), so a later run returns at
# once. Prints the installed prefix as the last line on stdout; everything else goes to
# stderr. Debian 12, as root (or with sudo for the packages).
#
#   scripts/build-qt-mingw.sh            build if not cached, print the prefix
#   scripts/build-qt-mingw.sh --check    print the prefix if cached, else exit 1
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
jobs=${JOBS:-$(nproc)}
cache_root=${TAMO_QT_CACHE:-/var/cache/tamo-config}
log() { echo "qt-mingw: $*" >&2; }

source scripts/lib/packages.sh

# What shapes the build. Everything here goes into the cache key.
configure_options=(
    -release -shared -xplatform win32-g++
    -nomake tests -nomake examples
    -no-pkg-config -no-icu -no-opengl -no-dbus -no-zstd -no-libjpeg
    -qt-zlib -qt-pcre -qt-libpng -qt-freetype -qt-harfbuzz -qt-doubleconversion
    # Not used by the tool.
    -no-feature-network -no-feature-sql -no-feature-xml -no-feature-concurrent
    -no-feature-testlib -no-feature-printsupport -no-feature-vulkan
    -no-feature-printer -no-feature-printdialog -no-feature-printpreviewdialog
    -no-feature-printpreviewwidget
    # Debian's dfsg tarball has no src/3rdparty/wintab, which the tablet support needs.
    -no-feature-tabletevent
    # Direct2D is not needed. In 6.4.2, direct2d off with directwrite3 on fails at the
    # last link (qwindows.dll: undefined QWindowsDirectWriteFontDatabase), so both go; the
    # windows plugin then draws text with its GDI font engine.
    -no-feature-direct2d -no-feature-directwrite3
)
toolchain_src=$repo/cmake/qt-mingw-w64-x86_64.cmake

packages=(dpkg-dev perl cmake ninja-build qt6-base-dev qt6-base-dev-tools
          g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64)

check_only=0
[ "${1:-}" = --check ] && check_only=1

if [ $check_only = 1 ]; then
    [ -z "$(missing_packages "${packages[@]}")" ] || exit 1
else
    install_missing "${packages[@]}"
fi

# The Qt source must be the very version of the host tools (-qt-host-path requires it).
qt_deb_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev-tools)
qt_version=${qt_deb_version%%+*}
qt_version=${qt_version%%-*}
gcc_version=$(x86_64-w64-mingw32-g++-posix -dumpfullversion)
key_text=$(printf '%s\n' "$qt_deb_version" "$gcc_version" "${configure_options[@]}"; cat "$toolchain_src")
key=$(printf '%s' "$key_text" | sha256sum | cut -c1-12)
name=qt-$qt_deb_version-mingw64-$key
dest=$cache_root/$name
prefix=$dest/prefix

if [ -f "$dest/complete" ]; then
    log "cached: $prefix"
    echo "$prefix"
    exit 0
fi
[ $check_only = 1 ] && exit 1

as_root mkdir -p "$cache_root"
[ -w "$cache_root" ] || as_root chown "$(id -u):$(id -g)" "$cache_root"
# One build at a time: a second run waits for the first and then finds it cached.
exec 9>"$cache_root/.qt-mingw.lock"
flock 9
if [ -f "$dest/complete" ]; then
    log "cached (built by a concurrent run): $prefix"
    echo "$prefix"
    exit 0
fi

# A deb-src entry for the archive and suite that the machine's apt sources already name,
# if none gives the source yet.
if ! apt-cache showsrc qt6-base 2>/dev/null | grep -q "^Version: $qt_deb_version\$"; then
    entry=/etc/apt/sources.list.d/tamo-deb-src.sources
    log "adding deb-src entries ($entry)"
    apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' 'Identifier: Packages' |
        sort -u | while read -r uri suite component; do
            printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: %s\n' "$uri" "$suite" "$component"
            [ -f /usr/share/keyrings/debian-archive-keyring.gpg ] &&
                printf 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg\n'
            printf '\n'
        done | as_root tee "$entry" >/dev/null
    # An index of another architecture caught mid-sync must not cost the source lists.
    update_lists
fi

work=${TAMO_QT_WORK:-/var/tmp/tamo-qt-mingw}
log "building Qt $qt_deb_version for x86_64-w64-mingw32 in $work (log: $work/build.log)"
# A fresh folder each time: configure does not change a feature cached by an earlier run.
rm -rf "$work" "$dest.partial"
mkdir -p "$work/src" "$work/build"
start=$SECONDS
(cd "$work/src" && apt-get source -qq "qt6-base=$qt_deb_version" >"$work/source.log" 2>&1) ||
    { tail -20 "$work/source.log" >&2; exit 1; }
src=$(find "$work/src" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -1)
log "source: $(basename "$src") ($((SECONDS - start))s)"

mkdir -p "$dest.partial"
cp "$toolchain_src" "$dest.partial/toolchain.cmake"
printf '%s\n' "$key_text" >"$dest.partial/options.txt"

status=0
(
    set -e
    cd "$work/build"
    nice -n 10 "$src/configure" -prefix "$prefix" -qt-host-path /usr "${configure_options[@]}" \
        -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$dest.partial/toolchain.cmake" \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    log "configured at $((SECONDS - start))s; compiling"
    nice -n 10 cmake --build . --parallel "$jobs"
    # The prefix baked into Qt is the final folder; install into the partial one.
    DESTDIR="$work/stage" cmake --install .
) >"$work/build.log" 2>&1 || status=$?
if [ $status -ne 0 ]; then
    grep -E 'error|Error|ERROR' "$work/build.log" | grep -v Werror | head -20 >&2 || true
    tail -30 "$work/build.log" >&2
    log "FAILED after $((SECONDS - start))s; the build is left in $work"
    exit 1
fi
mv "$work/stage$prefix" "$dest.partial/prefix"
# qt.toolchain.cmake points at the toolchain file by the partial folder's name.
grep -rlI "$dest.partial" "$dest.partial/prefix" | while read -r f; do
    sed -i "s|$dest.partial|$dest|g" "$f"
done
# Qt's licence texts, for whoever ships its DLLs.
mkdir -p "$dest.partial/licenses"
for f in "$src"/LICENSE* "$src"/LICENSES/*; do
    [ -f "$f" ] && cp "$f" "$dest.partial/licenses/"
done
cp "$src/debian/copyright" "$dest.partial/licenses/debian-copyright"
printf 'Qt %s (Debian source %s) for x86_64-w64-mingw32, built in %ss on %s cores\n' \
    "$qt_version" "$qt_deb_version" "$((SECONDS - start))" "$jobs" >"$dest.partial/complete"
mv "$dest.partial" "$dest"
rm -rf "$work"
log "built and cached in $((SECONDS - start))s: $prefix"
echo "$prefix"
