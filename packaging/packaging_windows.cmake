# Installation and packages on Windows (built with Qt 6 for Windows, MSVC or
# MinGW; see CMakePresets.json). Included from the top-level list:
#   cmake --install BUILD --prefix DIR     the two programs with the Qt
#                                          libraries and plugins they load, the
#                                          compiler's run-time libraries, Qt's
#                                          Russian catalogue and the manual
#   cpack --config BUILD/CPackConfig.cmake  a ZIP, and the installer
#                                          zuzo-transport-VERSION-win64.exe
#                                          where NSIS (makensis) is installed
# The programs and everything they load go into DIR/bin, side by side with
# the user manual help.chm (the folder that the installer may put on PATH,
# so that batch files call zuzo by name); the manual's pages into DIR/help.
# scripts/installer-check.sh builds the installer with mingw-w64 and tries
# it under Wine.
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

set(ZUZO_WIN_BIN bin)
install(TARGETS zuzo-transport zuzo RUNTIME DESTINATION ${ZUZO_WIN_BIN})

# The user manual: help.chm beside the tool, whose Start menu shortcut starts
# it in this folder (Help opens help.chm from the working folder).
zuzo_install_help(${ZUZO_WIN_BIN} help)

# Qt's own dialogs and buttons in Russian: the catalogue sits beside the
# program, where the tool looks for it. A Qt cross-built for Windows has no
# catalogues of its own; the host's Qt of the same version has them.
find_file(ZUZO_QT_TRANSLATION qtbase_ru.qm
  PATHS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_TRANSLATIONS}" "${QT_HOST_PATH}/share/qt6/translations"
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT ZUZO_QT_TRANSLATION)
  message(FATAL_ERROR "qtbase_ru.qm is missing: install the Qt translations with Qt "
                      "(Debian: qt6-translations-l10n)")
endif()
install(FILES "${ZUZO_QT_TRANSLATION}" DESTINATION ${ZUZO_WIN_BIN})

# Exactly the Qt libraries the programs link and the plugins they load: the
# platform (windows) and the native look (windowsvista). The pictures are
# SVG drawn by QSvgRenderer, so no image format or icon engine plugin is
# needed.
foreach(library Core Gui Widgets SerialPort Svg)
  install(FILES $<TARGET_FILE:Qt6::${library}> DESTINATION ${ZUZO_WIN_BIN})
endforeach()
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION ${ZUZO_WIN_BIN}/platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION ${ZUZO_WIN_BIN}/styles)

# The compiler's run-time libraries: MinGW's three, found where the compiler
# takes them from; MSVC's through InstallRequiredSystemLibraries.
if(MINGW)
  foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                    OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${found}" OR NOT EXISTS "${found}")
      message(FATAL_ERROR "${runtime} of the compiler is not found")
    endif()
    file(REAL_PATH "${found}" found)
    install(FILES "${found}" DESTINATION ${ZUZO_WIN_BIN})
  endforeach()
else()
  set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION ${ZUZO_WIN_BIN})
  include(InstallRequiredSystemLibraries)
endif()

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
set(CPACK_PACKAGE_FILE_NAME zuzo-transport-${PROJECT_VERSION}-win64)
# The installer's licence page: the package's copyright notice, as in the
# Debian package.
set(CPACK_RESOURCE_FILE_LICENSE "${CMAKE_CURRENT_SOURCE_DIR}/packaging/copyright")
set(CPACK_STRIP_FILES OFF)
# The NSIS lines below hold quotes and backslashes: hand them to cpack as
# written.
set(CPACK_VERBATIM_VARIABLES ON)
# NSIS: 64-bit programs go under "Program Files", not "Program Files (x86)".
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
# A Start menu entry for the tool, started in the folder of the programs
# (SetOutPath sets the shortcut's working folder: there Help finds
# "help.chm"), and one on the desktop when asked for; the icon on the
# installer and in the list of installed programs; an older version
# uninstalled first.
set(CPACK_NSIS_CREATE_ICONS_EXTRA "
  SetOutPath \"$INSTDIR\\bin\"
  CreateShortCut \"$SMPROGRAMS\\$STARTMENU_FOLDER\\Vestorin Zuzo transport.lnk\" \"$INSTDIR\\bin\\zuzo-transport.exe\"
  StrCmp \"$INSTALL_DESKTOP\" \"1\" 0 +2
    CreateShortCut \"$DESKTOP\\Vestorin Zuzo transport.lnk\" \"$INSTDIR\\bin\\zuzo-transport.exe\"")
