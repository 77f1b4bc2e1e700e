# The SDK archive: one ZIP with both architectures, made by CPack from the
# x86 build (this one) and the x64 build, which must both be built first.
# scripts/package.sh builds both and runs
#   cpack --config build/win32/CPackConfig.cmake -B build/package
set(QLCLAPI_PACKAGE_X64_DIR ${CMAKE_SOURCE_DIR}/build/win64 CACHE PATH
    "Build directory of the win64 preset, whose binaries join the SDK archive")

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME qlclapi)
set(CPACK_PACKAGE_VENDOR qlclapi)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Client API of the roaming VPN client: SDK")
# Unpacks into one folder named after the release.
set(CPACK_PACKAGE_FILE_NAME qlclapi-${PROJECT_VERSION}-sdk)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
# Everything of this build but the debug information, and the x64 build's
# binaries; the common files come once.
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${CMAKE_BINARY_DIR};qlclapi;binaries;/"
    "${CMAKE_BINARY_DIR};qlclapi;common;/"
    "${QLCLAPI_PACKAGE_X64_DIR};qlclapi;binaries;/")
include(CPack)
