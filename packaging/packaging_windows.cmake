# Installation and packages on Windows (built with Qt 6 for Windows, MSVC or
# MinGW; see CMakePresets.json). Included from the top-level list:
#   cmake --install BUILD --prefix DIR     the two programs with the Qt
#                                          libraries and plugins they load, the
#                                          compiler's run-time libraries, Qt's
#                                          Russian catalogue, the manual and the
#                                          notices of other authors' components
#   cpack --config BUILD/CPackConfig.cmake  a ZIP, and the installer
#                                          zuzo-transport-VERSION-win64.exe
#                                          (64-bit, in Russian) where NSIS
#                                          (makensis) is installed
# The programs and everything they load go into DIR/bin, side by side with
# the user manual help.chm and the notices (the folder that the installer
# puts on PATH, so that batch files call zuzo by name); the manual's pages
# into DIR/help.
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

# Notices of the components of other authors beside the programs: the Qt
# libraries, the compiler's run-time libraries, nlohmann/json compiled into
# zuzo (packaging/notices.cmake). The text names the versions of the build.
include(packaging/notices.cmake)
zuzo_check_notice(Qt ${Qt6_VERSION})
if(MINGW)
  # Debian's mingw-w64 GCC calls itself 12.0.0 ("12-posix"): the major version
  # is checked.
  string(REGEX MATCH "^[0-9]+" gcc_major "${CMAKE_CXX_COMPILER_VERSION}")
  zuzo_check_notice("Библиотеки времени выполнения GCC (libstdc++, libgcc)" "${gcc_major}.")
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -E -dM -x c++ -include _mingw_mac.h ${CMAKE_CURRENT_SOURCE_DIR}/packaging/notices.cmake
                  OUTPUT_VARIABLE mingw_macros ERROR_QUIET)
  if(mingw_macros MATCHES "#define __MINGW64_VERSION_STR \"([0-9.]+)\"")
    zuzo_check_notice("winpthreads из mingw-w64" ${CMAKE_MATCH_1})
  endif()
endif()
set(ZUZO_NOTICES_OUT ${CMAKE_CURRENT_BINARY_DIR}/notices)
zuzo_windows_text(${ZUZO_NOTICES_OUT}/THIRD-PARTY.txt ${ZUZO_NOTICES}/THIRD-PARTY.txt)
install(FILES ${ZUZO_NOTICES_OUT}/THIRD-PARTY.txt DESTINATION ${ZUZO_WIN_BIN})
install(FILES ${ZUZO_LICENSE_TEXTS} DESTINATION ${ZUZO_WIN_BIN}/licenses)
# The installer's licence page: the project's terms, then the notices.
zuzo_windows_text(${ZUZO_NOTICES_OUT}/licence-page.txt ${ZUZO_NOTICES}/terms.txt ${ZUZO_NOTICES}/THIRD-PARTY.txt)

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
set(CPACK_RESOURCE_FILE_LICENSE ${ZUZO_NOTICES_OUT}/licence-page.txt)
set(CPACK_STRIP_FILES OFF)
set(CPACK_VERBATIM_VARIABLES ON)
# The installer is our own template, packaging/NSIS.template.in (64-bit, in
# Russian, the programs' folder on PATH, the tool started from the finish
# page); CPack finds it there and fills in the files.
set(CPACK_MODULE_PATH ${CMAKE_CURRENT_SOURCE_DIR}/packaging)
set(CPACK_NSIS_PACKAGE_NAME "Vestorin Zuzo transport")
set(CPACK_NSIS_DISPLAY_NAME "Vestorin Zuzo transport")
set(CPACK_NSIS_MUI_ICON "${CMAKE_CURRENT_SOURCE_DIR}/packaging/zuzo-transport.ico")
set(CPACK_NSIS_MUI_UNIICON "${CMAKE_CURRENT_SOURCE_DIR}/packaging/zuzo-transport.ico")
include(CPack)