# Uninstalling also removes the maker's registry key, once no other program
# of the maker keeps its settings there.
set(CPACK_NSIS_DELETE_ICONS_EXTRA "
  Delete \"$SMPROGRAMS\\$MUI_TEMP\\Vestorin Zuzo transport.lnk\"
  StrCmp \"$INSTALL_DESKTOP\" \"1\" 0 +2
    Delete \"$DESKTOP\\Vestorin Zuzo transport.lnk\"
  DeleteRegKey /ifempty SHCTX \"Software\\Vestorin\"")
# The options page offers the folder of the programs (bin) on PATH, for all
# users or for the current one, so that batch files call zuzo by name; it
# is removed from PATH on uninstalling. A silent install (/S) takes the same
# choice from the command line: /PATH=ALL or /PATH=USER. Installing over an
# earlier installation first runs its uninstaller, which takes the folder
# off PATH in the registry, while the installer's own environment still has
# it, and the step that adds it looks there: so the installer's environment
# is first given the registry's PATH, and the folder is added again.
set(CPACK_NSIS_MODIFY_PATH ON)
set(CPACK_NSIS_EXTRA_PREINSTALL_COMMANDS "
  ReadRegStr $0 HKLM \"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment\" \"PATH\"
  ReadRegStr $1 HKCU \"Environment\" \"PATH\"
  System::Call 'kernel32::SetEnvironmentVariable(t \"PATH\", t \"$0;$1\")'
  Push $CMDLINE
  Push \"/PATH=ALL\"
  Call StrStr
  Pop $0
  StrCmp $0 \"\" +4
    WriteINIStr \"$PLUGINSDIR\\NSIS.InstallOptions.ini\" \"Field 2\" \"State\" \"0\"
    WriteINIStr \"$PLUGINSDIR\\NSIS.InstallOptions.ini\" \"Field 3\" \"State\" \"1\"
    WriteINIStr \"$PLUGINSDIR\\NSIS.InstallOptions.ini\" \"Field 4\" \"State\" \"0\"
  Push $CMDLINE
  Push \"/PATH=USER\"
  Call StrStr
  Pop $0
  StrCmp $0 \"\" +4
    WriteINIStr \"$PLUGINSDIR\\NSIS.InstallOptions.ini\" \"Field 2\" \"State\" \"0\"
    WriteINIStr \"$PLUGINSDIR\\NSIS.InstallOptions.ini\" \"Field 3\" \"State\" \"0\"
    WriteINIStr \"$PLUGINSDIR\\NSIS.InstallOptions.ini\" \"Field 4\" \"State\" \"1\"")
set(CPACK_NSIS_DISPLAY_NAME "Vestorin Zuzo transport")
set(CPACK_NSIS_PACKAGE_NAME "Vestorin Zuzo transport")
set(CPACK_NSIS_MUI_ICON "${CMAKE_CURRENT_SOURCE_DIR}/packaging/zuzo-transport.ico")
set(CPACK_NSIS_MUI_UNIICON "${CMAKE_CURRENT_SOURCE_DIR}/packaging/zuzo-transport.ico")
set(CPACK_NSIS_INSTALLED_ICON_NAME "bin\\zuzo-transport.exe")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
include(CPack)
