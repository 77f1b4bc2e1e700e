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
if(QLCLAPI_ARCH STREQUAL "x64")
    include(cmake/wine.cmake)
    include(cmake/googletest.cmake)
endif()
add_subdirectory(sim)

# ---- the library ---------------------------------------------------------
file(GLOB QLCLAPI_WINDOWS_SOURCES CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/api/*.cpp
    ${CMAKE_SOURCE_DIR}/core/*.cpp
    ${CMAKE_SOURCE_DIR}/address/*_win.cpp
    ${CMAKE_SOURCE_DIR}/status/*_win.cpp
    ${CMAKE_SOURCE_DIR}/config/*_win.cpp
    ${CMAKE_SOURCE_DIR}/diag/*_win.cpp)
file(GLOB QLCLAPI_RESOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.rc)

qlclapi_generate_def(${CMAKE_BINARY_DIR}/qlclapi.def)

# nlohmann-json comes from the host's /usr/include, which the MinGW compilers
# must not search as a whole: offer them that one folder alone.
set(QLCLAPI_JSON_INCLUDE ${CMAKE_BINARY_DIR}/json-include)
file(MAKE_DIRECTORY ${QLCLAPI_JSON_INCLUDE})
file(CREATE_LINK /usr/include/nlohmann ${QLCLAPI_JSON_INCLUDE}/nlohmann SYMBOLIC)
add_library(qlclapi_json INTERFACE)
target_include_directories(qlclapi_json SYSTEM INTERFACE ${QLCLAPI_JSON_INCLUDE})

add_library(qlclapi SHARED
    ${QLCLAPI_PORTABLE_SOURCES} ${QLCLAPI_WINDOWS_SOURCES} ${QLCLAPI_RESOURCES}
    ${CMAKE_BINARY_DIR}/qlclapi.def)
set_target_properties(qlclapi PROPERTIES PREFIX "" OUTPUT_NAME qlclapi
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
target_include_directories(qlclapi PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/include)
target_compile_definitions(qlclapi PRIVATE QLCLAPI_BUILDING UNICODE _UNICODE WIN32_LEAN_AND_MEAN
    _WIN32_WINNT=0x0601)
target_compile_options(qlclapi PRIVATE ${QLCLAPI_WARNINGS})
# The .def file is the one export list: nothing else may be exported, and on
# x86 it strips the @N decoration from the __stdcall twins.
target_link_options(qlclapi PRIVATE -Wl,--no-undefined)
target_link_libraries(qlclapi PRIVATE qlclapi_json kernel32 advapi32 user32 oleaut32 version)

# ---- tools, benchmarks and tests ------------------------------------------
foreach(dir tools/qlctl)
    if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/CMakeLists.txt)
        add_subdirectory(${dir})
    endif()
endforeach()
# Only the x64 build runs here (under wine64).
if(QLCLAPI_ARCH STREQUAL "x64")
foreach(dir bench/win tests/win tests/qlctl tests/qlsim)
    if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/CMakeLists.txt)
        add_subdirectory(${dir})
    endif()
endforeach()
endif()
