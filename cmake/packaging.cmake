# Packages made with CPack from the installation's components (cmake/install_rules.cmake):
# four Debian packages on Linux (bash scripts/package.sh), one zip on Windows.
set(CPACK_PACKAGE_NAME tessaly)
set(CPACK_PACKAGE_VENDOR "The Tessaly developers")
set(CPACK_PACKAGE_CONTACT "${TESSALY_CONTACT}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/COPYING)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME tessaly-${PROJECT_VERSION}-win64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
  include(CPack)
  return()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL cli library development)
if(TARGET tessaly)
  list(PREPEND CPACK_COMPONENTS_ALL tessaly)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_DEBIAN_TESSALY_PACKAGE_NAME tessaly)
set(CPACK_DEBIAN_TESSALY_PACKAGE_SECTION database)
set(CPACK_DEBIAN_TESSALY_DESCRIPTION "repair damaged dBASE and FoxPro tables (desktop application)
Tessaly rescues damaged DBF tables and their DBT or FPT memo files: it
salvages every readable record into a new, valid table, mends values that
break their type's rules, copies the memo data and logs exactly what it
did. The damaged files are only read.

This package holds the desktop application with its manual. A DBF file
opened with Tessaly from the file manager is filled in for a repair.")

set(CPACK_DEBIAN_CLI_PACKAGE_NAME tessaly-cli)
set(CPACK_DEBIAN_CLI_PACKAGE_SECTION database)
set(CPACK_DEBIAN_CLI_DESCRIPTION "repair damaged dBASE and FoxPro tables (command line)
tessaly-cli repairs damaged DBF tables and their DBT or FPT memo files from
a terminal or a script, with the same engine and options as the desktop
application, and shows the fields and records of a table.")

set(CPACK_DEBIAN_LIBRARY_PACKAGE_NAME libmendrel1)
set(CPACK_DEBIAN_LIBRARY_PACKAGE_SECTION libs)
# Debian refreshes the library cache through dpkg's ldconfig trigger. (CPack also writes
# postinst and postrm scripts that call ldconfig for any library below /usr/lib; they are
# redundant but harmless, and CPack has no switch to leave them out.)
set(CPACK_DEBIAN_LIBRARY_PACKAGE_CONTROL_EXTRA ${CMAKE_SOURCE_DIR}/packaging/debian/libmendrel1/triggers)
set(CPACK_DEBIAN_LIBRARY_DESCRIPTION "repair engine for damaged dBASE and FoxPro tables
Mendrel performs one complete repair of a DBF table and its DBT or FPT
memo file per call, reports progress and log lines through a callback, and
renders field values for display. It is the engine of tessaly and
tessaly-cli.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libmendrel-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "libmendrel1 (= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION "repair engine for damaged dBASE and FoxPro tables (development files)
The header mendrel.h and the pkg-config file mendrel.pc, for C and C++
programs that repair tables with the Mendrel engine through its ordinal
table.")

# Library dependencies come from dpkg-shlibdeps. libmendrel1 declares what its users depend
# on in its shlibs file; the programs beside it in this build find the same declaration in a
# package tree of the library made below, since libmendrel1 is not installed yet.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(shlibs_tree ${CMAKE_BINARY_DIR}/shlibs/libmendrel1)
file(WRITE ${shlibs_tree}/DEBIAN/shlibs "libmendrel 1 libmendrel1 (>= ${PROJECT_VERSION})\n")
add_custom_target(shlibs_tree ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${shlibs_tree}/${CMAKE_INSTALL_LIBDIR}
  COMMAND ${CMAKE_COMMAND} -E create_symlink $<TARGET_FILE:mendrel>
    ${shlibs_tree}/${CMAKE_INSTALL_LIBDIR}/$<TARGET_SONAME_FILE_NAME:mendrel>
  VERBATIM)
add_dependencies(shlibs_tree mendrel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${shlibs_tree}/${CMAKE_INSTALL_LIBDIR})

include(CPack)
