# Installation and the Debian package. Included from the top-level list:
#   cmake --install BUILD [--prefix DIR]   the three programs, desktop entry,
#                                          icons and the manual page
#   cpack --config BUILD/CPackConfig.cmake  zuzo-transport_<version>_<arch>.deb
include(GNUInstallDirs)

# The application icon in the sizes of the hicolor theme, rendered from the
# same drawing the window uses.
set(ZUZO_ICON_SIZES 16 32 48 64 128 256)
add_executable(zuzo-icon-render packaging/icon_render.cpp)
target_link_libraries(zuzo-icon-render PRIVATE Qt6::Gui Qt6::Svg)
set(ZUZO_ICON_DIR ${CMAKE_CURRENT_BINARY_DIR}/icons)
set(ZUZO_ICON_FILES)
foreach(side IN LISTS ZUZO_ICON_SIZES)
  list(APPEND ZUZO_ICON_FILES ${ZUZO_ICON_DIR}/${side}/zuzo-transport.png)
endforeach()
add_custom_command(
  OUTPUT ${ZUZO_ICON_FILES}
  COMMAND zuzo-icon-render ${CMAKE_CURRENT_SOURCE_DIR}/resources/app_icon.svg ${ZUZO_ICON_DIR}
          ${ZUZO_ICON_SIZES}
  DEPENDS zuzo-icon-render ${CMAKE_CURRENT_SOURCE_DIR}/resources/app_icon.svg
  COMMENT "Rendering the application icon")
add_custom_target(zuzo_icons ALL DEPENDS ${ZUZO_ICON_FILES})

install(TARGETS zuzo-transport zuzo zuzo-devsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES packaging/zuzo-transport.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/app_icon.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME zuzo-transport.svg)
foreach(side IN LISTS ZUZO_ICON_SIZES)
  install(FILES ${ZUZO_ICON_DIR}/${side}/zuzo-transport.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${side}x${side}/apps)
endforeach()
install(FILES packaging/zuzo.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# --- Debian package ----------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zuzo-transport)
set(CPACK_PACKAGE_VENDOR "Vestorin")
set(CPACK_PACKAGE_CONTACT "Vestorin <support@vestorin.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration tool for the Vestorin Zuzo signalling device")
set(CPACK_PACKAGE_DESCRIPTION
    "zuzo-transport connects to the Vestorin Zuzo signalling device over a serial port, edits its optics
settings and weekly plan, writes and reads them, and keeps programs in .ptm files (Russian user
interface). The package also holds zuzo, a command-line companion for program files and devices, and
zuzo-devsim, a device simulator on a pseudo-terminal.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY zuzo-transport)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt libraries are found by dpkg-shlibdeps (package dpkg-dev); the
# platform plugins and Qt's Russian texts (qtbase_ru.qm) are loaded at run
# time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
include(CPack)
