#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from build/ and checks it as a user's machine would take it:
# lintian without errors, the desktop entry and AppStream metainfo valid, its dependencies
# resolvable from Debian's archive, and the package installed into a throwaway root with its
# files where udev and the desktop look for them.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-$(nproc)}

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAMO_BUILD_GUI=ON -DTAMO_WERROR=ON \
    >/dev/null
cmake --build build -j "$jobs"
rm -rf build/deb-out
cpack --config build/CPackConfig.cmake -B build/deb-out >/dev/null

version=$(cat build/tamo-version.txt)
release=$(sed -n 's/^project(tamo-config VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
arch=$(dpkg --print-architecture)
deb=build/deb-out/tamo-config_${version}_${arch}.deb
[ -f "$deb" ] || { echo "test-deb: no $deb; cpack made: $(ls build/deb-out)" >&2; exit 1; }
echo "test-deb: built $deb ($(du -k "$deb" | cut -f1) KiB)"

fail() { echo "test-deb: FAIL: $*" >&2; exit 1; }

# A new version needs its own entry in NEWS.md, from which the AppStream releases are made.
grep -q "^## \[$release\] - " NEWS.md || fail "NEWS.md has no entry for $release"
grep -q "<release version=\"$release\"" build/packaging/io.github.tamo_config.tamo_config.metainfo.xml \
    || fail "the metainfo has no release $release"

echo "== lintian"
lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian reports errors"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

echo "== the control file"
dpkg-deb --field "$deb" Package Version Architecture Depends Recommends
depends=$(dpkg-deb --field "$deb" Depends)
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libc6 libstdc++6; do
    grep -q "\b$lib\b" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
control=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t)
for script in ./postinst ./postrm; do
    grep -qx "$script" <<<"$control" || fail "no $script"
done

echo "== installed into a throwaway root"
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
# The root holds no libraries, so dependencies are not checked here but against the archive
# below; the maintainer scripts see DPKG_ROOT and leave the host's udev alone.
dpkg --root="$root" --force-script-chrootless --force-depends --log=/dev/null -i "$deb" \
    >"$root.dpkg.log" 2>&1 || { cat "$root.dpkg.log"; fail "dpkg cannot install it"; }
rm -f "$root.dpkg.log"
# Whole outputs are captured before grep -q looks at them: with pipefail, a writer cut off by
# grep's early exit would fail the check.
status=$(dpkg-query --root="$root" -W -f='${Status}' tamo-config)
[ "$status" = "install ok installed" ] || fail "dpkg lists the package as '$status'"
for f in \
    usr/bin/tamo-config usr/bin/tamo-config-demo usr/bin/tamo \
    usr/lib/udev/rules.d/70-tamo.rules \
    usr/share/applications/tamo-config.desktop \
    usr/share/metainfo/io.github.tamo_config.tamo_config.metainfo.xml \
    usr/share/icons/hicolor/16x16/apps/tamo-config.png \
    usr/share/icons/hicolor/32x32/apps/tamo-config.png \
    usr/share/icons/hicolor/scalable/apps/tamo-config.svg \
    usr/share/doc/tamo-config/copyright usr/share/doc/tamo-config/changelog.gz \
    usr/share/man/man1/tamo-config.1.gz usr/share/man/man1/tamo.1.gz; do
    [ -f "$root/$f" ] || fail "/$f is not installed"
done
owned=$(dpkg --root="$root" -L tamo-config)
grep -qx /usr/lib/udev/rules.d/70-tamo.rules <<<"$owned" || fail "dpkg does not own the udev rule"
grep -q 'TAG+="uaccess"' "$root/usr/lib/udev/rules.d/70-tamo.rules" || fail "rule without uaccess"
for tool in tamo-config tamo-config-demo tamo; do
    libraries=$(ldd "$root/usr/bin/$tool")
    ! grep 'not found' <<<"$libraries" || fail "$tool needs libraries this machine lacks"
done

# The installed window starts and draws itself (over virtual boards, with no display).
QT_QPA_PLATFORM=offscreen timeout 60 "$root/usr/bin/tamo-config-demo" --screenshot "$root.png" \
    >/dev/null 2>&1 || fail "the installed tamo-config-demo did not start and draw"
[ -s "$root.png" ] || fail "the installed tamo-config-demo drew nothing"
rm -f "$root.png"
help=$("$root/usr/bin/tamo" --help) || fail "the installed tamo --help failed"
grep -q '^  selftest ' <<<"$help" || fail "the installed tamo does not list its commands"
[ "$("$root/usr/bin/tamo" --version)" = "tamo $version" ] || fail "the installed tamo is not $version"

echo "== desktop entry and AppStream metainfo"
desktop-file-validate "$root/usr/share/applications/tamo-config.desktop"
[ -z "$(desktop-file-validate "$root/usr/share/applications/tamo-config.desktop")" ] \
    || fail "desktop-file-validate has remarks"
appstreamcli validate --no-net --pedantic \
    "$root/usr/share/metainfo/io.github.tamo_config.tamo_config.metainfo.xml"
# The metainfo, the desktop entry and the icon as a software centre finds them together.
appstreamcli validate-tree --no-net "$root"

echo "== dependencies resolvable from the archive"
apt-get install --simulate "./$deb" >"$root.apt.log" 2>&1 || { cat "$root.apt.log"; fail "apt cannot install it"; }
rm -f "$root.apt.log"

echo "test-deb: $deb passed"
