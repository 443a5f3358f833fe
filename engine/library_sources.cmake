# The built-in library of the script engine (TfsSysFunctions and the
# functions it registers).
target_sources(veltran_engine PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/float_decimal.cpp
    ${CMAKE_CURRENT_LIST_DIR}/float_text.cpp
    ${CMAKE_CURRENT_LIST_DIR}/locale_settings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/message_output.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sys_convert.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sys_datetime.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sys_format.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sys_format_datetime.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sys_format_float.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sys_functions.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sys_mask_text.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sys_math.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sys_strings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sys_variants.cpp
    ${CMAKE_CURRENT_LIST_DIR}/wide_text.cpp
)
# Compiled into each program that uses the engine, so that its registrar of
# the library module is linked (see the file).
target_sources(veltran_engine INTERFACE ${CMAKE_CURRENT_LIST_DIR}/sys_functions_module.cpp)
