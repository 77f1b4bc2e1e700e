# The library's subsystems, one static library each, and the edges between
# them. Every subsystem folder's CMakeLists.txt calls qlclapi_subsystem once;
# api/ links them all into qlclapi.dll (only in the nested library build,
# cmake/nested_library.cmake), and tools, tests, benchmarks and fuzz targets
# link the subsystems they exercise.
#
#   core     the driver channel, request codes, the size rule, text
#            conversions (UTF-8, hexadecimal, Visual Basic ANSI/BSTR), the
#            internal status codes, the Win32 resource owners, heap buffers
#   address  -> core
#   config   -> address, core
#   status   -> config, core
#   diag     -> config, core
#   api      -> all of them (entry points only); nothing depends on api
#
# A subsystem may include headers of the subsystems it DEPENDS on and of no
# other; scripts/check_layers.py holds every #include to these edges (the
# test "layers"), using the description this file writes into the build
# folder.
include_guard(GLOBAL)

set(QLCLAPI_SUBSYSTEMS core address config status diag)

# qlclapi_subsystem(NAME [DEPENDS subsystem...] [PUBLIC_LIBRARIES lib...]
#                   [WINDOWS_LIBRARIES lib...])
#
# qlclapi_NAME from the *.cpp of the calling folder. A source ending in
# _win.cpp needs <windows.h> and is built for Windows only; the rest is
# portable and also builds natively, for the unit tests and fuzz targets.
function(qlclapi_subsystem name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "DEPENDS;PUBLIC_LIBRARIES;WINDOWS_LIBRARIES")
    if(NOT name IN_LIST QLCLAPI_SUBSYSTEMS)
        message(FATAL_ERROR "qlclapi_subsystem: unknown subsystem ${name}")
    endif()
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(NOT WIN32)
        list(FILTER sources EXCLUDE REGEX "_win\\.cpp$")
    endif()
    set(target qlclapi_${name})
    if(sources)
        add_library(${target} STATIC ${sources})
        target_compile_options(${target} PRIVATE ${QLCLAPI_WARNINGS} ${QLCLAPI_LIBRARY_COMPILE_OPTIONS})
        set(scope PUBLIC)
    else()
        add_library(${target} INTERFACE)
        set(scope INTERFACE)
    endif()
    target_include_directories(${target} ${scope} ${CMAKE_SOURCE_DIR})
    foreach(dependency ${arg_DEPENDS})
        target_link_libraries(${target} ${scope} qlclapi_${dependency})
    endforeach()
    target_link_libraries(${target} ${scope} ${arg_PUBLIC_LIBRARIES})
    if(WIN32)
        if(sources)
            target_compile_definitions(${target} PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601)
        endif()
        target_link_libraries(${target} ${scope} ${arg_WINDOWS_LIBRARIES})
    endif()
    set_property(GLOBAL PROPERTY QLCLAPI_DEPENDS_${name} "${arg_DEPENDS}")
endfunction()

function(qlclapi_add_subsystems)
    foreach(name ${QLCLAPI_SUBSYSTEMS})
        add_subdirectory(${CMAKE_SOURCE_DIR}/${name} ${CMAKE_BINARY_DIR}/library-${name})
    endforeach()
endfunction()

# The edges as the build declares them, for scripts/check_layers.py: one
# line "FOLDER: FOLDER..." for each library folder (api depends on all).
function(qlclapi_write_layers file)
    set(content "# Allowed #include edges between the library's folders, as the build declares them.\n")
    foreach(name ${QLCLAPI_SUBSYSTEMS})
        get_property(depends GLOBAL PROPERTY QLCLAPI_DEPENDS_${name})
        list(JOIN depends " " depends)
        string(APPEND content "${name}: ${depends}\n")
    endforeach()
    list(JOIN QLCLAPI_SUBSYSTEMS " " all)
    string(APPEND content "api: ${all}\n")
    file(WRITE ${file} "${content}")
endfunction()

# The targets of `directory` (the simulated client's), one line each:
# "TARGET|LINK_LIBRARIES|SOURCES", for scripts/check_layers.py.
function(qlclapi_write_targets directory file)
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    set(content "")
    foreach(target ${targets})
        string(APPEND content "${target}|$<TARGET_PROPERTY:${target},LINK_LIBRARIES>|$<TARGET_PROPERTY:${target},SOURCES>\n")
    endforeach()
    file(GENERATE OUTPUT ${file} CONTENT "${content}")
endfunction()

# The layering check as tests of this build: the real tree, and the same
# tree with a wrong include planted in a subsystem and in the simulated
# client, which it must name by file and line.
function(qlclapi_add_layer_tests prefix)
    set(check python3 ${CMAKE_SOURCE_DIR}/scripts/check_layers.py --root ${CMAKE_SOURCE_DIR}
        --layers ${CMAKE_BINARY_DIR}/layers.txt ${ARGN})
    add_test(NAME ${prefix}.layers COMMAND ${check})
    add_test(NAME ${prefix}.layers.planted_include
        COMMAND ${check} --plant "config/settings_blob.h:#include \"diag/json_text.h\"")
    set_tests_properties(${prefix}.layers.planted_include PROPERTIES
        PASS_REGULAR_EXPRESSION "config/settings_blob.h:[0-9]+: config/ may not include \"diag/json_text.h\"")
    add_test(NAME ${prefix}.layers.planted_sim_include
        COMMAND ${check} --plant "sim/qlsim/commands.h:#include \"core/status.h\"")
    set_tests_properties(${prefix}.layers.planted_sim_include PROPERTIES
        PASS_REGULAR_EXPRESSION "sim/qlsim/commands.h:[0-9]+: the simulated client includes the library header")
    set_tests_properties(${prefix}.layers ${prefix}.layers.planted_include ${prefix}.layers.planted_sim_include
        PROPERTIES LABELS "layers")
endfunction()
