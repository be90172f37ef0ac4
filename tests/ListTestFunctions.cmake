# Writes the test functions of a built QtTest program to OUTPUT, one a line, for
# tellaria_add_test_functions (tests/CMakeLists.txt). Run after each build with PROGRAM and OUTPUT.
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${PROGRAM} -functions
                OUTPUT_VARIABLE listing RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} -functions failed (${result})")
endif()
string(REPLACE "()" "" listing "${listing}")
file(WRITE ${OUTPUT} "${listing}")
