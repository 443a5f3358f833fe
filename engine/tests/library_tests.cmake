# The built-in library's tests.
veltran_test(engine_library_tests
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/float_text_test.cpp
    DEPS veltran_engine)
