# What an installation holds, per package component:
#   tessaly      the desktop application, its manual, license, desktop entry, icons,
#                AppStream data and manual page
#   cli          tessaly-cli and its manual page
#   library      libmendrel.so.1 (Mendrel.dll on Windows)
#   development  mendrel.h, the link libmendrel.so and mendrel.pc (the import library on Windows)
# The Debian packages and the Windows zip are made from these (cmake/packaging.cmake).

include(GNUInstallDirs)

set(TESSALY_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)

if(WIN32)
  # The zip: the programs at the top, beside the header and import library folders.
  install(TARGETS mendrel RUNTIME DESTINATION . COMPONENT library
                          ARCHIVE DESTINATION lib COMPONENT development)
  install(TARGETS tessaly-cli RUNTIME DESTINATION . COMPONENT cli)
  install(FILES engine/include/mendrel.h DESTINATION include COMPONENT development)
  # Text files with the line ends Windows editors expect.
  configure_file(${TESSALY_PACKAGING_DIR}/windows/README.txt ${CMAKE_BINARY_DIR}/README.txt @ONLY
    NEWLINE_STYLE CRLF)
  configure_file(COPYING ${CMAKE_BINARY_DIR}/COPYING.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${CMAKE_BINARY_DIR}/README.txt ${CMAKE_BINARY_DIR}/COPYING.txt DESTINATION .
    COMPONENT cli)
  return()
endif()

install(TARGETS mendrel
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT library NAMELINK_COMPONENT development)
install(FILES engine/include/mendrel.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT development)
# The prefix is the one of the installation (/usr in a package), known only when it runs.
install(CODE "set(MENDREL_PC_PREFIX \"\${CMAKE_INSTALL_PREFIX}\")
  set(CMAKE_INSTALL_LIBDIR \"${CMAKE_INSTALL_LIBDIR}\")
  set(CMAKE_INSTALL_INCLUDEDIR \"${CMAKE_INSTALL_INCLUDEDIR}\")
  set(PROJECT_VERSION \"${PROJECT_VERSION}\")
  configure_file(\"${TESSALY_PACKAGING_DIR}/mendrel.pc.in\" \"${CMAKE_BINARY_DIR}/mendrel.pc\" @ONLY)"
  COMPONENT development)
install(FILES ${CMAKE_BINARY_DIR}/mendrel.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
  COMPONENT development)

install(TARGETS tessaly-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT cli)

# Manual pages (the version filled in) and the changelog, compressed without a time stamp
# as Debian wants them.
set(TESSALY_DOC_DIR ${CMAKE_BINARY_DIR}/doc)
set(TESSALY_COMPRESSED_DOCS)
function(tessaly_compressed_copy source name)
  configure_file(${source} ${TESSALY_DOC_DIR}/${name} @ONLY)
  add_custom_command(OUTPUT ${TESSALY_DOC_DIR}/${name}.gz
    COMMAND gzip -9nkf ${TESSALY_DOC_DIR}/${name}
    DEPENDS ${TESSALY_DOC_DIR}/${name} VERBATIM)
  list(APPEND TESSALY_COMPRESSED_DOCS ${TESSALY_DOC_DIR}/${name}.gz)
  set(TESSALY_COMPRESSED_DOCS ${TESSALY_COMPRESSED_DOCS} PARENT_SCOPE)
endfunction()
tessaly_compressed_copy(${CMAKE_SOURCE_DIR}/docs/man/tessaly.1.in tessaly.1)
tessaly_compressed_copy(${CMAKE_SOURCE_DIR}/docs/man/tessaly-cli.1.in tessaly-cli.1)
tessaly_compressed_copy(${TESSALY_PACKAGING_DIR}/debian/changelog changelog)
add_custom_target(compressed_docs ALL DEPENDS ${TESSALY_COMPRESSED_DOCS})
install(FILES ${TESSALY_DOC_DIR}/tessaly-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT cli)

# Each package carries the license as Debian's copyright file and the changelog.
file(READ ${CMAKE_SOURCE_DIR}/COPYING TESSALY_LICENSE)
string(REGEX REPLACE "\n+$" "" TESSALY_LICENSE "${TESSALY_LICENSE}")
string(REGEX REPLACE "\n\n" "\n.\n" TESSALY_LICENSE "${TESSALY_LICENSE}")
string(REGEX REPLACE "\n" "\n " TESSALY_LICENSE "${TESSALY_LICENSE}")
configure_file(${TESSALY_PACKAGING_DIR}/debian/copyright.in ${CMAKE_BINARY_DIR}/debian/copyright @ONLY)
foreach(package_component tessaly:tessaly cli:tessaly-cli library:libmendrel1 development:libmendrel-dev)
  string(REPLACE ":" ";" pair ${package_component})
  list(GET pair 0 component)
  list(GET pair 1 package)
  install(FILES ${CMAKE_BINARY_DIR}/debian/copyright ${TESSALY_DOC_DIR}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package} COMPONENT ${component})
endforeach()

if(TARGET tessaly)
  install(TARGETS tessaly RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT tessaly)
  install(FILES ${TESSALY_DOC_DIR}/tessaly.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT tessaly)
  # The window opens these from ../share/tessaly beside its folder.
  install(FILES app/manual/tessaly.html COPYING DESTINATION ${CMAKE_INSTALL_DATADIR}/tessaly
    COMPONENT tessaly)
  install(FILES ${TESSALY_PACKAGING_DIR}/linux/${TESSALY_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT tessaly)
  configure_file(${TESSALY_PACKAGING_DIR}/linux/${TESSALY_APP_ID}.metainfo.xml.in
    ${CMAKE_BINARY_DIR}/${TESSALY_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/${TESSALY_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT tessaly)
  install(DIRECTORY ${TESSALY_PACKAGING_DIR}/linux/icons/
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor COMPONENT tessaly)
endif()
