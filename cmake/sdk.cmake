# What this architecture contributes to the SDK, and its install rules.
# The files are made in <build>/sdk at build time, so that the build's own
# images, which the tests and the static checks read, keep their symbols:
#   - qlclapi.dll and the tools, stripped, each with a .gnu_debuglink to its
#     debug information (<file>.debug, the install component "debug", which
#     scripts/package.sh keeps beside the archive);
#   - the import libraries, both made from one .def of the export lists.
#
#   cmake --install build/win32 && cmake --install build/win64
# lays the whole SDK out in build/sdk (the presets' install folder).
set(QLCLAPI_SDK_DIR ${CMAKE_BINARY_DIR}/sdk)
set(sdk_outputs "")

# A stripped copy of a built image, with its debug information beside it.
function(qlclapi_sdk_image image_path name target)
    add_custom_command(
        OUTPUT ${QLCLAPI_SDK_DIR}/${name} ${QLCLAPI_SDK_DIR}/${name}.debug
        COMMAND ${CMAKE_OBJCOPY} --only-keep-debug ${image_path} ${name}.debug
        # The debug link records the file name and its checksum; a debugger
        # looks for that file beside the image.
        COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=${name}.debug ${image_path} ${name}
        DEPENDS ${image_path} ${target}
        WORKING_DIRECTORY ${QLCLAPI_SDK_DIR}
        COMMENT "SDK: stripping ${name}"
        VERBATIM)
    set(sdk_outputs ${sdk_outputs} ${QLCLAPI_SDK_DIR}/${name} PARENT_SCOPE)
endfunction()

file(MAKE_DIRECTORY ${QLCLAPI_SDK_DIR})
qlclapi_sdk_image(${CMAKE_BINARY_DIR}/qlclapi.dll qlclapi.dll qlclapi)
# The tools, the simulated client's driver and, where this tree has one,
# its diagnostics service.
set(sdk_tools qlctl qlsim qldrv)
if(TARGET qldiagsvc)
    list(APPEND sdk_tools qldiagsvc)
endif()
set(sdk_tool_files "")
foreach(tool ${sdk_tools})
    # A custom command's outputs cannot name a target's file, hence by hand.
    get_target_property(suffix ${tool} SUFFIX)
    if(NOT suffix)
        set(suffix ${CMAKE_EXECUTABLE_SUFFIX})
    endif()
    qlclapi_sdk_image($<TARGET_FILE:${tool}> ${tool}${suffix} ${tool})
    list(APPEND sdk_tool_files ${QLCLAPI_SDK_DIR}/${tool}${suffix})
endforeach()

# Import libraries. dlltool and llvm-dlltool with -k: a stdcall twin listed
# as Name@bytes gives the symbol _Name@bytes that a caller of the header
# references, imported by the undecorated name the DLL exports.
find_program(QLCLAPI_LLVM_DLLTOOL NAMES llvm-dlltool llvm-dlltool-14 REQUIRED)
if(QLCLAPI_ARCH STREQUAL "x86")
    set(sdk_llvm_machine i386)
else()
    set(sdk_llvm_machine i386:x86-64)
endif()
qlclapi_generate_import_def(${QLCLAPI_SDK_DIR}/qlclapi.def ${QLCLAPI_ARCH})
add_custom_command(
    OUTPUT ${QLCLAPI_SDK_DIR}/libqlclapi.dll.a ${QLCLAPI_SDK_DIR}/qlclapi.lib
    COMMAND ${CMAKE_COMMAND} -E rm -f libqlclapi.dll.a qlclapi.lib
    COMMAND ${CMAKE_DLLTOOL} -k -d qlclapi.def -D qlclapi.dll -l libqlclapi.dll.a
    COMMAND ${QLCLAPI_LLVM_DLLTOOL} -m ${sdk_llvm_machine} -k -d qlclapi.def -l qlclapi.lib
    DEPENDS ${QLCLAPI_SDK_DIR}/qlclapi.def
    WORKING_DIRECTORY ${QLCLAPI_SDK_DIR}
    COMMENT "SDK: import libraries of qlclapi.dll (MinGW and Microsoft formats)"
    VERBATIM)
list(APPEND sdk_outputs ${QLCLAPI_SDK_DIR}/libqlclapi.dll.a ${QLCLAPI_SDK_DIR}/qlclapi.lib)

include(cmake/reference.cmake)
add_custom_target(qlclapi_sdk ALL DEPENDS ${sdk_outputs})
add_dependencies(qlclapi_sdk qlclapi_reference)

# ---- install rules --------------------------------------------------------
# Components: "binaries" (this architecture's DLL, import libraries and
# tools), "common" (the same in both builds), "debug" (only on request).
install(PROGRAMS ${QLCLAPI_SDK_DIR}/qlclapi.dll DESTINATION bin/${QLCLAPI_ARCH} COMPONENT binaries)
install(FILES ${QLCLAPI_SDK_DIR}/libqlclapi.dll.a ${QLCLAPI_SDK_DIR}/qlclapi.lib ${QLCLAPI_SDK_DIR}/qlclapi.def
    DESTINATION lib/${QLCLAPI_ARCH} COMPONENT binaries)
# qlctl loads qlclapi.dll from its own folder only: the DLL of its
# architecture lies beside it, so that the tools run as unpacked.
install(PROGRAMS ${sdk_tool_files} ${QLCLAPI_SDK_DIR}/qlclapi.dll DESTINATION tools/${QLCLAPI_ARCH} COMPONENT binaries)

foreach(folder bin tools)
    install(FILES ${QLCLAPI_SDK_DIR}/qlclapi.dll.debug DESTINATION ${folder}/${QLCLAPI_ARCH}
        COMPONENT debug EXCLUDE_FROM_ALL)
endforeach()
foreach(tool_file ${sdk_tool_files})
    install(FILES ${tool_file}.debug DESTINATION tools/${QLCLAPI_ARCH} COMPONENT debug EXCLUDE_FROM_ALL)
endforeach()

include(CMakePackageConfigHelpers)
# One package serves both architectures: the version file must not compare
# the consumer's pointer size with this build's.
write_basic_package_version_file(${QLCLAPI_SDK_DIR}/qlclapiConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion ARCH_INDEPENDENT)
install(FILES ${CMAKE_SOURCE_DIR}/cmake/package/qlclapiConfig.cmake ${QLCLAPI_SDK_DIR}/qlclapiConfigVersion.cmake
    DESTINATION share/cmake/qlclapi COMPONENT common)
install(FILES ${CMAKE_SOURCE_DIR}/include/qlclapi.h DESTINATION include COMPONENT common)
install(FILES ${CMAKE_SOURCE_DIR}/vb/qlclapi.bas DESTINATION vb COMPONENT common)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/examples/ DESTINATION examples COMPONENT common)
install(DIRECTORY ${QLCLAPI_REFERENCE_DIR}/html/ DESTINATION docs/reference COMPONENT common)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/CHANGELOG.md DESTINATION docs COMPONENT common)

# The archive (scripts/package.sh): the x86 build packs both builds.
if(QLCLAPI_ARCH STREQUAL "x86")
    include(cmake/package.cmake)
endif()
