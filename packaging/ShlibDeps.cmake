# Run by cpack once the files are staged: adds the packages of the shared
# libraries the programs link, as dpkg-shlibdeps names them, to Depends.
# CPack's own scan would run `file` on each of the demo catalogue's thousands
# of files to find the same two programs.
find_program(QX_SHLIBDEPS dpkg-shlibdeps)
if(NOT QX_SHLIBDEPS)
    message(FATAL_ERROR "dpkg-shlibdeps is missing (Debian package dpkg-dev)")
endif()
set(programs "")
foreach(program IN LISTS CPACK_QX_PROGRAMS)
    list(APPEND programs "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/${program}")
endforeach()
# dpkg-shlibdeps wants a debian/control beside it; keep it out of the package.
set(work "${CPACK_TOPLEVEL_DIRECTORY}/shlibdeps")
file(WRITE "${work}/debian/control" "")
execute_process(COMMAND ${QX_SHLIBDEPS} -O ${programs}
                WORKING_DIRECTORY "${work}"
                OUTPUT_VARIABLE found ERROR_VARIABLE errors RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT found MATCHES "shlibs:Depends=([^\n]*)")
    message(FATAL_ERROR "dpkg-shlibdeps failed (${result}): ${errors}")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CMAKE_MATCH_1}, ${CPACK_DEBIAN_PACKAGE_DEPENDS}")
