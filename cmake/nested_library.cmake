# qlclapi.dll is built by a nested build of this project (QLCLAPI_LIBRARY_ONLY)
# with the -win32 thread-model compilers: the -posix runtime that the tools
# and tests keep would put a TLS callback and a vectored exception handler
# into every process that loads the library. The DLL lands in this build
# directory, beside the programs that load it; the target is still "qlclapi".
include(ExternalProject)
ExternalProject_Add(qlclapi
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/library
    CMAKE_ARGS
        -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
        -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
        -DQLCLAPI_THREAD_MODEL=win32
        -DQLCLAPI_LIBRARY_ONLY=ON
        -DQLCLAPI_LIBRARY_OUTPUT_DIR=${CMAKE_BINARY_DIR}
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${CMAKE_BINARY_DIR}/qlclapi.dll)
