# Installation and packages on Windows (built with Qt 6 for Windows, MSVC or
# MinGW; see CMakePresets.json). Included from the top-level list:
#   cmake --install BUILD --prefix DIR     the two programs, the Qt libraries
#                                          and plugins beside them (windeployqt),
#                                          the Qt Russian translations
#   cpack --config BUILD/CPackConfig.cmake  a ZIP, and an NSIS installer where
#                                          NSIS (makensis) is installed
# Everything goes into the top of DIR: zuzo-transport.exe, zuzo.exe and the
# libraries side by side.

# The tool is a window program with its icon (packaging/zuzo-transport.ico,
# rendered from resources/app_icon.svg by zuzo-icon-render --ico).
target_sources(zuzo-transport PRIVATE packaging/zuzo-transport.rc)
set_source_files_properties(packaging/zuzo-transport.rc PROPERTIES
  OBJECT_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/packaging/zuzo-transport.ico)

install(TARGETS zuzo-transport zuzo RUNTIME DESTINATION .)

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
# NSIS: a Start menu entry for the tool, started in its installation folder
# (where "help.chm" is looked for), the icon on the installer and in the list
# of installed programs, uninstalling an older version first.
set(CPACK_PACKAGE_EXECUTABLES zuzo-transport "Vestorin Zuzo transport")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_DISPLAY_NAME "Vestorin Zuzo transport")
set(CPACK_NSIS_PACKAGE_NAME "Vestorin Zuzo transport")
set(CPACK_NSIS_MUI_ICON "${CMAKE_CURRENT_SOURCE_DIR}/packaging/zuzo-transport.ico")
set(CPACK_NSIS_MUI_UNIICON "${CMAKE_CURRENT_SOURCE_DIR}/packaging/zuzo-transport.ico")
set(CPACK_NSIS_INSTALLED_ICON_NAME zuzo-transport.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
include(CPack)
