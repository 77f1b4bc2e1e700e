# The x64 build's test programs run under wine64 in a prefix of the build
# directory's own. The test "win64.wine.start" brings up the simulated
# client before every other win64 test, "win64.wine.stop" shuts Wine down
# after them; tests that use the driver share one lock, since they all see
# the one simulated client.
set(QLCLAPI_WINE_SCRIPT ${CMAKE_SOURCE_DIR}/scripts/wine.sh)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QLCLAPI_WINE_SCRIPT};run;${CMAKE_BINARY_DIR})

add_test(NAME win64.wine.start COMMAND ${QLCLAPI_WINE_SCRIPT} start ${CMAKE_BINARY_DIR})
set_tests_properties(win64.wine.start PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
add_test(NAME win64.wine.stop COMMAND ${QLCLAPI_WINE_SCRIPT} stop ${CMAKE_BINARY_DIR})
set_tests_properties(win64.wine.stop PROPERTIES FIXTURES_CLEANUP wine)

# A Windows test program run under Wine against the simulated client:
# qlclapi_add_wine_test(SUITE TARGET [TOOL] [ARGS...]) makes the test
# win64.SUITE. TOOL marks a suite of the command-line tools (the x86 lane
# runs those only when asked for everything).
function(qlclapi_add_wine_test suite target)
    cmake_parse_arguments(PARSE_ARGV 2 arg "TOOL" "" "")
    string(REGEX REPLACE "^win64\\." "" suite "${suite}")
    # Judged by wine.sh's verdict (exit status and summary line), not by the
    # exit status alone.
    add_test(NAME win64.${suite} COMMAND ${QLCLAPI_WINE_SCRIPT} suite ${CMAKE_BINARY_DIR} $<TARGET_FILE:${target}>
        ${arg_UNPARSED_ARGUMENTS})
    set_tests_properties(win64.${suite} PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK simulated_client
        TIMEOUT 600 LABELS wine)
endfunction()
