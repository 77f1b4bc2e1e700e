# Host build: the portable pieces of the library, their unit tests and fuzz
# targets, the benchmarks that count instructions, and the static checks of
# the built DLLs.
include(cmake/googletest.cmake)

# The library's portable sources carry the fuzzer's coverage and the address
# and undefined-behaviour sanitizers, so that the unit tests run sanitized
# and the fuzz targets link the very same subsystem libraries.
# scripts/bench.sh builds without them (-DQLCLAPI_INSTRUMENT=OFF): the
# instruction counts compare the library with the C library's conversions.
option(QLCLAPI_INSTRUMENT "Sanitizers and fuzzer coverage in the native library" ON)
if(QLCLAPI_INSTRUMENT AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    set(QLCLAPI_SANITIZERS address,undefined)
    set(QLCLAPI_LIBRARY_COMPILE_OPTIONS -fsanitize=fuzzer-no-link,${QLCLAPI_SANITIZERS}
        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=${QLCLAPI_SANITIZERS})
else()
    set(QLCLAPI_INSTRUMENT OFF)
endif()
qlclapi_add_subsystems()
qlclapi_write_layers(${CMAKE_BINARY_DIR}/layers.txt)
qlclapi_add_layer_tests(native)

# The string sources and the build's string tool, for the tests and fuzz
# targets that compose status texts from the texts the DLL carries.
add_library(qlstrings_support STATIC ${CMAKE_SOURCE_DIR}/resources/strings/string_source.cpp
    ${CMAKE_SOURCE_DIR}/tools/qlstrings/pseudo_locale.cpp ${CMAKE_SOURCE_DIR}/tools/qlstrings/rc_writer.cpp)
target_include_directories(qlstrings_support PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(qlstrings_support PRIVATE ${QLCLAPI_WARNINGS})
target_link_libraries(qlstrings_support PUBLIC qlclapi_status)
target_compile_definitions(qlstrings_support INTERFACE
    QLCLAPI_STRING_SOURCE="${CMAKE_SOURCE_DIR}/resources/strings/en-US.txt")

# The simulated client's images of the driver's records and of the settings
# blob are plain C++, written from the client's side: the tests and fuzz
# targets build their inputs the way the client writes them.
add_library(qlsim_images STATIC ${CMAKE_SOURCE_DIR}/sim/control/sim_records.cpp
    ${CMAKE_SOURCE_DIR}/sim/control/settings_blob_image.cpp)
target_include_directories(qlsim_images PUBLIC ${CMAKE_SOURCE_DIR}/sim/control)
target_compile_options(qlsim_images PRIVATE ${QLCLAPI_WARNINGS})

include(cmake/tests.cmake)
foreach(name ${QLCLAPI_SUBSYSTEMS})
    add_subdirectory(tests/${name})
endforeach()

add_subdirectory(tests/abi)

add_subdirectory(fuzz)
add_subdirectory(bench/native)
