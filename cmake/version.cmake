# SPDX-License-Identifier: GPL-3.0-or-later
# The one version: project(VERSION) names the release; a build of any other commit than the
# release's tag v<version> adds the commit as git describe names it, after a '+' (SemVer's build
# metadata, and for dpkg a version after the release's): 0.2.0+12.gabc1234 is 12 commits after
# v0.2.0, 0.2.0+gabc1234 a commit before the tag exists. A build outside git says so.
#   TAMO_VERSION       what every program, file name and package shows
#   TAMO_VERSION_TEXT  the same, or "<version> (unknown commit)" outside git
# Both go into <build>/generated/tamo_version.h, and TAMO_VERSION into <build>/tamo-version.txt
# for the scripts. A new commit configures the build again.
find_package(Git QUIET)
set(_tamo_commit "")
if(GIT_FOUND AND EXISTS "${PROJECT_SOURCE_DIR}/.git")
    execute_process(COMMAND ${GIT_EXECUTABLE} describe --tags --long --match "v${PROJECT_VERSION}"
                    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} RESULT_VARIABLE _tamo_tagged
                    OUTPUT_VARIABLE _tamo_describe OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(_tamo_tagged EQUAL 0 AND _tamo_describe MATCHES "^v[^-]+-([0-9]+)-(g[0-9a-f]+)$")
        if(NOT CMAKE_MATCH_1 EQUAL 0)
            set(_tamo_commit "+${CMAKE_MATCH_1}.${CMAKE_MATCH_2}")
        endif()
    else()
        execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --short=7 HEAD
                        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} RESULT_VARIABLE _tamo_has_head
                        OUTPUT_VARIABLE _tamo_head OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        if(_tamo_has_head EQUAL 0)
            set(_tamo_commit "+g${_tamo_head}")
        endif()
    endif()
    # HEAD names a branch whose file moves with each commit, or a commit itself. (In a linked
    # work tree .git is a file; such a build is configured again by hand.)
    if(IS_DIRECTORY "${PROJECT_SOURCE_DIR}/.git")
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                     "${PROJECT_SOURCE_DIR}/.git/HEAD")
        file(READ "${PROJECT_SOURCE_DIR}/.git/HEAD" _tamo_head_file)
        if(_tamo_head_file MATCHES "^ref: ([^\n]+)")
            set(_tamo_ref "${PROJECT_SOURCE_DIR}/.git/${CMAKE_MATCH_1}")
            if(EXISTS "${_tamo_ref}")
                set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${_tamo_ref}")
            endif()
        endif()
    endif()
    set(TAMO_VERSION "${PROJECT_VERSION}${_tamo_commit}")
    set(TAMO_VERSION_TEXT "${TAMO_VERSION}")
else()
    set(TAMO_VERSION "${PROJECT_VERSION}")
    set(TAMO_VERSION_TEXT "${PROJECT_VERSION} (unknown commit)")
endif()
message(STATUS "tamo-config ${TAMO_VERSION_TEXT}")

configure_file(${CMAKE_CURRENT_LIST_DIR}/tamo_version.h.in
               ${CMAKE_BINARY_DIR}/generated/tamo_version.h @ONLY)
file(WRITE ${CMAKE_BINARY_DIR}/tamo-version.txt "${TAMO_VERSION}\n")
add_library(tamo_version INTERFACE)
target_include_directories(tamo_version INTERFACE ${CMAKE_BINARY_DIR}/generated)
