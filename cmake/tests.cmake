# The test programs, one per library subsystem (tests/<subsystem>), plus the
# tools', the binary interface's and the reliability suite. In a test folder
# a source ending in _win.cpp needs Windows and runs under Wine against the
# simulated client; the rest is portable and runs natively, in seconds.
#
# CTest labels say how a test runs: "native" (on this machine; "unit" for the
# fast library tests, which ../shared/tools/mutants runs), "wine" (the x64
# build under wine64) and "x86" (the 32-bit build in the emulated machine of
# scripts/test-x86.sh, which runs every Wine suite of the win32 build).

# qlclapi_subsystem_tests(NAME [LIBRARIES lib...])
#
# Native build: NAME_unit from the folder's portable *_test.cpp, linked with
# LIBRARIES; the test native.NAME, labels native and unit.
# Windows build: NAME_tests from the folder's *_win.cpp, beside qlclapi.dll,
# linked with the tests' support and LIBRARIES; the suite NAME (win64.NAME
# under wine64, and the x86 lane's suite NAME).
function(qlclapi_subsystem_tests name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "LIBRARIES")
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(WIN32)
        list(FILTER sources INCLUDE REGEX "_win\\.cpp$")
    else()
        list(FILTER sources EXCLUDE REGEX "_win\\.cpp$")
    endif()
    if(NOT sources)
        return()
    endif()
    if(WIN32)
        add_executable(${name}_tests ${sources})
        set_target_properties(${name}_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
        target_compile_definitions(${name}_tests PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601)
        target_compile_options(${name}_tests PRIVATE ${QLCLAPI_WARNINGS})
        target_link_libraries(${name}_tests PRIVATE ${arg_LIBRARIES} qltest_support qltest_main)
        add_dependencies(${name}_tests qlclapi qldrv qlsim qldiagsvc)
        qlclapi_add_wine_test(${name} ${name}_tests)
    else()
        add_executable(${name}_unit ${sources})
        target_compile_options(${name}_unit PRIVATE ${QLCLAPI_WARNINGS})
        target_link_libraries(${name}_unit PRIVATE ${arg_LIBRARIES} gtest_main)
        add_test(NAME native.${name} COMMAND ${name}_unit)
        set_tests_properties(native.${name} PROPERTIES LABELS "native;unit")
    endif()
endfunction()
