# Installation and packages on Windows (built with Qt 6 for Windows, MSVC or
# MinGW; see CMakePresets.json). Included from the top-level list:
#   cmake --install BUILD --prefix DIR     the two programs, the Qt libraries
#                                          and plugins beside them (windeployqt),
#                                          the Qt Russian translations
#   cpack --config BUILD/CPackConfig.cmake  a ZIP, and an NSIS installer where
#                                          NSIS (makensis) is installed
# Everything goes into the top of DIR: zuzo-transport.exe, zuzo.exe, the
# libraries and the user manual help.chm side by side; the manual's pages in
# DIR/help.
include(packaging/help.cmake)

# Both programs carry version information and a manifest, the tool also its
# icon (packaging/zuzo-transport.ico, rendered from resources/app_icon.svg by
# zuzo-icon-render --ico); packaging/windows_resources.cmake writes them.
set(ZUZO_WIN_RESOURCES ${CMAKE_CURRENT_BINARY_DIR}/win-resources)
foreach(program zuzo-transport zuzo)
  target_sources(${program} PRIVATE ${ZUZO_WIN_RESOURCES}/${program}.rc)
  set_source_files_properties(${ZUZO_WIN_RESOURCES}/${program}.rc PROPERTIES
    OBJECT_DEPENDS ${ZUZO_WIN_RESOURCES}/${program}.manifest)
  if(MSVC)
    target_sources(${program} PRIVATE ${ZUZO_WIN_RESOURCES}/${program}.manifest)
  endif()
endforeach()
set_property(SOURCE ${ZUZO_WIN_RESOURCES}/zuzo-transport.rc APPEND PROPERTY
  OBJECT_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/packaging/zuzo-transport.ico)

install(TARGETS zuzo-transport zuzo RUNTIME DESTINATION .)

# The user manual: help.chm beside the tool, whose Start menu shortcut starts
# it in this folder (Help opens help.chm from the working folder).
zuzo_install_help(. help)

# Qt's own dialogs and buttons in Russian: the translation sits beside the
# program.
set(ZUZO_QT_TRANSLATION "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_TRANSLATIONS}/qtbase_ru.qm")
if(NOT EXISTS "${ZUZO_QT_TRANSLATION}")
  message(FATAL_ERROR "${ZUZO_QT_TRANSLATION} is missing: install the Qt translations with Qt")
endif()
install(FILES "${ZUZO_QT_TRANSLATION}" DESTINATION .)

# windeployqt copies the Qt libraries, the plugins the programs load (platform,
# styles, image formats), the compiler's run-time libraries and Qt's combined
# Russian translation (translations/qt_ru.qm) next to the programs.
find_program(ZUZO_WINDEPLOYQT windeployqt HINTS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}" REQUIRED)
install(CODE "
  execute_process(
    COMMAND \"${ZUZO_WINDEPLOYQT}\" --translations ru --no-system-d3d-compiler --no-opengl-sw
            --dir \"\${CMAKE_INSTALL_PREFIX}\"
            \"\${CMAKE_INSTALL_PREFIX}/zuzo-transport.exe\" \"\${CMAKE_INSTALL_PREFIX}/zuzo.exe\"
    COMMAND_ECHO STDOUT
    COMMAND_ERROR_IS_FATAL ANY)
")
# MSVC's run-time libraries (MinGW's come with windeployqt).
set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION .)
include(InstallRequiredSystemLibraries)

# --- packages -------------------------------------------------------------------
set(CPACK_GENERATOR ZIP)
find_program(ZUZO_MAKENSIS makensis)
if(ZUZO_MAKENSIS)
  list(APPEND CPACK_GENERATOR NSIS)
else()
  message(WARNING "NSIS (makensis) is not on PATH: only the ZIP package is made, no installer. "
                  "Install NSIS, add its folder to PATH and configure again for the installer.")
endif()
set(CPACK_PACKAGE_NAME zuzo-transport)
set(CPACK_PACKAGE_VENDOR "Vestorin")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration tool for the Vestorin Zuzo signalling device")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Vestorin Zuzo transport")
set(CPACK_SYSTEM_NAME windows-x64)
set(CPACK_STRIP_FILES OFF)
# The NSIS lines below hold quotes and backslashes: hand them to cpack as
# written.
set(CPACK_VERBATIM_VARIABLES ON)
# NSIS: a Start menu entry for the tool, started in its installation folder
# (SetOutPath sets the shortcut's working folder: there Help finds
# "help.chm"), the icon on the installer and in the list of installed
# programs, uninstalling an older version first.
set(CPACK_NSIS_CREATE_ICONS_EXTRA "
  SetOutPath \"$INSTDIR\"
  CreateShortCut \"$SMPROGRAMS\\$STARTMENU_FOLDER\\Vestorin Zuzo transport.lnk\" \"$INSTDIR\\zuzo-transport.exe\"")
set(CPACK_NSIS_DELETE_ICONS_EXTRA "
  Delete \"$SMPROGRAMS\\$MUI_TEMP\\Vestorin Zuzo transport.lnk\"")
set(CPACK_NSIS_DISPLAY_NAME "Vestorin Zuzo transport")
set(CPACK_NSIS_PACKAGE_NAME "Vestorin Zuzo transport")
set(CPACK_NSIS_MUI_ICON "${CMAKE_CURRENT_SOURCE_DIR}/packaging/zuzo-transport.ico")
set(CPACK_NSIS_MUI_UNIICON "${CMAKE_CURRENT_SOURCE_DIR}/packaging/zuzo-transport.ico")
set(CPACK_NSIS_INSTALLED_ICON_NAME zuzo-transport.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
include(CPack)
