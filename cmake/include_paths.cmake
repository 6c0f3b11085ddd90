# Every include of our own names its header by the path from the repository's
# top ("link/core/protocol.h"; a test's own helpers from tests/:
# "support/app_fixture.h"). A bare name ("protocol.h") would be found beside
# the including file whatever library that is, past the layer check of
# cmake/layers.cmake, so the build refuses it: the target zuzo_include_paths
# reads every source and header of the repository's C++ folders before any
# library is compiled, and fails naming each include that has no folder in
# its path or names no file from the top (or from tests/).
file(GLOB_RECURSE ZUZO_INCLUDING_FILES LIST_DIRECTORIES false CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/app/*.cpp ${CMAKE_SOURCE_DIR}/app/*.h
  ${CMAKE_SOURCE_DIR}/link/*.cpp ${CMAKE_SOURCE_DIR}/link/*.h
  ${CMAKE_SOURCE_DIR}/plans/*.cpp ${CMAKE_SOURCE_DIR}/plans/*.h
  ${CMAKE_SOURCE_DIR}/program/*.cpp ${CMAKE_SOURCE_DIR}/program/*.h
  ${CMAKE_SOURCE_DIR}/tools/*.cpp ${CMAKE_SOURCE_DIR}/tools/*.h
  ${CMAKE_SOURCE_DIR}/ui/*.cpp ${CMAKE_SOURCE_DIR}/ui/*.h
  ${CMAKE_SOURCE_DIR}/tests/*.cpp ${CMAKE_SOURCE_DIR}/tests/*.h
  ${CMAKE_SOURCE_DIR}/bench/*.cpp ${CMAKE_SOURCE_DIR}/bench/*.h
  ${CMAKE_SOURCE_DIR}/fuzz/*.cpp ${CMAKE_SOURCE_DIR}/fuzz/*.h)
set(_list ${CMAKE_BINARY_DIR}/include-paths.list)
string(REPLACE ";" "\n" _files "${ZUZO_INCLUDING_FILES}")
file(CONFIGURE OUTPUT ${_list} CONTENT "${_files}\n" @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/include-paths.checked
  COMMAND ${CMAKE_COMMAND} -DTOP=${CMAKE_SOURCE_DIR} -DLIST=${_list}
          -DSTAMP=${CMAKE_BINARY_DIR}/include-paths.checked -P ${CMAKE_SOURCE_DIR}/cmake/check_include_paths.cmake
  DEPENDS ${ZUZO_INCLUDING_FILES} ${_list} ${CMAKE_SOURCE_DIR}/cmake/check_include_paths.cmake
  COMMENT "Checking that every include names its header's folder"
  VERBATIM)
add_custom_target(zuzo_include_paths ALL DEPENDS ${CMAKE_BINARY_DIR}/include-paths.checked)
