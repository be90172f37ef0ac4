# Fails when a catalogue (translations/*.ts) has an entry unfinished or obsolete, or differs from
# what lupdate finds in the sources now: a text added, changed or gone without the catalogues
# following. lupdate works on copies; the catalogues are only read.
# Run with LUPDATE, SOURCE_DIR, WORK_DIR, and ROOMS, OPTIONS and CATALOGUES each joined by "|".
cmake_minimum_required(VERSION 3.25)
foreach(list ROOMS OPTIONS CATALOGUES)
    string(REPLACE "|" ";" ${list} "${${list}}")
endforeach()
if(NOT CATALOGUES)
    message(FATAL_ERROR "No catalogue in translations/")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
foreach(catalogue IN LISTS CATALOGUES)
    get_filename_component(name ${catalogue} NAME)
    file(READ ${catalogue} text)
    if(text MATCHES "type=\"(unfinished|obsolete|vanished)\"")
        message(SEND_ERROR "${name} has an entry of type \"${CMAKE_MATCH_1}\": translate it in "
                           "Qt Linguist (linguist-qt6) or run the update_translations target")
    endif()
    file(COPY_FILE ${catalogue} ${WORK_DIR}/${name})
    execute_process(COMMAND ${LUPDATE} -silent ${OPTIONS} ${ROOMS} -ts ${WORK_DIR}/${name}
                    WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(SEND_ERROR "lupdate failed on ${name}")
    endif()
    file(READ ${WORK_DIR}/${name} updated)
    if(NOT updated STREQUAL text)
        message(SEND_ERROR "${name} is not what lupdate finds in the sources (a text added, changed "
                           "or gone): build the update_translations target and translate what is "
                           "new; lupdate's version is ${WORK_DIR}/${name}")
    endif()
endforeach()
