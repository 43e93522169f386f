#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks a dist/ folder that scripts/release.sh made: every file that SHA256SUMS names is there
# and matches it, and nothing else is; each download's name, the .deb's control file, tamo
# --version and the source tarball all give one version; NEWS.md's newest release is the
# project's, and the AppStream releases the package carries are NEWS.md's.
#   scripts/check-release.sh DIST VERSION
set -euo pipefail
cd "$(dirname "$0")/.."
dist=${1:?usage: check-release.sh DIST VERSION}
version=${2:?usage: check-release.sh DIST VERSION}
fail() { echo "check-release: FAIL: $*" >&2; exit 1; }

(cd "$dist" && sha256sum --check --strict --quiet SHA256SUMS) || fail "SHA256SUMS does not match"
named=$(awk '{print $2}' "$dist/SHA256SUMS" | sed 's/^\*//' | sort)
present=$(cd "$dist" && ls | grep -vx SHA256SUMS | sort)
[ "$named" = "$present" ] || fail "SHA256SUMS names '$named', the folder holds '$present'"
[ "$(wc -l <<<"$named")" = 4 ] || fail "four downloads expected, found: $named"

arch=$(dpkg --print-architecture)
for file in "tamo-config_${version}_${arch}.deb" "tamo-config-$version-windows-x64.zip" \
    "tamo-config-$version-windows-x64.exe" "tamo-config-$version.tar.gz"; do
    [ -f "$dist/$file" ] || fail "no $file: the downloads' names do not all say $version"
done
deb_version=$(dpkg-deb --field "$dist/tamo-config_${version}_${arch}.deb" Version)
[ "$deb_version" = "$version" ] || fail "the .deb's control file says $deb_version"
tamo_version=$(build/cli/tamo --version)
[ "$tamo_version" = "tamo $version" ] || fail "tamo --version says '$tamo_version'"
# Whole outputs are captured before they are looked at: with pipefail, a writer cut off by an
# early reader (grep -q, head) would fail the check.
readme=$(unzip -p "$dist/tamo-config-$version-windows-x64.zip" \
    "tamo-config-$version-windows-x64/README.txt" | tr -d '\r')
[ "$(head -1 <<<"$readme")" = "tamo-config $version for Windows (64-bit)" ] \
    || fail "the zip's README.txt says '$(head -1 <<<"$readme")'"
sources=$(tar -tzf "$dist/tamo-config-$version.tar.gz")
grep -qx "tamo-config-$version/NEWS.md" <<<"$sources" \
    || fail "the source tarball has no tamo-config-$version/NEWS.md"

# NEWS.md and the metainfo the package installs.
release=$(sed -n 's/^project(tamo-config VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
news=$(sed -n 's/^## \[\([0-9.]*\)\] - \([0-9-]*\)$/\1 \2/p' NEWS.md)
[ "$(head -1 <<<"$news" | cut -d' ' -f1)" = "$release" ] \
    || fail "NEWS.md's newest release is not $release"
metainfo=$(dpkg-deb --fsys-tarfile "$dist/tamo-config_${version}_${arch}.deb" \
    | tar -xO ./usr/share/metainfo/io.github.tamo_config.tamo_config.metainfo.xml)
releases=$(sed -n 's/.*<release version="\([0-9.]*\)" date="\([0-9-]*\)">.*/\1 \2/p' <<<"$metainfo")
[ "$releases" = "$news" ] || fail "the metainfo's releases ($releases) are not NEWS.md's ($news)"
case $version in
"$release" | "$release"+*) ;;
*) fail "version $version is not of release $release" ;;
esac
echo "check-release: $dist holds tamo-config $version, each file as SHA256SUMS says; NEWS.md and the metainfo agree"
