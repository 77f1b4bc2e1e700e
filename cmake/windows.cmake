# Windows builds (win32: the product; win64: the same sources, run under
# wine64 by the tests).
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(QLCLAPI_ARCH x86)
else()
    set(QLCLAPI_ARCH x64)
endif()

# The simulated driver links against ntoskrnl only; keep the user-mode
# libraries CMake would add by default off every C link line.
set(CMAKE_C_STANDARD_LIBRARIES "" CACHE STRING "" FORCE)

include(cmake/exports.cmake)
qlclapi_add_subsystems()

# ---- the library (only in the nested library build) ----------------------
if(QLCLAPI_LIBRARY_ONLY)
    add_subdirectory(api)
    return()
endif()

# ---- the simulated client, tools, benchmarks and tests --------------------
# The subsystems above are built again here with the tools' compilers, for
# the tools and tests that use pieces no export offers.
include(cmake/nested_library.cmake)
include(cmake/googletest.cmake)
if(QLCLAPI_ARCH STREQUAL "x64")
    include(cmake/wine.cmake)
else()
    include(cmake/x86_lane.cmake)
endif()
include(cmake/strings.cmake)
add_subdirectory(tools/common)
add_subdirectory(sim)
if(QLCLAPI_ARCH STREQUAL "x64")
    # The simulated client's targets, held to linking and compiling nothing
    # of the library (the includes are checked by the native build too).
    qlclapi_write_layers(${CMAKE_BINARY_DIR}/layers.txt)
    qlclapi_write_targets(sim ${CMAKE_BINARY_DIR}/sim-targets.txt)
    qlclapi_add_layer_tests(win64 --sim-targets ${CMAKE_BINARY_DIR}/sim-targets.txt)
endif()
add_subdirectory(tools/qlctl)
# The test programs build for both: x64 runs them here under wine64, x86
# in the emulated machine of scripts/test-x86.sh, with a check of every
# export's calling convention of its own.
include(cmake/tests.cmake)
add_subdirectory(tests/support)
foreach(name ${QLCLAPI_SUBSYSTEMS})
    add_subdirectory(tests/${name})
endforeach()
set(windows_test_dirs tests/tools tests/abi)
if(QLCLAPI_ARCH STREQUAL "x64")
    list(APPEND windows_test_dirs bench/win tests/reliability)
endif()
foreach(dir ${windows_test_dirs})
    add_subdirectory(${dir})
endforeach()
if(QLCLAPI_ARCH STREQUAL "x86")
    qlclapi_write_x86_suites()
endif()
# The SDK's files and install rules (scripts/package.sh makes the archive).
include(cmake/sdk.cmake)
