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
# The programs, and every library they load that is not Windows' own: the
# Qt libraries and the compiler's run-time libraries that the programs and
# the plugins below import (read from their import tables when installing),
# and nothing else.
if(CMAKE_OBJDUMP)
  install(TARGETS zuzo-transport zuzo RUNTIME DESTINATION ${ZUZO_WIN_BIN})
else()
  # MSVC on Windows: CMake reads the import tables itself.
  install(TARGETS zuzo-transport zuzo RUNTIME_DEPENDENCY_SET zuzo_runtime RUNTIME DESTINATION ${ZUZO_WIN_BIN})
endif()

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

# The plugins Qt loads: the platform (windows) and the native look
# (windowsvista). The pictures are SVG drawn by QSvgRenderer, so no image
# format or icon engine plugin is needed.
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION ${ZUZO_WIN_BIN}/platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION ${ZUZO_WIN_BIN}/styles)

# The libraries they import, read from their import tables while installing
# (packaging/windows_runtime.cmake): from Qt's folder of DLLs and, with
# MinGW, from where the compiler takes its run-time libraries. MSVC's
# run-time libraries come through InstallRequiredSystemLibraries.
get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
if(NOT qt_core_dll)
  get_target_property(qt_core_dll Qt6::Core LOCATION)
endif()
get_filename_component(dll_dirs "${qt_core_dll}" DIRECTORY)
if(MINGW)
  foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                    OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${found}" OR NOT EXISTS "${found}")
      message(FATAL_ERROR "${runtime} of the compiler is not found")
    endif()
    get_filename_component(found "${found}" DIRECTORY)
    list(APPEND dll_dirs "${found}")
  endforeach()
  list(REMOVE_DUPLICATES dll_dirs)
