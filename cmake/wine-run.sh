#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program under Wine as ctest's emulator for the mingw-w64 builds:
#   wine-run.sh [--path DIR]... -- PROGRAM [ARGUMENTS...]
# Each DIR (a Unix folder: Qt's bin, the mingw runtime) goes on the program's search path for
# DLLs. Wine does not pass environment variables whose names start with QT_ to a Windows
# program; a WINEQT_... variable arrives as QT_..., so each QT_ variable is passed that way.
# Qt's offscreen platform on Windows looks for fonts only in its own folder: unless told
# otherwise it gets DejaVu's.
set -eu
winepath=""
while [ $# -gt 0 ]; do
    case $1 in
    --path) winepath="${winepath:+$winepath;}Z:$(printf '%s' "$2" | tr / '\\')"; shift 2 ;;
    --) shift; break ;;
    *) break ;;
    esac
done
if [ -n "$winepath" ]; then
    WINEPATH="$winepath${WINEPATH:+;$WINEPATH}"
    export WINEPATH
fi
for name in $(env | sed -n 's/^\(QT_[A-Za-z0-9_]*\)=.*/\1/p'); do
    eval "export WINE$name=\"\$$name\""
done
if [ -z "${WINEQT_QPA_FONTDIR:-}" ] && [ -d /usr/share/fonts/truetype/dejavu ]; then
    export WINEQT_QPA_FONTDIR='Z:\usr\share\fonts\truetype\dejavu'
fi
exec wine "$@"
