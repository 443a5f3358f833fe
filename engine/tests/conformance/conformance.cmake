# Conformance programs: each runs under "veltran script run" and, where Free
# Pascal is installed, compiled by fpc -Mdelphi; both must print the recorded
# output. The programs in dialect/ show where the script dialect deliberately
# differs from Free Pascal and are checked against their recorded output only.
find_program(VELTRAN_FPC fpc)
set(conformance_dir ${CMAKE_CURRENT_LIST_DIR})

function(add_conformance_test kind program fpc)
    get_filename_component(name ${program} NAME_WE)
    get_filename_component(folder ${program} DIRECTORY)
    add_test(NAME conformance.${kind}.${name}
        COMMAND ${CMAKE_COMMAND}
            -DVELTRAN=$<TARGET_FILE:veltran>
            -DPROGRAM=${program}
            -DEXPECTED=${folder}/${name}.expected
            -DWORK=${CMAKE_CURRENT_BINARY_DIR}/conformance/${kind}/${name}
            -DFPC=${fpc}
            -DSUPPORT=${conformance_dir}
            -P ${conformance_dir}/run_conformance.cmake)
endfunction()

file(GLOB fpc_programs ${conformance_dir}/*.pas)
list(FILTER fpc_programs EXCLUDE REGEX "veltranfpc\\.pas$")
foreach(program ${fpc_programs})
    add_conformance_test(fpc ${program} "${VELTRAN_FPC}")
endforeach()

file(GLOB dialect_programs ${conformance_dir}/dialect/*.pas)
foreach(program ${dialect_programs})
    add_conformance_test(dialect ${program} "")
endforeach()
