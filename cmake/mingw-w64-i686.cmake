# SPDX-License-Identifier: GPL-3.0-or-later
# 32-bit Windows executables with Debian's mingw-w64 (posix thread model).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TAMO_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
