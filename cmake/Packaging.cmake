# Install layout and packages.
#
# Linux (.deb and .tar.gz of the same tree): the programs (the configurator, the CLI and the
# CLI's report program), the shipped languages and Qt's
# translations of its own texts (translations/qtbase_*.qm) under /opt/kt52903, a launcher in
# /usr/bin that runs them from a per-user Workspace copy, a desktop entry and an icon.
# Windows: the programs, LANGUAGE and translations in the install prefix, ready for
# windeployqt and the NSIS installer (packaging/windows/kt52903.nsi).

if(WIN32)
  install(TARGETS kt52903-cli RUNTIME DESTINATION .)
  # The handover command's PDF is drawn by kt52903-report, which must lie beside the CLI.
  if(TARGET kt52903-report)
    install(TARGETS kt52903-report RUNTIME DESTINATION .)
  endif()
  if(KT_BUILD_GUI)
    install(TARGETS kt52903 RUNTIME DESTINATION .)
  endif()
  install(FILES ${KT_LANG_FILES} DESTINATION LANGUAGE)
  install(FILES ${KT_QT_QM_FILES} DESTINATION translations)
  return()
endif()
if(APPLE OR NOT KT_BUILD_GUI)
  return()
endif()

set(KT_APP_DIR opt/kt52903)
# kt52903-report draws the PDF of the CLI's handover command and must lie beside the CLI.
install(TARGETS kt52903 kt52903-cli kt52903-report RUNTIME DESTINATION ${KT_APP_DIR})
install(FILES ${KT_LANG_FILES} DESTINATION ${KT_APP_DIR}/LANGUAGE)
install(FILES ${KT_QT_QM_FILES} DESTINATION ${KT_APP_DIR}/translations)
install(PROGRAMS packaging/linux/kt52903.sh DESTINATION usr/bin RENAME kt52903)
install(PROGRAMS packaging/linux/kt52903.sh DESTINATION usr/bin RENAME kt52903-cli)
install(FILES packaging/linux/kt52903.desktop DESTINATION usr/share/applications)
install(FILES packaging/linux/kt52903.svg DESTINATION usr/share/icons/hicolor/scalable/apps)
install(FILES packaging/linux/copyright DESTINATION usr/share/doc/kt52903)

set(KT_PACKAGE_CONTACT "KT52903 maintainers <kt52903@localhost>" CACHE STRING
    "Maintainer named in the .deb")
set(CPACK_GENERATOR "DEB;TGZ")
set(CPACK_PACKAGE_NAME kt52903)
set(CPACK_PACKAGE_VENDOR "Tarvix")
set(CPACK_PACKAGE_CONTACT "${KT_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configurator of the GX52903 CAN / PROFIBUS DP slave converter")
set(CPACK_PACKAGING_INSTALL_PREFIX "/")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Opened at the first version check, so no program links it and the scan above misses it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libcurl4")
set(CPACK_PACKAGE_DESCRIPTION "Prepares Projects for the GX52903 converter (CAN bit rate, PROFIBUS
address, received and sent CAN frames), writes the GSD file for the PLC's
engineering tool and compiles the configuration image that the CAN updater
writes into the device. Includes the command line tool kt52903-cli. Each user
works in a Workspace of their own under $XDG_DATA_HOME/kt52903.")
set(CPACK_ARCHIVE_FILE_NAME "kt52903-${PROJECT_VERSION}-Linux")
include(CPack)
