# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: tamo-config_<version>_<arch>.deb, built by `cpack -G DEB`. Dependencies
# come from the binaries (dpkg-shlibdeps); the licence, changelog and maintainer scripts from
# this folder.
set(TAMO_PACKAGE_MAINTAINER "The tamo-config developers <tamo-config@users.noreply.github.com>"
    CACHE STRING "Maintainer field of the Debian package")

set(_tamo_deb_dir ${CMAKE_CURRENT_BINARY_DIR}/deb)
file(MAKE_DIRECTORY ${_tamo_deb_dir})
configure_file(${CMAKE_CURRENT_LIST_DIR}/postinst.in ${_tamo_deb_dir}/postinst @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE)
configure_file(${CMAKE_CURRENT_LIST_DIR}/postrm.in ${_tamo_deb_dir}/postrm @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog ${_tamo_deb_dir}/changelog @ONLY)
# Debian wants the changelog compressed at the highest level and without a timestamp.
add_custom_command(OUTPUT ${_tamo_deb_dir}/changelog.gz
                   COMMAND gzip -9nc changelog > changelog.gz
                   DEPENDS ${_tamo_deb_dir}/changelog
                   WORKING_DIRECTORY ${_tamo_deb_dir} VERBATIM)
set(_tamo_man_pages)
foreach(_page tamo-config.1 tamo-config-demo.1 tamo.1)
    add_custom_command(OUTPUT ${_tamo_deb_dir}/${_page}.gz
                       COMMAND gzip -9nc ${CMAKE_CURRENT_LIST_DIR}/../man/${_page} > ${_page}.gz
                       DEPENDS ${CMAKE_CURRENT_LIST_DIR}/../man/${_page}
                       WORKING_DIRECTORY ${_tamo_deb_dir} VERBATIM)
    list(APPEND _tamo_man_pages ${_tamo_deb_dir}/${_page}.gz)
endforeach()
add_custom_target(tamo_deb_docs ALL DEPENDS ${_tamo_deb_dir}/changelog.gz ${_tamo_man_pages})

install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${_tamo_deb_dir}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tamo-config)
install(FILES ${_tamo_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tamo-config)
set(CPACK_PACKAGE_VERSION ${TAMO_VERSION})
set(CPACK_PACKAGE_VENDOR "The tamo-config developers")
set(CPACK_PACKAGE_CONTACT "${TAMO_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configure and test Velbrin button-box controller boards")
# Lines of the extended description; Debian wants them shorter than 80 characters.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
       "Lists the attached Velbrin Tamo boards by serial number, lights a lamp for"
       "each of a board's 32 buttons while it is held, and shows and changes the"
       "settings the board keeps: which input pairs act as rotary encoders, the"
       "encoder pulse length and the mode of the analogue A input. A udev rule gives"
       "the user at the seat access to the boards.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's design face; without it a substitute is shrunk to fit the layout.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-wine)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${_tamo_deb_dir}/postinst ${_tamo_deb_dir}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
