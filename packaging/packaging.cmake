# Installation and the Debian package. Included from the top-level list:
#   cmake --install BUILD [--prefix DIR]   the three programs, desktop entry,
#                                          icons, manual pages, the user manual,
#                                          the notices of other authors'
#                                          components and the AppStream metadata
#   cpack --config BUILD/CPackConfig.cmake  zuzo-transport_<version>_<arch>.deb
include(GNUInstallDirs)
include(packaging/help.cmake)

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

# Where things go, relative to the prefix: help.chm in a folder of its own,
# where the desktop entry starts the tool (Help opens help.chm from the
# working folder); the documentation in Debian's place for it.
set(ZUZO_HELP_SUBDIR ${CMAKE_INSTALL_DATADIR}/zuzo-transport)
set(ZUZO_DOC_SUBDIR ${CMAKE_INSTALL_DATADIR}/doc/zuzo-transport)

# The manual pages as the install writes them for the configured prefix, to
# be read before installing: man -l build/release/man/zuzo.1
set(ZUZO_HELP_DIR ${CMAKE_INSTALL_PREFIX}/${ZUZO_HELP_SUBDIR})
set(ZUZO_DOC_DIR ${CMAKE_INSTALL_PREFIX}/${ZUZO_DOC_SUBDIR})
foreach(page zuzo-transport.1 zuzo.1 zuzo-devsim.1)
  configure_file(packaging/${page} ${CMAKE_CURRENT_BINARY_DIR}/man/${page} @ONLY)
endforeach()

# Files that name the version, the date or an installed path are written at
# install time, when the prefix is known (cpack installs into /usr, cmake
# --install wherever it is asked); manual pages and the changelog then get
# compressed as Debian wants them (gzip -9n: no name, no time stamp).
set(ZUZO_CONFIGURED_DIR ${CMAKE_CURRENT_BINARY_DIR}/installed)
install(CODE "
  set(PROJECT_VERSION \"${PROJECT_VERSION}\")
  set(ZUZO_RELEASE_DATE \"${ZUZO_RELEASE_DATE}\")
  set(ZUZO_HELP_DIR \"\${CMAKE_INSTALL_PREFIX}/${ZUZO_HELP_SUBDIR}\")
  set(ZUZO_DOC_DIR \"\${CMAKE_INSTALL_PREFIX}/${ZUZO_DOC_SUBDIR}\")
  set(source \"${CMAKE_CURRENT_SOURCE_DIR}/packaging\")
  set(out \"${ZUZO_CONFIGURED_DIR}\")
  configure_file(\${source}/zuzo-transport.desktop.in \${out}/zuzo-transport.desktop @ONLY)
  configure_file(\${source}/zuzo-transport.metainfo.xml.in
                 \${out}/example.vestorin.zuzo_transport.metainfo.xml @ONLY)
  execute_process(COMMAND \"${CMAKE_COMMAND}\" -DCHANGELOG=\${source}/changelog.txt -DWRITE=debian
                          -DOUT=\${out}/changelog -P \${source}/changelog.cmake COMMAND_ERROR_IS_FATAL ANY)
  configure_file(\${source}/doc-base.in \${out}/zuzo-transport-manual @ONLY)
  foreach(page zuzo-transport.1 zuzo.1 zuzo-devsim.1)
    configure_file(\${source}/\${page} \${out}/\${page} @ONLY)
  endforeach()
  execute_process(COMMAND gzip -9nf changelog zuzo-transport.1 zuzo.1 zuzo-devsim.1
                  WORKING_DIRECTORY \${out} COMMAND_ERROR_IS_FATAL ANY)
")

install(TARGETS zuzo-transport zuzo zuzo-devsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${ZUZO_CONFIGURED_DIR}/zuzo-transport.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ZUZO_CONFIGURED_DIR}/example.vestorin.zuzo_transport.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES resources/app_icon.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME zuzo-transport.svg)
foreach(side IN LISTS ZUZO_ICON_SIZES)
  install(FILES ${ZUZO_ICON_DIR}/${side}/zuzo-transport.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${side}x${side}/apps)
endforeach()
install(FILES ${ZUZO_CONFIGURED_DIR}/zuzo-transport.1.gz ${ZUZO_CONFIGURED_DIR}/zuzo.1.gz
              ${ZUZO_CONFIGURED_DIR}/zuzo-devsim.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES packaging/copyright ${ZUZO_CONFIGURED_DIR}/changelog.gz DESTINATION ${ZUZO_DOC_SUBDIR})
# The notices of other authors' components and their licence texts
# (packaging/notices.cmake), the same as beside the Windows programs; texts
# over 4 kB compressed, as Debian keeps its documentation (gzip -9n), and
# the GNU licences links to Debian's own copies in common-licenses.
include(packaging/notices.cmake)
install(CODE "
  set(out \"${ZUZO_CONFIGURED_DIR}/notices\")
  file(REMOVE_RECURSE \${out})
  file(COPY \"${ZUZO_NOTICES}/THIRD-PARTY.txt\" \"${ZUZO_NOTICES}/licenses\" DESTINATION \${out})
  file(GLOB_RECURSE texts \${out}/*.txt)
  foreach(text IN LISTS texts)
    file(SIZE \${text} size)
    if(size GREATER 4096)
      execute_process(COMMAND gzip -9nf \${text} COMMAND_ERROR_IS_FATAL ANY)
    endif()
  endforeach()
  foreach(licence GPL-3 LGPL-3)
    file(REMOVE \${out}/licenses/\${licence}.0.txt.gz)
    file(CREATE_LINK ../../../common-licenses/\${licence} \${out}/licenses/\${licence}.0.txt SYMBOLIC)
  endforeach()
")
install(DIRECTORY ${ZUZO_CONFIGURED_DIR}/notices/ DESTINATION ${ZUZO_DOC_SUBDIR})
zuzo_install_help(${ZUZO_HELP_SUBDIR} ${ZUZO_DOC_SUBDIR}/html)
# The HTML pages registered with doc-base (documentation browsers).
install(FILES ${ZUZO_CONFIGURED_DIR}/zuzo-transport-manual DESTINATION ${CMAKE_INSTALL_DATADIR}/doc-base)

# --- Debian package ----------------------------------------------------------
# The package's version is the project's (CPack takes PROJECT_VERSION).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zuzo-transport)
set(CPACK_PACKAGE_VENDOR "Vestorin")
set(CPACK_PACKAGE_CONTACT "Vestorin <support@vestorin.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration tool for the Vestorin Zuzo signalling device")
set(CPACK_PACKAGE_DESCRIPTION
    "zuzo-transport connects to the Vestorin Zuzo signalling device over a serial
port, edits its optics settings and weekly plan, writes and reads them, and
keeps programs in .ptm files (Russian user interface, with a user manual).
The package also holds zuzo, a command-line companion for program files and
devices, and zuzo-devsim, a device simulator on a pseudo-terminal.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY zuzo-transport)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt libraries are found by dpkg-shlibdeps (package dpkg-dev); the
# platform plugins and Qt's Russian texts (qtbase_ru.qm) are loaded at run
# time, so they are named here. Help opens help.chm with the viewer the
# desktop associates with it, through xdg-open (xdg-utils) outside KDE.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_SOURCE_DIR}/packaging/deb_config.cmake)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, xchm, xdg-utils")
include(CPack)
