# The export lists api/exports/*.txt are the one source of the library's
# exports. A line is "Name cdecl", "Name stdcall@<bytes>" (bytes of arguments
# in the 32-bit build) or "Name alias:<Other>" (the entry of Other exported
# under a second name).

# Every listed export as "Name|kind", in list order; a new list or a changed
# one makes CMake run again.
function(qlclapi_read_export_lists result)
    file(GLOB lists CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/api/exports/*.txt)
    list(SORT lists)
    set(entries "")
    foreach(list_file ${lists})
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${list_file})
        file(STRINGS ${list_file} lines REGEX "^[A-Za-z]")
        foreach(line ${lines})
            if(NOT line MATCHES "^([A-Za-z0-9_]+)[ \t]+(cdecl|stdcall@[0-9]+|alias:[A-Za-z0-9_]+)[ \t]*$")
                message(FATAL_ERROR "${list_file}: bad export line '${line}'")
            endif()
            list(APPEND entries "${CMAKE_MATCH_1}|${CMAKE_MATCH_2}")
        endforeach()
    endforeach()
    set(${result} "${entries}" PARENT_SCOPE)
endfunction()

# Every listed export's name into `names`, in list order, and its calling
# convention into kind_<Name> in the caller's scope: "cdecl" or
# "stdcall@<bytes>", an alias taking its entry's. An alias of an export that
# is not listed stops the configuration.
function(qlclapi_read_export_kinds names)
    qlclapi_read_export_lists(entries)
    set(all "")
    foreach(entry ${entries})
        string(REPLACE "|" ";" fields "${entry}")
        list(GET fields 0 name)
        list(GET fields 1 kind_${name})
        list(APPEND all ${name})
    endforeach()
    foreach(name ${all})
        set(kind "${kind_${name}}")
        if(kind MATCHES "^alias:([A-Za-z0-9_]+)$")
            set(target ${CMAKE_MATCH_1})
            set(kind "${kind_${target}}")
            if(NOT kind MATCHES "^(cdecl|stdcall@[0-9]+)$")
                message(FATAL_ERROR "export ${name} is an alias of '${target}', which is not a listed entry")
            endif()
        endif()
        set(kind_${name} "${kind}" PARENT_SCOPE)
    endforeach()
    set(${names} "${all}" PARENT_SCOPE)
endfunction()

# Writes the module definition file of qlclapi.dll.
function(qlclapi_generate_def output)
    qlclapi_read_export_lists(entries)
    set(def "LIBRARY qlclapi.dll\nEXPORTS\n")
    # The linker's name of each entry: on x86 a __stdcall function is
    # Name@bytes, and an alias must point at that decorated name too.
    foreach(entry ${entries})
        if(entry MATCHES "^([A-Za-z0-9_]+)\\|stdcall@([0-9]+)$" AND QLCLAPI_ARCH STREQUAL "x86")
            set(linker_name_${CMAKE_MATCH_1} "${CMAKE_MATCH_1}@${CMAKE_MATCH_2}")
        endif()
    endforeach()
    foreach(entry ${entries})
        string(REPLACE "|" ";" fields "${entry}")
        list(GET fields 0 name)
        list(GET fields 1 kind)
        if(kind STREQUAL "cdecl")
            string(APPEND def "    ${name}\n")
        elseif(kind MATCHES "^stdcall@([0-9]+)$")
            if(QLCLAPI_ARCH STREQUAL "x86")
                string(APPEND def "    ${name}=${name}@${CMAKE_MATCH_1}\n")
            else()
                string(APPEND def "    ${name}\n")
            endif()
        elseif(kind MATCHES "^alias:([A-Za-z0-9_]+)$")
            set(target ${CMAKE_MATCH_1})
            if(DEFINED linker_name_${target})
                set(target ${linker_name_${target}})
            endif()
            string(APPEND def "    ${name}=${target}\n")
        endif()
    endforeach()
    file(GENERATE OUTPUT ${output} CONTENT "${def}")
endfunction()

# Writes one line per export for C++: QL_CDECL_EXPORT(Name) or
# QL_STDCALL_EXPORT(Name, bytes); an alias takes the line of its entry.
function(qlclapi_generate_export_table output)
    qlclapi_read_export_kinds(names)
    set(table "// Generated from api/exports/*.txt.\n")
    foreach(name ${names})
        if("${kind_${name}}" STREQUAL "cdecl")
            string(APPEND table "QL_CDECL_EXPORT(${name})\n")
        elseif("${kind_${name}}" MATCHES "^stdcall@([0-9]+)$")
            string(APPEND table "QL_STDCALL_EXPORT(${name}, ${CMAKE_MATCH_1})\n")
        endif()
    endforeach()
    file(GENERATE OUTPUT ${output} CONTENT "${table}")
endfunction()

# Writes the module definition file that import libraries are made from
# (the SDK ships it as lib/<arch>/qlclapi.def). On x86 a __stdcall entry,
# and an alias of one, is listed as Name@bytes: a caller compiled against
# the header references _Name@bytes, and the import library's tools
# (dlltool -k, llvm-dlltool -k, Microsoft's lib /def) then import the
# undecorated name that the DLL exports.
function(qlclapi_generate_import_def output arch)
    qlclapi_read_export_kinds(names)
    set(def "LIBRARY qlclapi.dll\nEXPORTS\n")
    foreach(name ${names})
        if("${kind_${name}}" MATCHES "^stdcall@([0-9]+)$" AND arch STREQUAL "x86")
            string(APPEND def "    ${name}@${CMAKE_MATCH_1}\n")
        else()
            string(APPEND def "    ${name}\n")
        endif()
    endforeach()
    file(GENERATE OUTPUT ${output} CONTENT "${def}")
endfunction()

# Writes the list of every export for C and C++:
#   #define QL_FOR_EACH_EXPORT(X) X(QuorlanGetVersion) X(QuorlanGetVersionVB) ...
# aliases included, in list order; the tests resolve each through its own
# PFN_ type from it.
function(qlclapi_generate_export_list output)
    qlclapi_read_export_kinds(names)
    set(text "// Generated from the export lists (api/exports): every export of qlclapi.dll.\n#pragma once\n\n")
    string(APPEND text "#define QL_FOR_EACH_EXPORT(X) \\\n")
    foreach(name ${names})
        string(APPEND text "    X(${name}) \\\n")
    endforeach()
    string(APPEND text "\n")
    file(GENERATE OUTPUT ${output} CONTENT "${text}")
endfunction()