endif()
if(CMAKE_OBJDUMP)
  install(CODE "
    set(ZUZO_OBJDUMP \"${CMAKE_OBJDUMP}\")
    set(ZUZO_PE_FILES ${ZUZO_WIN_BIN}/zuzo-transport.exe ${ZUZO_WIN_BIN}/zuzo.exe
                      ${ZUZO_WIN_BIN}/platforms/$<TARGET_FILE_NAME:Qt6::QWindowsIntegrationPlugin>
                      ${ZUZO_WIN_BIN}/styles/$<TARGET_FILE_NAME:Qt6::QWindowsVistaStylePlugin>)
    set(ZUZO_DLL_DEST ${ZUZO_WIN_BIN})
    set(ZUZO_DLL_DIRS \"${dll_dirs}\")")
  install(SCRIPT packaging/windows_runtime.cmake)
else()
  install(RUNTIME_DEPENDENCY_SET zuzo_runtime PRE_INCLUDE_REGEXES "^qt6" PRE_EXCLUDE_REGEXES ".*"
          DIRECTORIES ${dll_dirs} DESTINATION ${ZUZO_WIN_BIN})
endif()
if(NOT MINGW)
  set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION ${ZUZO_WIN_BIN})
  include(InstallRequiredSystemLibraries)
endif()

# The installer's helper (packaging/setup_helper): it changes PATH and
# starts the tool from the finish page; the installer and the uninstaller
# carry it, stripped, linked with its run-time libraries so that it needs
# no DLL beside it.
zuzo_windows_resources(zuzo-setup-helper "Помощник установщика Vestorin Zuzo transport" "")
add_executable(zuzo-setup-helper WIN32 packaging/setup_helper/setup_helper_windows.cpp
  packaging/setup_helper/path_value_windows.cpp packaging/setup_helper/path_value_windows.h
  packaging/setup_helper/elevation_windows.cpp packaging/setup_helper/elevation_windows.h
  ${ZUZO_WIN_RESOURCES}/zuzo-setup-helper.rc)
target_include_directories(zuzo-setup-helper PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(zuzo-setup-helper PRIVATE ole32 oleaut32 uuid shell32 advapi32)
set_target_properties(zuzo-setup-helper PROPERTIES UNITY_BUILD OFF AUTOMOC OFF AUTORCC OFF AUTOUIC OFF)
if(MINGW)
  target_compile_options(zuzo-setup-helper PRIVATE -municode)
  target_link_options(zuzo-setup-helper PRIVATE -municode -static)
else()
  target_link_options(zuzo-setup-helper PRIVATE /ENTRY:wmainCRTStartup)
endif()
set(ZUZO_SETUP_HELPER ${CMAKE_CURRENT_BINARY_DIR}/installer/zuzo-setup-helper.exe)
if(CMAKE_STRIP)
  add_custom_command(TARGET zuzo-setup-helper POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/installer
    COMMAND ${CMAKE_STRIP} --strip-all -o ${ZUZO_SETUP_HELPER} $<TARGET_FILE:zuzo-setup-helper>
    VERBATIM)
else()
  add_custom_command(TARGET zuzo-setup-helper POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:zuzo-setup-helper> ${ZUZO_SETUP_HELPER} VERBATIM)
endif()

# The linker's map of each program: which parts of the run-time libraries
# it holds, for scripts/notices-check.sh.
if(MINGW)
  file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/link-maps)
  foreach(program zuzo-transport zuzo zuzo-setup-helper)
    target_link_options(${program} PRIVATE -Wl,-Map=${CMAKE_CURRENT_BINARY_DIR}/link-maps/${program}.map)
  endforeach()
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
zuzo_windows_text(${ZUZO_NOTICES_OUT}/SOURCE-OFFER.txt ${ZUZO_NOTICES}/SOURCE-OFFER.txt)
install(FILES ${ZUZO_NOTICES_OUT}/THIRD-PARTY.txt ${ZUZO_NOTICES_OUT}/SOURCE-OFFER.txt DESTINATION ${ZUZO_WIN_BIN})
install(FILES ${ZUZO_LICENSE_TEXTS} DESTINATION ${ZUZO_WIN_BIN}/licenses)
# How the Qt libraries were built: the recipe and the patch that built the
# Qt for Windows of this build, and its record of the sources
# (BUILD-INFO.txt, BUILD-OPTIONS.txt), all written by
# packaging/qt-windows/build.sh into the Qt folder. A Qt folder made by
# another recipe ships that recipe (its build.sh) and its own account of the
# sources (its README.md) instead, with a BUILD-INFO.txt that says so: the
# notices then tell how the Qt that ships was really built.
set(qt_recipe_files BUILD-INFO.txt BUILD-OPTIONS.txt build.sh no-wintab.patch)
list(TRANSFORM qt_recipe_files PREPEND "${QT6_INSTALL_PREFIX}/" OUTPUT_VARIABLE qt_recipe)
foreach(file IN LISTS qt_recipe)
  if(NOT EXISTS "${file}")
    set(qt_recipe "")
    break()
  endif()
endforeach()
if(NOT qt_recipe)
  if(NOT EXISTS "${QT6_INSTALL_PREFIX}/build.sh" OR NOT EXISTS "${QT6_INSTALL_PREFIX}/README.md")
    message(FATAL_ERROR "The Qt for Windows in ${QT6_INSTALL_PREFIX} holds no record of how it was built "
                        "(BUILD-INFO.txt, or build.sh with README.md): it cannot be shipped with its notices. "
                        "Build it with packaging/qt-windows/build.sh.")
  endif()
  message(WARNING "The Qt for Windows in ${QT6_INSTALL_PREFIX} was not built by packaging/qt-windows/build.sh: "
                  "the packages ship its own recipe and README.md as the account of its build. Rebuild it with "
                  "packaging/qt-windows/build.sh to ship Qt from Debian's patched sources.")
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/qt-recipe/BUILD-INFO.txt
       "Qt 6.4.2 for 64-bit Windows, not built by the project's recipe packaging/qt-windows/build.sh.\n"
       "How it was built, and from which sources, is told by the files beside this one: build.sh, the\n"
       "recipe that built it (configure options included), and README.md, that build's own account of\n"
       "its sources, its changes and its licences.\n")
  set(qt_recipe ${CMAKE_CURRENT_BINARY_DIR}/qt-recipe/BUILD-INFO.txt ${QT6_INSTALL_PREFIX}/build.sh
                ${QT6_INSTALL_PREFIX}/README.md)
