# The library's string table and the language modules, both made from
# string sources (resources/strings/en-US.txt and its translations) by
# qlstrings, a tool that runs on the build machine. Included by the nested
# library build, which makes the library's own table and the modules that
# ship beside it, and by the outer build, whose tests make modules of their
# own.
include_guard(DIRECTORY)

set(QLCLAPI_STRING_SOURCE ${CMAKE_SOURCE_DIR}/resources/strings/en-US.txt)
set(QLSTRINGS_SOURCES
    ${CMAKE_SOURCE_DIR}/tools/qlstrings/main.cpp
    ${CMAKE_SOURCE_DIR}/tools/qlstrings/pseudo_locale.cpp
    ${CMAKE_SOURCE_DIR}/tools/qlstrings/rc_writer.cpp
    ${CMAKE_SOURCE_DIR}/resources/strings/string_source.cpp)

# In a cross build CMake's compilers make Windows programs, so the tool is
# compiled with the build machine's own compiler.
find_program(QLCLAPI_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
set(QLSTRINGS ${CMAKE_BINARY_DIR}/host/qlstrings)
file(GLOB QLSTRINGS_HEADERS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/qlstrings/*.h
    ${CMAKE_SOURCE_DIR}/resources/strings/*.h)
add_custom_command(OUTPUT ${QLSTRINGS}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host
    COMMAND ${QLCLAPI_HOST_CXX} -std=c++17 -O1 ${QLCLAPI_WARNINGS} -I${CMAKE_SOURCE_DIR} ${QLSTRINGS_SOURCES}
        -o ${QLSTRINGS}
    DEPENDS ${QLSTRINGS_SOURCES} ${QLSTRINGS_HEADERS}
    COMMENT "Building qlstrings for the build machine" VERBATIM)
add_custom_target(qlstrings DEPENDS ${QLSTRINGS})

# A resource script with the string table of `source` in language `langid`.
function(qlclapi_string_script output source langid)
    add_custom_command(OUTPUT ${output}
        COMMAND ${QLSTRINGS} rc ${source} ${output} ${langid}
        DEPENDS ${source} ${QLSTRINGS} qlstrings VERBATIM)
endfunction()

# A pseudo-locale source made from `source`: every text bracketed, accented
# and `percent` longer.
function(qlclapi_pseudo_source output source percent)
    add_custom_command(OUTPUT ${output}
        COMMAND ${QLSTRINGS} pseudo ${source} ${output} ${percent}
        DEPENDS ${source} ${QLSTRINGS} qlstrings VERBATIM)
endfunction()

# qlclapi_add_language_module(LANG TEXTS [LANGID id] [OUTPUT_DIRECTORY dir]
#                             [PRODUCT_VERSION a,b,c,d] [NO_VERSION] [NO_TEXTS])
#
# Builds LANG/qlclapi.resources.dll below OUTPUT_DIRECTORY (the folder of
# qlclapi.dll unless given): a resource-only DLL with the
# texts of the string source TEXTS in language LANGID (neutral unless
# given) and the library's own product version, which the library requires
# of a module. PRODUCT_VERSION and NO_VERSION make modules the library must
# refuse, NO_TEXTS one without a string table (TEXTS is then ignored). The
# target is qlclapi_language_<LANG>.
function(qlclapi_add_language_module lang texts)
    cmake_parse_arguments(PARSE_ARGV 2 ARG "NO_VERSION;NO_TEXTS" "LANGID;OUTPUT_DIRECTORY;PRODUCT_VERSION" "")
    if(NOT ARG_LANGID)
        set(ARG_LANGID 0)
    endif()
    if(NOT ARG_OUTPUT_DIRECTORY AND QLCLAPI_LIBRARY_OUTPUT_DIR)
        set(ARG_OUTPUT_DIRECTORY ${QLCLAPI_LIBRARY_OUTPUT_DIR})
    elseif(NOT ARG_OUTPUT_DIRECTORY)
        set(ARG_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
    endif()
    set(target qlclapi_language_${lang})
    set(dir ${CMAKE_BINARY_DIR}/language-modules/${lang})
    set(sources)
    if(NOT ARG_NO_TEXTS)
        qlclapi_string_script(${dir}/strings.rc ${texts} ${ARG_LANGID})
        list(APPEND sources ${dir}/strings.rc)
    endif()
    if(NOT ARG_NO_VERSION)
        set(script "// The version block of the language module ${lang}.\n")
        if(ARG_PRODUCT_VERSION)
            string(REPLACE "," "." text ${ARG_PRODUCT_VERSION})
            string(APPEND script "#define QLCLAPI_VERSION_WORDS ${ARG_PRODUCT_VERSION}\n"
                "#define QLCLAPI_VERSION_TEXT \"${text}\"\n")
        endif()
        string(APPEND script "#define QLCLAPI_FILE_DESCRIPTION \"Quorlan Vorantis client API texts, ${lang}\"\n"
            "#define QLCLAPI_INTERNAL_NAME \"qlclapi.resources\"\n"
            "#define QLCLAPI_ORIGINAL_FILENAME \"qlclapi.resources.dll\"\n"
            "#include \"version.rc\"\n")
        file(GENERATE OUTPUT ${dir}/module_version.rc CONTENT "${script}")
        list(APPEND sources ${dir}/module_version.rc)
    endif()
    add_library(${target} SHARED ${sources})
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/resources)
    set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME qlclapi.resources SUFFIX .dll
        ARCHIVE_OUTPUT_NAME ${target} LINKER_LANGUAGE C RUNTIME_OUTPUT_DIRECTORY ${ARG_OUTPUT_DIRECTORY}/${lang})
    # Resources only: no code, no entry point, no runtime.
    target_link_options(${target} PRIVATE -nostdlib -Wl,-e,0 -s)
endfunction()

if(NOT QLCLAPI_LIBRARY_ONLY)
    return()
endif()

# The library's own table: English (United States).
qlclapi_string_script(${CMAKE_BINARY_DIR}/strings/en-US.rc ${QLCLAPI_STRING_SOURCE} 0x0409)
target_sources(qlclapi PRIVATE ${CMAKE_BINARY_DIR}/strings/en-US.rc)

# The platform's pseudo-locale, made from the English source, so that every
# build shows where a module's texts appear and where the limits cut them.
qlclapi_pseudo_source(${CMAKE_BINARY_DIR}/strings/qps-ploc.txt ${QLCLAPI_STRING_SOURCE} 40)
qlclapi_add_language_module(qps-ploc ${CMAKE_BINARY_DIR}/strings/qps-ploc.txt LANGID 0x0501)
add_dependencies(qlclapi qlclapi_language_qps-ploc)
