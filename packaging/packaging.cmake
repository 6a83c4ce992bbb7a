# Install rules and the Debian package (scripts/package).
#
#   bin/qeln-column, bin/qeln-cli
#   libexec/qeln/qeln-cli-pdf                     the PDF writer qeln-cli starts for --pdf
#   share/qeln/PROFKVL2.DBF                       the catalogue as built, read-only
#   share/applications/org.qeln.Column.desktop    application menu entry
#   share/metainfo/org.qeln.Column.metainfo.xml   AppStream
#   share/mime/packages/org.qeln.Column.xml       *.qln: application/x-qeln-project
#   share/icons/hicolor/scalable/apps/org.qeln.Column.svg
#
# Debian's triggers of desktop-file-utils, shared-mime-info and the icon
# theme update their caches when the package is installed.
set(QELN_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})

foreach(program qeln-column qeln-cli)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()
if(TARGET qeln-cli-pdf)
  install(TARGETS qeln-cli-pdf RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/qeln)
endif()
install(FILES ${QELN_BIN_DIR}/PROFKVL2.DBF DESTINATION ${QELN_INSTALL_DATA_DIR}
        PERMISSIONS OWNER_READ GROUP_READ WORLD_READ)
if(TARGET qeln-column)
  install(FILES ${QELN_PACKAGING_DIR}/org.qeln.Column.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${QELN_PACKAGING_DIR}/org.qeln.Column.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${QELN_PACKAGING_DIR}/org.qeln.Column.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
          RENAME org.qeln.Column.xml)
  install(FILES ${PROJECT_SOURCE_DIR}/data/pictures/icon.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME org.qeln.Column.svg)
endif()

# ---- Debian package: cpack -G DEB in the build folder
set(QELN_PACKAGE_MAINTAINER "QELN - Column developers <qeln-column@example.org>"
    CACHE STRING "Maintainer field of the Debian package")
set(CPACK_PACKAGE_NAME qeln-column)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "QELN")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "design of partially encased composite columns to Eurocode 4")
set(CPACK_PACKAGE_DESCRIPTION
    "QELN - Column designs partially encased composite columns (a rolled I/H steel\n"
    "profile with concrete between the flanges and longitudinal rebars): ultimate\n"
    "axial loads at room temperature (ENV 1994-1-1) and in the ISO standard fire,\n"
    "R30 to R120 (ENV 1994-1-2 Annex F), axially, eccentrically and biaxially.\n"
    "The package holds the desktop program qeln-column, the batch command line\n"
    "qeln-cli and the profile catalogue.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QELN_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# the schedule's XLSX export loads libxlsxwriter only when it writes a workbook
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${QELN_XLSXWRITER_PACKAGE}")
# the report's monospaced text looks for Liberation Mono or DejaVu Sans Mono
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation | fonts-dejavu-core")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_GENERATOR DEB)
include(CPack)
