# cmake -DXML=<Doxygen's XML of qlclapi.h> -DEXPORTS=<one export name a line>
#       -DSTAMP=<file written on success> -P check_reference.cmake
#
# Every export must have a function entry in the reference with a brief
# description and a documented result. Doxygen's own warnings cover the
# arguments, but only of the functions it saw: a declaration its
# preprocessor lost would just be missing, which this check catches.
file(READ "${XML}" xml)
file(STRINGS "${EXPORTS}" exports)

set(faults "")
foreach(name ${exports})
    string(FIND "${xml}" "<name>${name}</name>" at)
    if(at EQUAL -1)
        list(APPEND faults "${name}: no entry")
        continue()
    endif()
    # The entry is the memberdef that holds this name.
    string(SUBSTRING "${xml}" 0 ${at} before)
    string(FIND "${before}" "<memberdef " start REVERSE)
    string(SUBSTRING "${xml}" ${start} -1 entry)
    string(FIND "${entry}" "</memberdef>" end)
    string(SUBSTRING "${entry}" 0 ${end} entry)
    if(NOT entry MATCHES "^<memberdef kind=\"function\"")
        list(APPEND faults "${name}: documented, but not as a function")
    elseif(NOT entry MATCHES "<briefdescription>[ \t\r\n]*<para>")
        list(APPEND faults "${name}: no brief description")
    elseif(NOT entry MATCHES "<simplesect kind=\"return\">")
        list(APPEND faults "${name}: no documented result")
    endif()
endforeach()

if(faults)
    list(JOIN faults "\n  " text)
    message(FATAL_ERROR "The reference lacks entries for exports of api/exports/*.txt:\n  ${text}")
endif()
list(LENGTH exports count)
file(WRITE "${STAMP}" "${count} exports documented\n")
