# SPDX-License-Identifier: GPL-3.0-or-later
# Shared part of the mingw-w64 toolchain files: set TAMO_MINGW_TRIPLET before including it.
#
# Without Qt, everything below the window is built, linked statically. With
# -DTAMO_QT_MINGW_PREFIX=<prefix of a Qt for mingw-w64> (scripts/build-qt-mingw.sh prints one)
# the window, the demo and the scenario runner are built too, against that Qt's DLLs, and
# every executable then uses the mingw runtime DLLs as Qt does, so that one C++ runtime is
# loaded, not two.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${TAMO_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAMO_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TAMO_MINGW_TRIPLET}-windres)

# try_compile projects read this file again; they see only the variables listed here.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TAMO_MINGW_TRIPLET TAMO_QT_MINGW_PREFIX)

set(CMAKE_FIND_ROOT_PATH /usr/${TAMO_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The folders that hold the mingw runtime DLLs (libstdc++-6, libgcc_s_seh-1 or _dw2-1,
# libwinpthread-1).
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                OUTPUT_VARIABLE _tamo_libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
                OUTPUT_VARIABLE _tamo_winpthread OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(_tamo_libstdcxx "${_tamo_libstdcxx}" REALPATH)
get_filename_component(_tamo_winpthread "${_tamo_winpthread}" REALPATH)
get_filename_component(_tamo_gcc_runtime_dir "${_tamo_libstdcxx}" DIRECTORY)
get_filename_component(_tamo_pthread_runtime_dir "${_tamo_winpthread}" DIRECTORY)
set(TAMO_MINGW_RUNTIME_DIRS ${_tamo_gcc_runtime_dir} ${_tamo_pthread_runtime_dir})

if(TAMO_QT_MINGW_PREFIX)
    # As Qt's own qt.toolchain.cmake does: the Qt prefix is a root of the target's files, and
    # moc, rcc and uic come from the host's Qt of the same version.
    list(PREPEND CMAKE_FIND_ROOT_PATH ${TAMO_QT_MINGW_PREFIX})
    list(PREPEND CMAKE_PREFIX_PATH ${TAMO_QT_MINGW_PREFIX})
    set(QT_HOST_PATH /usr CACHE PATH "Prefix of the host's Qt (moc, rcc, uic)")
    if(NOT QT_HOST_PATH_CMAKE_DIR)
        file(GLOB _tamo_host_qt_dirs /usr/lib/*-linux-gnu*/cmake/Qt6CoreTools)
        list(GET _tamo_host_qt_dirs 0 _tamo_host_qt_dir)
        get_filename_component(_tamo_host_qt_dir "${_tamo_host_qt_dir}" DIRECTORY)
        set(QT_HOST_PATH_CMAKE_DIR ${_tamo_host_qt_dir} CACHE PATH "")
    endif()
else()
    # Self-contained executables: no mingw runtime DLLs to carry next to them, under Wine or
    # on a Windows machine.
    set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
endif()

# The host's nlohmann-json is header-only, but its package points at /usr/include, which must
# not come before the mingw headers; this package shows only the nlohmann directory.
set(nlohmann_json_DIR ${CMAKE_CURRENT_LIST_DIR}/cross CACHE PATH "")

# ctest runs the test executables under Wine, through a wrapper that finds the Qt and mingw
# runtime DLLs and hands QT_* variables over (Wine does not pass them on).
find_program(TAMO_WINE NAMES wine)
if(TAMO_WINE)
    set(_tamo_wine_path ${TAMO_MINGW_RUNTIME_DIRS})
    if(TAMO_QT_MINGW_PREFIX)
        list(PREPEND _tamo_wine_path ${TAMO_QT_MINGW_PREFIX}/bin)
    endif()
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
    foreach(_tamo_dir ${_tamo_wine_path})
        list(APPEND CMAKE_CROSSCOMPILING_EMULATOR --path ${_tamo_dir})
    endforeach()
    list(APPEND CMAKE_CROSSCOMPILING_EMULATOR --)
endif()
