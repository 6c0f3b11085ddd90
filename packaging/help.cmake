# The user manual behind "Справка": the pages of docs/help with the
# walkthrough pictures of docs, compiled into help.chm by chmcmd (Debian
# package fp-utils-3.2.2, or Free Pascal's chmcmd on Windows). The tool opens
# help.chm from its working folder; the build puts it at the top of the build
# folder, so the tool started there finds it too.
#
# Building the manual needs chmcmd; without it the programs and tests build
# as usual and only installing (and so packaging) stops with a message.
# With chmls (the same package) the test help_chm reads the built file back
# as its viewers do (tests/scripts/help_chm_test.sh).
# Included by packaging.cmake and packaging_windows.cmake.
find_program(ZUZO_CHMCMD chmcmd)
find_program(ZUZO_CHMLS chmls)
set(ZUZO_HELP_STAGE ${CMAKE_CURRENT_BINARY_DIR}/help)
# The same pages in UTF-8, for a browser: installed beside help.chm.
set(ZUZO_HELP_HTML ${CMAKE_CURRENT_BINARY_DIR}/help-html)
set(ZUZO_HELP_CHM ${CMAKE_CURRENT_BINARY_DIR}/help.chm)

if(ZUZO_CHMCMD)
  file(GLOB ZUZO_HELP_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/docs/help/*)
  file(GLOB ZUZO_HELP_PICTURES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/docs/*.png)
  add_custom_command(
    OUTPUT ${ZUZO_HELP_CHM}
    COMMAND ${CMAKE_COMMAND} -DPAGES=${CMAKE_CURRENT_SOURCE_DIR}/docs/help
            -DPICTURES=${CMAKE_CURRENT_SOURCE_DIR}/docs -DSTAGE=${ZUZO_HELP_STAGE}
            -DHTML=${ZUZO_HELP_HTML} -DVERSION=${PROJECT_VERSION}
            -DCHANGELOG=${CMAKE_CURRENT_SOURCE_DIR}/packaging/changelog.txt
            -P ${CMAKE_CURRENT_SOURCE_DIR}/packaging/help_stage.cmake
    COMMAND ${CMAKE_COMMAND} -E chdir ${ZUZO_HELP_STAGE} ${ZUZO_CHMCMD} --no-html-scan help.hhp
    COMMAND ${CMAKE_COMMAND} -E copy ${ZUZO_HELP_STAGE}/help.chm ${ZUZO_HELP_CHM}
    DEPENDS ${ZUZO_HELP_SOURCES} ${ZUZO_HELP_PICTURES} ${CMAKE_CURRENT_SOURCE_DIR}/packaging/help_stage.cmake
            ${CMAKE_CURRENT_SOURCE_DIR}/packaging/changelog.txt ${CMAKE_CURRENT_SOURCE_DIR}/packaging/changelog.cmake
            ${CMAKE_CURRENT_SOURCE_DIR}/CMakeLists.txt
    COMMENT "Compiling the user manual help.chm"
    VERBATIM)
  add_custom_target(zuzo_help ALL DEPENDS ${ZUZO_HELP_CHM})
  if(ZUZO_BUILD_TESTS AND ZUZO_CHMLS)
    add_test(NAME help_chm COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/scripts/help_chm_test.sh ${ZUZO_HELP_CHM}
                                    ${PROJECT_VERSION})
    set_tests_properties(help_chm PROPERTIES LABELS docs)
  endif()
else()
  message(STATUS "chmcmd not found (package fp-utils-3.2.2): help.chm is not built, installing stops")
  # First of all install rules: nothing is installed without the manual.
  install(CODE "message(FATAL_ERROR \"help.chm is not built: install chmcmd (Debian package \"
                                    \"fp-utils-3.2.2) and configure again\")")
endif()

# Installs help.chm into chm_destination and the pages with their pictures
# into html_destination.
function(zuzo_install_help chm_destination html_destination)
  if(NOT ZUZO_CHMCMD)
    return()
  endif()
  install(FILES ${ZUZO_HELP_CHM} DESTINATION ${chm_destination})
  install(DIRECTORY ${ZUZO_HELP_HTML}/ DESTINATION ${html_destination}
          FILES_MATCHING PATTERN "*.html" PATTERN "*.css" PATTERN "*.png")
endfunction()
