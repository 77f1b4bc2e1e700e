# nlohmann-json (header-only, from the host's nlohmann-json3-dev) for the
# diagnostics messages. The MinGW compilers must not search the host's
# /usr/include, so they get a folder of the build tree that holds nothing
# but a link to the nlohmann headers.
find_path(QLCLAPI_NLOHMANN_ROOT nlohmann/json.hpp PATHS /usr/include /usr/local/include
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT QLCLAPI_NLOHMANN_ROOT)
    message(FATAL_ERROR "nlohmann/json.hpp not found: apt-get install nlohmann-json3-dev")
endif()
set(QLCLAPI_JSON_INCLUDE ${CMAKE_BINARY_DIR}/json-include)
file(MAKE_DIRECTORY ${QLCLAPI_JSON_INCLUDE})
file(CREATE_LINK ${QLCLAPI_NLOHMANN_ROOT}/nlohmann ${QLCLAPI_JSON_INCLUDE}/nlohmann SYMBOLIC)
add_library(qlclapi_json INTERFACE)
target_include_directories(qlclapi_json SYSTEM INTERFACE ${QLCLAPI_JSON_INCLUDE})
