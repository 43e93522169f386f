#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds everything and runs every test: the unit, GUI, scenario and
# real-kernel tests, the same tests under AddressSanitizer and UndefinedBehaviorSanitizer, the
# whole tool cross-built for Windows (Qt for mingw-w64 built once and cached) with its tests,
# every scenario, the tool itself and its zip and installer under Wine, the descriptor and
# settings-file fuzzers for a bounded time, and last the downloads of this commit in dist/
# with their checksums (scripts/release.sh --reuse).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-$(nproc)}

scripts/setup-debian.sh

echo "== build and test (build/)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAMO_BUILD_GUI=ON -DTAMO_WERROR=ON \
    >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== the Debian package, built and checked"
JOBS="$jobs" scripts/test-deb.sh

echo "== unit tests under ASan and UBSan (build-asan/)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAMO_SANITIZE=ON -DTAMO_BUILD_GUI=ON \
    -DTAMO_WERROR=ON >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs" -L 'unit|gui|scenario|rigs'

echo "== Windows: Qt for mingw-w64, the cross builds, their tests under Wine, the download"
windows_start=$SECONDS
JOBS="$jobs" scripts/test-windows.sh
echo "== Windows part took $((SECONDS - windows_start))s"

echo "== descriptor fuzzer"
scripts/run-fuzz.sh

# The downloads of this commit from what was just built, checked as a release is.
echo "== the downloads (scripts/release.sh --reuse)"
scripts/release.sh --reuse --allow-dirty
