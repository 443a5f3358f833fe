# Runs one program of the corpus through the companion and compares what it
# prints on standard output, then on standard error, then its exit status,
# with NAME.out beside it. A first line "// veltran ARGS" gives the command
# ({FILE} stands for the program); by default it is "script run {FILE}".
# With -DUPDATE=ON the expected output is written instead of compared.
file(STRINGS ${PROGRAM} first_line LIMIT_COUNT 1)
set(command "script run {FILE}")
if(first_line MATCHES "^// veltran (.*)$")
    set(command "${CMAKE_MATCH_1}")
endif()
string(REPLACE "{FILE}" "${PROGRAM}" command "${command}")
separate_arguments(args UNIX_COMMAND "${command}")
execute_process(COMMAND ${VELTRAN} ${args}
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
set(actual "${out}${err}status ${status}\n")

string(REGEX REPLACE "\\.pas$" ".out" expected_file "${PROGRAM}")
if(UPDATE)
    file(WRITE ${expected_file} "${actual}")
    return()
endif()
file(READ ${expected_file} expected)
if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "${PROGRAM}\n--- expected\n${expected}--- actual\n${actual}")
endif()
