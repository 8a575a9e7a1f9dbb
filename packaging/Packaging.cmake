# Installation layout and the Debian package.
include(GNUInstallDirs)

install(FILES ${CMAKE_SOURCE_DIR}/packaging/vantor.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The project file type (*.ad), so that file managers open project files with
# the program; dpkg's triggers rebuild the MIME and desktop databases.
install(FILES ${CMAKE_SOURCE_DIR}/packaging/vantor-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME vantor.xml)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/io.vantor.calculation.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/vantor-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME vantor.png)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/vantor.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/vantor-cli.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "vantor")
set(CPACK_PACKAGE_VENDOR "Vantor")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Design calculations for condensed aerosol fire-suppression systems")
set(CPACK_PACKAGE_CONTACT "Vantor <support@vantor.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-qpa-plugins")
set(CPACK_STRIP_FILES ON)
include(CPack)
