# Installs the helper's systemd user unit, naming the program where this install puts it (the
# prefix is known only when installing: a package's is /usr). Set TAVORIN_PRIVATE_DIR before including.
set(program "${CMAKE_INSTALL_PREFIX}/${TAVORIN_PRIVATE_DIR}/Tavorin Helper.app/Contents/bin/tavorin-helper")
foreach(code RANGE 1 31)
  string(ASCII ${code} control)
  string(FIND "${program}" "${control}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "The install prefix holds a control character, which a systemd unit cannot name: ${CMAKE_INSTALL_PREFIX}")
  endif()
endforeach()
# Within the unit's double quotes a backslash and a quote are escaped, and '%' starts a specifier.
string(REPLACE "\\" "\\\\" program "${program}")
string(REPLACE "\"" "\\\"" program "${program}")
string(REPLACE "%" "%%" program "${program}")
set(TAVORIN_HELPER_PROGRAM "${program}")
set(unit "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/lib/systemd/user/tavorin-helper.service")
message(STATUS "Installing: ${unit}")
configure_file("${CMAKE_CURRENT_LIST_DIR}/tavorin-helper.service.in" "${unit}" @ONLY)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${unit}")
