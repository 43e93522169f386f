#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the tool and starts it: over the boards attached to this machine when one of the
# family is there, otherwise the demo over virtual boards. Needs a display (xvfb-run works).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAMO_BUILD_GUI=ON >/dev/null
cmake --build build -j "$(nproc)" --target tamo-config tamo-config-demo tamo
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "run-demo: no display; run it as: xvfb-run -a scripts/run-demo.sh" >&2
    exit 1
fi
# tamo list exits 0 only when a board of the family can be opened; when one is attached but
# closed to this user it says why and how to fix it, and the demo starts instead.
if [ "${1:-}" != "--demo" ] && build/cli/tamo list; then
    exec build/app/tamo-config
fi
exec build/app/tamo-config-demo
