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
if(NOT QLCLAPI_LIBRARY_ONLY)
include(cmake/nested_library.cmake)
include(cmake/googletest.cmake)
if(QLCLAPI_ARCH STREQUAL "x64")
    include(cmake/wine.cmake)
else()
    include(cmake/x86_lane.cmake)
endif()
add_subdirectory(sim)
endif()

# ---- the library (only in the nested library build) ----------------------
if(QLCLAPI_LIBRARY_ONLY)
file(GLOB QLCLAPI_WINDOWS_SOURCES CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/api/*.cpp
    ${CMAKE_SOURCE_DIR}/core/*.cpp
    ${CMAKE_SOURCE_DIR}/address/*_win.cpp
    ${CMAKE_SOURCE_DIR}/status/*_win.cpp
    ${CMAKE_SOURCE_DIR}/config/*_win.cpp
    ${CMAKE_SOURCE_DIR}/diag/*_win.cpp)
file(GLOB QLCLAPI_RESOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.rc)

qlclapi_generate_def(${CMAKE_BINARY_DIR}/qlclapi.def)

add_library(qlclapi SHARED
    ${QLCLAPI_PORTABLE_SOURCES} ${QLCLAPI_WINDOWS_SOURCES} ${QLCLAPI_RESOURCES}
    ${CMAKE_BINARY_DIR}/qlclapi.def)
set_target_properties(qlclapi PROPERTIES PREFIX "" OUTPUT_NAME qlclapi
    RUNTIME_OUTPUT_DIRECTORY ${QLCLAPI_LIBRARY_OUTPUT_DIR})
target_include_directories(qlclapi PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/include)
target_compile_definitions(qlclapi PRIVATE QLCLAPI_BUILDING UNICODE _UNICODE WIN32_LEAN_AND_MEAN
    _WIN32_WINNT=0x0601)
target_compile_options(qlclapi PRIVATE ${QLCLAPI_WARNINGS})
# The .def file is the one export list: nothing else may be exported, and on
# x86 it strips the @N decoration from the __stdcall twins.
target_link_options(qlclapi PRIVATE -Wl,--no-undefined)
# The image's own entry point runs the C runtime's DLL entry without the TLS
# callback the runtime would otherwise install (core/image_entry.cpp).
if(QLCLAPI_ARCH STREQUAL "x86")
    target_link_options(qlclapi PRIVATE -Wl,-e,_QlclapiImageEntry@12 -Wl,--wrap=_imp__CreateSemaphoreW@16)
else()
    target_link_options(qlclapi PRIVATE -Wl,-e,QlclapiImageEntry)
endif()
target_link_libraries(qlclapi PRIVATE qlclapi_json kernel32 advapi32 user32 oleaut32 version)
include(cmake/strings.cmake)

return()
endif()

# ---- tools, benchmarks and tests ------------------------------------------
include(cmake/strings.cmake)
foreach(dir tools/qlctl)
    if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/CMakeLists.txt)
        add_subdirectory(${dir})
    endif()
endforeach()
# The test programs build for both: x64 runs them here under wine64, x86
# in the emulated machine of scripts/test-x86.sh, with a check of every
# export's calling convention of its own.
set(windows_test_dirs tests/win tests/qlctl tests/qlsim)
if(QLCLAPI_ARCH STREQUAL "x64")
    list(APPEND windows_test_dirs bench/win tests/reliability tests/sdk)
else()
    list(APPEND windows_test_dirs tests/x86)
endif()
foreach(dir ${windows_test_dirs})
    if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/CMakeLists.txt)
        add_subdirectory(${dir})
    endif()
endforeach()
if(QLCLAPI_ARCH STREQUAL "x86")
    qlclapi_write_x86_suites()
endif()
# The SDK's files and install rules (scripts/package.sh makes the archive).
include(cmake/sdk.cmake)
