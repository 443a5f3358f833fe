# One conformance program: its output under "veltran script run" must be the
# recorded output, and so must the output of the same program compiled by Free
# Pascal in Delphi mode when FPC is given.
#   cmake -DVELTRAN=... -DPROGRAM=x.pas -DEXPECTED=x.expected -DWORK=dir
#         [-DFPC=fpc -DSUPPORT=dir-of-veltranfpc.pas] -P run_conformance.cmake

function(check_output what actual)
    file(READ ${EXPECTED} expected)
    if(actual STREQUAL expected)
        return()
    endif()
    file(WRITE ${WORK}/${what}.out "${actual}")
    execute_process(COMMAND diff -u ${EXPECTED} ${WORK}/${what}.out OUTPUT_VARIABLE difference)
    message(FATAL_ERROR "${what} output differs from ${EXPECTED}:\n${difference}")
endfunction()

file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${VELTRAN} script run ${PROGRAM}
    OUTPUT_VARIABLE veltran_output ERROR_VARIABLE veltran_output)
check_output(veltran "${veltran_output}")

if(NOT FPC)
    message(STATUS "fpc not installed: compared with the recorded output only")
    return()
endif()
execute_process(
    COMMAND ${FPC} -Mdelphi -v0 -Fu${SUPPORT} -Fi${SUPPORT} -FU${WORK} -FE${WORK}
        -o${WORK}/program ${PROGRAM}
    OUTPUT_VARIABLE fpc_log ERROR_VARIABLE fpc_log RESULT_VARIABLE fpc_status)
if(NOT fpc_status EQUAL 0)
    message(FATAL_ERROR "fpc could not compile ${PROGRAM}:\n${fpc_log}")
endif()
execute_process(COMMAND ${WORK}/program OUTPUT_VARIABLE fpc_output ERROR_VARIABLE fpc_output)
check_output(fpc "${fpc_output}")
