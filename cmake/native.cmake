# Host build: the portable pieces of the library, their unit tests and fuzz
# targets, the benchmarks that count instructions, and the static checks of
# the built 32-bit DLL.
include(cmake/googletest.cmake)

add_library(qlclapi_portable STATIC ${QLCLAPI_PORTABLE_SOURCES})
target_include_directories(qlclapi_portable PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(qlclapi_portable PUBLIC qlclapi_json)
target_compile_options(qlclapi_portable PRIVATE ${QLCLAPI_WARNINGS})
if(NOT QLCLAPI_PORTABLE_SOURCES)
    target_sources(qlclapi_portable PRIVATE ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
endif()

# The string sources and the build's string tool, for the tests and fuzz
# targets that compose status texts from the texts the DLL carries.
add_library(qlstrings_support STATIC ${CMAKE_SOURCE_DIR}/resources/strings/string_source.cpp
    ${CMAKE_SOURCE_DIR}/tools/qlstrings/pseudo_locale.cpp ${CMAKE_SOURCE_DIR}/tools/qlstrings/rc_writer.cpp)
target_include_directories(qlstrings_support PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(qlstrings_support PRIVATE ${QLCLAPI_WARNINGS})
target_compile_definitions(qlstrings_support INTERFACE
    QLCLAPI_STRING_SOURCE="${CMAKE_SOURCE_DIR}/resources/strings/en-US.txt")

file(GLOB QLCLAPI_NATIVE_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
if(QLCLAPI_NATIVE_TEST_SOURCES)
    # The simulated driver's record images are plain C++: the tests of the
    # interface table build their tables the way the driver writes them.
    add_executable(native_tests ${QLCLAPI_NATIVE_TEST_SOURCES} ${CMAKE_SOURCE_DIR}/sim/control/sim_records.cpp
        ${CMAKE_SOURCE_DIR}/sim/control/settings_blob_image.cpp)
    target_include_directories(native_tests PRIVATE ${CMAKE_SOURCE_DIR}/sim/control)
    target_link_libraries(native_tests PRIVATE qlclapi_portable qlstrings_support gtest_main)
    add_test(NAME native.unit COMMAND native_tests)
endif()

add_subdirectory(tests/abi)

if(EXISTS ${CMAKE_SOURCE_DIR}/fuzz/CMakeLists.txt)
    add_subdirectory(fuzz)
endif()
if(EXISTS ${CMAKE_SOURCE_DIR}/bench/native/CMakeLists.txt)
    add_subdirectory(bench/native)
endif()
