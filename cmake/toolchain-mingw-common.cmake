# The -posix thread model: GoogleTest needs std::mutex.
set(CMAKE_C_COMPILER ${QLCLAPI_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QLCLAPI_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QLCLAPI_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QLCLAPI_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Nothing we build may need a MinGW runtime DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
