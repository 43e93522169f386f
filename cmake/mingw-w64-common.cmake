# Shared part of the mingw-w64 toolchain files: set TAMO_MINGW_TRIPLET before including it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${TAMO_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAMO_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TAMO_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TAMO_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained executables: no mingw runtime DLLs to carry next to them, under Wine or on a
# Windows machine.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# The host's nlohmann-json is header-only, but its package points at /usr/include, which must
# not come before the mingw headers; this package shows only the nlohmann directory.
set(nlohmann_json_DIR ${CMAKE_CURRENT_LIST_DIR}/cross CACHE PATH "")

# ctest runs the test executables under Wine.
find_program(TAMO_WINE NAMES wine)
if(TAMO_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TAMO_WINE})
endif()
