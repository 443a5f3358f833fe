# Warnings and sanitizers shared by every target of the project.
add_library(veltran_options INTERFACE)
target_compile_options(veltran_options INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(veltran_options INTERFACE
    VELTRAN_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
    VELTRAN_VERSION_MINOR=${PROJECT_VERSION_MINOR}
    VELTRAN_VERSION_RELEASE=${PROJECT_VERSION_PATCH}
    VELTRAN_VERSION_BUILD=${PROJECT_VERSION_TWEAK})

if(VELTRAN_SANITIZE)
    target_compile_options(veltran_options INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(veltran_options INTERFACE -fsanitize=address,undefined)
endif()

# veltran_layer(NAME [QT] SOURCES... [DEPS targets...]): one static library per
# layer; QT runs the meta-object compiler on it.
function(veltran_layer name)
    cmake_parse_arguments(ARG "QT" "" "SOURCES;DEPS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES AUTOMOC ${ARG_QT})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC veltran_options ${ARG_DEPS})
endfunction()

# veltran_checks(): the folders beside a target's sources that check it, each
# when the build asks for it: tests/, bench/ and fuzz/.
macro(veltran_checks)
    foreach(check_kind tests bench fuzz)
        set(check_option_tests ${VELTRAN_TESTS})
        set(check_option_bench ${VELTRAN_BENCHMARKS})
        set(check_option_fuzz ${VELTRAN_FUZZ})
        if(check_option_${check_kind} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${check_kind})
            add_subdirectory(${check_kind})
        endif()
    endforeach()
endmacro()
