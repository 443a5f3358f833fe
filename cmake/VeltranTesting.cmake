find_package(GTest REQUIRED)
include(GoogleTest)

# veltran_test(NAME SOURCES... DEPS targets...): a GoogleTest binary registered with CTest.
# Tests find their fixture files through VELTRAN_TEST_DATA (the tests folder beside them).
function(veltran_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
    target_compile_definitions(${name} PRIVATE
        VELTRAN_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}"
        VELTRAN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
