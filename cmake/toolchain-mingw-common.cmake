# The -posix thread model for the tools and tests (GoogleTest needs
# std::mutex); qlclapi.dll itself is built in a nested build with the -win32
# model (cmake/windows.cmake), whose runtime installs nothing in its host.
if(NOT DEFINED QLCLAPI_THREAD_MODEL)
    set(QLCLAPI_THREAD_MODEL posix)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QLCLAPI_THREAD_MODEL)
set(CMAKE_C_COMPILER ${QLCLAPI_MINGW_TRIPLE}-gcc-${QLCLAPI_THREAD_MODEL})
set(CMAKE_CXX_COMPILER ${QLCLAPI_MINGW_TRIPLE}-g++-${QLCLAPI_THREAD_MODEL})
set(CMAKE_RC_COMPILER ${QLCLAPI_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QLCLAPI_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Nothing we build may need a MinGW runtime DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
