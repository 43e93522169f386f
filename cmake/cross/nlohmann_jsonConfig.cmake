# SPDX-License-Identifier: GPL-3.0-or-later
# nlohmann-json for a cross build: the host's header-only library, seen through a directory
# that holds nothing but its headers.
if(NOT TARGET nlohmann_json::nlohmann_json)
    set(_tamo_json_root ${CMAKE_BINARY_DIR}/cross-include)
    if(NOT EXISTS ${_tamo_json_root}/nlohmann)
        file(MAKE_DIRECTORY ${_tamo_json_root})
        file(CREATE_LINK /usr/include/nlohmann ${_tamo_json_root}/nlohmann SYMBOLIC)
    endif()
    add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED GLOBAL)
    set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
        INTERFACE_INCLUDE_DIRECTORIES ${_tamo_json_root})
    unset(_tamo_json_root)
endif()
set(nlohmann_json_FOUND TRUE)
