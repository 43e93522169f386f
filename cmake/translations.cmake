# SPDX-License-Identifier: GPL-3.0-or-later
# The window's translations: translations/tamo-config_<code>.ts made into .qm files by the
# host's lrelease and built into the program with Qt's own qtbase_<code>.qm, under :/i18n, so
# that neither the .deb nor the Windows zip carries a file of them.
#
# A Qt cross-built for Windows has no Linguist tools of its own, and a .qm file is the same on
# every platform: the tools are always the host's (qt6-l10n-tools), found as programs rather
# than through a package that a cross build would look for in the target's Qt.

set(TAMO_LANGUAGES de fr es it pt_BR pl CACHE INTERNAL "The languages the window carries")

find_program(TAMO_LRELEASE NAMES lrelease lrelease-qt6 REQUIRED
             HINTS ${QT_HOST_PATH}/lib/qt6/bin ${QT_HOST_PATH}/bin /usr/lib/qt6/bin
             DOC "The host's Qt 6 lrelease (qt6-l10n-tools)")
find_program(TAMO_LUPDATE NAMES lupdate lupdate-qt6
             HINTS ${QT_HOST_PATH}/lib/qt6/bin ${QT_HOST_PATH}/bin /usr/lib/qt6/bin
             DOC "The host's Qt 6 lupdate (qt6-l10n-tools)")
find_path(TAMO_QT_TRANSLATIONS_DIR qtbase_de.qm NO_CMAKE_FIND_ROOT_PATH
          HINTS ${QT_HOST_PATH}/share/qt6/translations /usr/share/qt6/translations
          DOC "Qt's own translations (qt6-translations-l10n)")

set(TAMO_TS_DIR ${PROJECT_SOURCE_DIR}/translations)
# What lupdate reads: the window, its dialogs and the demo's panel. tamo's output stays
# English, so cli/ is not among them.
set(TAMO_LUPDATE_ARGS ${PROJECT_SOURCE_DIR}/app -locations none -no-ui-lines)

function(tamo_add_translations target)
    set(qm_dir ${CMAKE_CURRENT_BINARY_DIR}/i18n)
    set(qm_files)
    foreach(code IN LISTS TAMO_LANGUAGES)
        set(ts ${TAMO_TS_DIR}/tamo-config_${code}.ts)
        set(qm ${qm_dir}/tamo-config_${code}.qm)
        add_custom_command(OUTPUT ${qm}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${qm_dir}
            COMMAND ${TAMO_LRELEASE} -silent ${ts} -qm ${qm}
            DEPENDS ${ts} VERBATIM)
        list(APPEND qm_files ${qm})
        if(TAMO_QT_TRANSLATIONS_DIR AND EXISTS ${TAMO_QT_TRANSLATIONS_DIR}/qtbase_${code}.qm)
            configure_file(${TAMO_QT_TRANSLATIONS_DIR}/qtbase_${code}.qm
                           ${qm_dir}/qtbase_${code}.qm COPYONLY)
            list(APPEND qm_files ${qm_dir}/qtbase_${code}.qm)
        else()
            message(STATUS "Qt's own texts in ${code} not found: its dialogs' buttons stay "
                           "English there (install qt6-translations-l10n)")
        endif()
    endforeach()
    # rcc run by hand rather than qt_add_resources(target ...), whose resource object library
    # would carry Qt's platform target into folders that never looked for Qt. Without zstd: a
    # cross-built Qt may lack it, and the host's rcc would use it.
    set(qrc ${CMAKE_CURRENT_BINARY_DIR}/tamo_translations.qrc)
    set(entries)
    foreach(qm IN LISTS qm_files)
        get_filename_component(name ${qm} NAME)
        string(APPEND entries "        <file alias=\"${name}\">${qm}</file>\n")
    endforeach()
    file(CONFIGURE OUTPUT ${qrc} CONTENT
         "<RCC>\n    <qresource prefix=\"/i18n\">\n${entries}    </qresource>\n</RCC>\n")
    set(cpp ${CMAKE_CURRENT_BINARY_DIR}/qrc_tamo_translations.cpp)
    add_custom_command(OUTPUT ${cpp}
        COMMAND Qt6::rcc --name tamo_translations --no-zstd --output ${cpp} ${qrc}
        DEPENDS ${qrc} ${qm_files} VERBATIM)
    set_source_files_properties(${cpp} PROPERTIES SKIP_AUTOGEN ON)
    target_sources(${target} PRIVATE ${cpp})

    # For whoever adds or corrects a language: every .ts brought up to date with the sources.
    if(TAMO_LUPDATE)
        set(ts_files)
        foreach(code IN LISTS TAMO_LANGUAGES)
            list(APPEND ts_files ${TAMO_TS_DIR}/tamo-config_${code}.ts)
        endforeach()
        add_custom_target(update_translations
            COMMAND ${TAMO_LUPDATE} ${TAMO_LUPDATE_ARGS} -ts ${ts_files}
            WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} VERBATIM)
    endif()
endfunction()
