# find_package(qlclapi CONFIG) for the qlclapi SDK: the imported target
# qlclapi::qlclapi for the architecture being built (x86 or x64), with the
# import library that suits the compiler (MinGW's libqlclapi.dll.a, or
# qlclapi.lib for MSVC and clang-cl).
get_filename_component(_qlclapi_root "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(_qlclapi_arch x86)
elseif(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(_qlclapi_arch x64)
else()
    set(qlclapi_FOUND FALSE)
    set(qlclapi_NOT_FOUND_MESSAGE "qlclapi: enable the C or C++ language before find_package(qlclapi)")
    return()
endif()

if(MSVC OR CMAKE_C_SIMULATE_ID STREQUAL "MSVC" OR CMAKE_CXX_SIMULATE_ID STREQUAL "MSVC")
    set(_qlclapi_implib "${_qlclapi_root}/lib/${_qlclapi_arch}/qlclapi.lib")
else()
    set(_qlclapi_implib "${_qlclapi_root}/lib/${_qlclapi_arch}/libqlclapi.dll.a")
endif()

if(NOT TARGET qlclapi::qlclapi)
    add_library(qlclapi::qlclapi SHARED IMPORTED)
    set_target_properties(qlclapi::qlclapi PROPERTIES
        IMPORTED_LOCATION "${_qlclapi_root}/bin/${_qlclapi_arch}/qlclapi.dll"
        IMPORTED_IMPLIB "${_qlclapi_implib}"
        INTERFACE_INCLUDE_DIRECTORIES "${_qlclapi_root}/include")
endif()

set(qlclapi_ARCH ${_qlclapi_arch})
unset(_qlclapi_arch)
unset(_qlclapi_implib)
unset(_qlclapi_root)
