# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DLUPDATE=... -DSOURCE_DIR=... -DWORK_DIR=... -DLANGUAGES="de;fr" -P check_translations.cmake
# Runs lupdate over copies of the shipped .ts files, as update_translations would: fails when
# a text of the window has no finished translation, or a translated one is no longer shown.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(failures)
foreach(code IN LISTS LANGUAGES)
    set(ts ${WORK_DIR}/tamo-config_${code}.ts)
    file(COPY_FILE ${SOURCE_DIR}/translations/tamo-config_${code}.ts ${ts})
    execute_process(COMMAND ${LUPDATE} ${SOURCE_DIR}/app -locations none -no-ui-lines -ts ${ts}
                    RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "lupdate failed on ${code}: ${errors}")
    endif()
    file(STRINGS ${ts} lines REGEX "type=\"(unfinished|vanished|obsolete)\"")
    list(LENGTH lines count)
    if(count GREATER 0)
        list(APPEND failures "${code}: ${count} unfinished or vanished")
    endif()
endforeach()
if(failures)
    message(FATAL_ERROR "Translations out of date (run: cmake --build build --target "
                        "update_translations, then translate in Linguist): ${failures}")
endif()
message(STATUS "Every text finished in: ${LANGUAGES}")
