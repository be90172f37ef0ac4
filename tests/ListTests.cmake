# Writes what a built test program holds to OUTPUT, one a line, for the ctest registration in
# tests/CMakeLists.txt: a QtTest program's test functions (KIND qtest) or a GoogleTest program's
# test suites (KIND gtest). Run after each build with PROGRAM, KIND and OUTPUT.
if(KIND STREQUAL "qtest")
    set(option -functions)
else()
    set(option --gtest_list_tests)
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${PROGRAM} ${option}
                OUTPUT_VARIABLE listing RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} ${option} failed (${result})")
endif()
string(REPLACE "\n" ";" lines "${listing}")
set(names "")
foreach(line IN LISTS lines)
    if(KIND STREQUAL "qtest")
        string(REGEX REPLACE "\\(\\)$" "" name "${line}")
    elseif(line MATCHES "^([^ #][^ ]*)\\.( .*)?$")
        # "Suite." or "Suite.  # TypeParam = ...", where the tests follow indented.
        set(name "${CMAKE_MATCH_1}")
    else()
        set(name "")
    endif()
    if(name)
        string(APPEND names "${name}\n")
    endif()
endforeach()
file(WRITE ${OUTPUT} "${names}")
