#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes every download of this commit in dist/: the Windows zip and installer, the Debian
# package, the source tarball, and SHA256SUMS over them, then checks them
# (scripts/check-release.sh).
#
#   scripts/release.sh                  from a clean checkout: runs the README's test command,
#                                       which builds everything, then collects the downloads
#   scripts/release.sh --reuse          takes the downloads that command has just made for
#                                       this very commit, without building again
#   scripts/release.sh --allow-dirty    with uncommitted changes (a trial, not a release)
#
# The packaging is told SOURCE_DATE_EPOCH (the commit's time), so the tarball, the .deb and
# whatever else honours it come out the same on every run of the same commit.
set -euo pipefail
cd "$(dirname "$0")/.."
reuse=0
allow_dirty=0
for arg in "$@"; do
    case $arg in
    --reuse) reuse=1 ;;
    --allow-dirty) allow_dirty=1 ;;
    *) echo "usage: scripts/release.sh [--reuse] [--allow-dirty]" >&2; exit 2 ;;
    esac
done
fail() { echo "release: $*" >&2; exit 1; }
start=$SECONDS

if [ $allow_dirty = 0 ] && [ -n "$(git status --porcelain)" ]; then
    git status --short >&2
    fail "the tree has uncommitted changes: commit them, or pass --allow-dirty for a trial"
fi
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH
[ $reuse = 1 ] || scripts/test-all.sh

# What the builds say they are; both must be this commit.
cmake -S . -B build >/dev/null
version=$(cat build/tamo-version.txt)
[ -f build-win64/tamo-version.txt ] || fail "no Windows build in build-win64/: run without --reuse"
cmake -S . -B build-win64 >/dev/null
[ "$(cat build-win64/tamo-version.txt)" = "$version" ] \
    || fail "build-win64/ is of $(cat build-win64/tamo-version.txt), not $version: run without --reuse"

# Packaged again from the builds just tested, now with SOURCE_DATE_EPOCH, so that a commit
# gives the same files on every run where the packagers honour it.
cpack --config build/CPackConfig.cmake -B build/deb-out >/dev/null
(cd build-win64 && cpack >cpack.log 2>&1) || { cat build-win64/cpack.log; fail "cpack failed in build-win64/"; }

arch=$(dpkg --print-architecture)
deb=build/deb-out/tamo-config_${version}_${arch}.deb
zip=build-win64/tamo-config-$version-windows-x64.zip
installer=build-win64/tamo-config-$version-windows-x64.exe
for file in "$deb" "$zip" "$installer"; do
    [ -f "$file" ] || fail "$file is missing: run without --reuse"
done

rm -rf dist
mkdir dist
cp "$deb" "$zip" "$installer" dist/
# git archive gives every file the commit's time; gzip -n leaves out a name and a time of its own.
git archive --format=tar --prefix="tamo-config-$version/" HEAD | gzip -9n >"dist/tamo-config-$version.tar.gz"
(cd dist && sha256sum -- *.deb *.zip *.exe *.tar.gz >SHA256SUMS)

scripts/check-release.sh dist "$version"
echo "release: dist/ for tamo-config $version, in $((SECONDS - start)) s:"
ls -l dist
