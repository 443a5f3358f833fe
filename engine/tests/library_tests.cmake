# The built-in library's tests.
veltran_test(engine_library_tests
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/float_text_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/library_robustness_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/locale_settings_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/sys_convert_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/sys_datetime_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/sys_format_datetime_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/sys_format_float_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/sys_format_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/sys_functions_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/sys_mask_text_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/sys_math_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/sys_strings_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/sys_variants_test.cpp
    DEPS veltran_engine)
include(${CMAKE_CURRENT_LIST_DIR}/conformance/conformance.cmake)
