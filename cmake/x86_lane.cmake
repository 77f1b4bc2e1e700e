# The x86 build's test programs cannot run on this host (its kernel runs no
# 32-bit code): scripts/test-x86.sh runs them under 32-bit Wine in an
# emulated machine. Each suite is written to x86-suites.txt in the build
# directory, one "SUITE every|all PROGRAM [ARGS...]" line each: "every" runs
# on every submission, "all" (the tool suites) only with --all.
function(qlclapi_add_wine_test suite target)
    cmake_parse_arguments(PARSE_ARGV 2 arg "TOOL" "" "")
    string(REGEX REPLACE "^win64\\." "" suite "${suite}")
    set(when every)
    if(arg_TOOL)
        set(when all)
    endif()
    list(JOIN arg_UNPARSED_ARGUMENTS " " arguments)
    set_property(GLOBAL APPEND PROPERTY QLCLAPI_X86_SUITES
        "${suite} ${when} $<TARGET_FILE_NAME:${target}> ${arguments}")
    add_test(NAME x86.${suite} COMMAND ${CMAKE_SOURCE_DIR}/scripts/test-x86.sh --verdict ${suite}
        WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
    set_tests_properties(x86.${suite} PROPERTIES FIXTURES_REQUIRED x86_lane LABELS x86)
endfunction()

function(qlclapi_write_x86_suites)
    get_property(suites GLOBAL PROPERTY QLCLAPI_X86_SUITES)
    list(JOIN suites "\n" content)
    file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/x86-suites.txt CONTENT "${content}\n")
endfunction()

# The lane as CTest sees it (ctest --preset win32, label x86): x86.lane runs
# every suite in one start of the emulated machine, then x86.SUITE judges
# each suite from the logs it left.
add_test(NAME x86.lane COMMAND sh -c "${CMAKE_SOURCE_DIR}/scripts/test-x86.sh --all --no-build || true"
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
set_tests_properties(x86.lane PROPERTIES FIXTURES_SETUP x86_lane LABELS x86 TIMEOUT 5400)
