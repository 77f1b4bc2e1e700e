# The reference of qlclapi.dll: Doxygen over the public header, whose
# comments are its one source. The build fails when Doxygen warns (an
# undocumented function, argument or result) or when an export of
# api/exports/*.txt has no entry with a description and a result.
find_program(QLCLAPI_DOXYGEN doxygen REQUIRED)

set(QLCLAPI_REFERENCE_DIR ${CMAKE_BINARY_DIR}/reference)
configure_file(${CMAKE_SOURCE_DIR}/docs/Doxyfile.in ${QLCLAPI_REFERENCE_DIR}/Doxyfile @ONLY)

qlclapi_read_export_lists(reference_entries)
set(reference_exports "")
foreach(entry ${reference_entries})
    string(REGEX REPLACE "\\|.*$" "" name "${entry}")
    string(APPEND reference_exports "${name}\n")
endforeach()
file(GENERATE OUTPUT ${QLCLAPI_REFERENCE_DIR}/exports.txt CONTENT "${reference_exports}")

# The stamp is written only when both steps passed, so a failed check runs
# again at the next build.
add_custom_command(
    OUTPUT ${QLCLAPI_REFERENCE_DIR}/documented.stamp
    BYPRODUCTS ${QLCLAPI_REFERENCE_DIR}/html/index.html
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${QLCLAPI_REFERENCE_DIR}/html ${QLCLAPI_REFERENCE_DIR}/xml
        ${QLCLAPI_REFERENCE_DIR}/documented.stamp
    COMMAND ${QLCLAPI_DOXYGEN} ${QLCLAPI_REFERENCE_DIR}/Doxyfile
    COMMAND ${CMAKE_COMMAND} -DXML=${QLCLAPI_REFERENCE_DIR}/xml/qlclapi_8h.xml
        -DEXPORTS=${QLCLAPI_REFERENCE_DIR}/exports.txt -DSTAMP=${QLCLAPI_REFERENCE_DIR}/documented.stamp
        -P ${CMAKE_SOURCE_DIR}/cmake/check_reference.cmake
    DEPENDS ${CMAKE_SOURCE_DIR}/include/qlclapi.h ${CMAKE_SOURCE_DIR}/docs/mainpage.md
        ${QLCLAPI_REFERENCE_DIR}/Doxyfile ${QLCLAPI_REFERENCE_DIR}/exports.txt
        ${CMAKE_SOURCE_DIR}/cmake/check_reference.cmake
    COMMENT "Reference of qlclapi.dll (Doxygen) and the check that every export has its entry"
    VERBATIM)
add_custom_target(qlclapi_reference ALL DEPENDS ${QLCLAPI_REFERENCE_DIR}/documented.stamp)