endif()
install(FILES ${qt_recipe} DESTINATION ${ZUZO_WIN_BIN}/licenses/qt-windows)
# The installer's licence page: the project's terms, the notices and the
# offer of the source.
zuzo_windows_text(${ZUZO_NOTICES_OUT}/licence-page.txt ${ZUZO_NOTICES}/terms.txt ${ZUZO_NOTICES}/THIRD-PARTY.txt
                  ${ZUZO_NOTICES}/SOURCE-OFFER.txt)

# What ships is stripped: every program and library installed loses its
# symbols and debugging sections (the programs in the build folder keep
# theirs).
if(CMAKE_STRIP)
  install(CODE "
    file(GLOB_RECURSE binaries \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${ZUZO_WIN_BIN}/*.exe\"
                               \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${ZUZO_WIN_BIN}/*.dll\")
    foreach(binary IN LISTS binaries)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-all \"\${binary}\" RESULT_VARIABLE failed)
      if(failed)
        message(FATAL_ERROR \"\${binary} could not be stripped\")
      endif()
    endforeach()")
endif()

# With a code-signing certificate in the environment (ZUZO_SIGN_CERT and
# ZUZO_SIGN_PASSWORD, see scripts/sign.sh), every program and library
# installed is signed once stripped: the installer's and the portable ZIP's
# alike (cpack installs for each). The installer signs its own files as
# makensis makes them (packaging/NSIS.template.in). Signing runs on the
# build machine (osslsigncode, Debian's).
set(ZUZO_SIGN ${CMAKE_CURRENT_SOURCE_DIR}/scripts/sign.sh)
if(CMAKE_HOST_UNIX)
  install(CODE "
    if(NOT \"\$ENV{ZUZO_SIGN_CERT}\" STREQUAL \"\")
      file(GLOB_RECURSE binaries \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${ZUZO_WIN_BIN}/*.exe\"
                                 \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${ZUZO_WIN_BIN}/*.dll\")
      foreach(binary IN LISTS binaries)
        execute_process(COMMAND \"${ZUZO_SIGN}\" \"\${binary}\" RESULT_VARIABLE failed)
        if(failed)
          message(FATAL_ERROR \"\${binary} could not be signed\")
        endif()
      endforeach()
      list(LENGTH binaries signed)
      message(STATUS \"Signed \${signed} programs and libraries with \$ENV{ZUZO_SIGN_CERT}\")
    endif()")
endif()

# --- packages -------------------------------------------------------------------
set(CPACK_GENERATOR ZIP)
find_program(ZUZO_MAKENSIS makensis)
if(ZUZO_MAKENSIS)
  list(APPEND CPACK_GENERATOR NSIS)
  # The installer carries NSIS's own code: the notices name its version.
  execute_process(COMMAND ${ZUZO_MAKENSIS} -VERSION OUTPUT_VARIABLE nsis_version ERROR_QUIET)
  string(REGEX MATCH "[0-9]+\\.[0-9]+" nsis_version "${nsis_version}")
  zuzo_check_notice("NSIS (Nullsoft Scriptable Install System)" "${nsis_version}")
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
set(CPACK_ZUZO_SETUP_HELPER "${ZUZO_SETUP_HELPER}")
set(CPACK_ZUZO_MAKENSIS "${ZUZO_MAKENSIS}")
set(CPACK_ZUZO_SIGN "${ZUZO_SIGN}")
# The portable ZIP: its name and its README.txt (packaging/cpack_windows.cmake).
zuzo_windows_text(${CMAKE_CURRENT_BINARY_DIR}/portable/README.txt ${CMAKE_CURRENT_SOURCE_DIR}/packaging/portable.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/packaging/portable.txt)
set(CPACK_ZUZO_PORTABLE_DIR "${CMAKE_CURRENT_BINARY_DIR}/portable")
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_SOURCE_DIR}/packaging/cpack_windows.cmake)
include(CPack)
