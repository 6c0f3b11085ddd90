# One static library per folder part, whose headers only the libraries that
# link it can include.
#
# Every folder includes its headers by their path from the repository's top
# ("program/core/device_program.h"), yet the top is on no include path. Each
# library gets a folder of its own in the build, include/<library>, holding
# for each of its headers a one-line header of the same path that includes
# the real one; that folder is the library's public include folder. A file
# therefore finds the headers of its own library and of the libraries it
# links (transitively), and no other: an include that runs upwards (ui/
# including link/, program/ including plans/), or a core file including a
# Qt part or Qt itself, fails to compile with "No such file or directory".
# The layer order is then written once, in the target_link_libraries calls
# of the top-level CMakeLists.txt.
#
# Headers that no source of their own library includes are checked too:
# with ZUZO_VERIFY_HEADERS each header is compiled alone against its
# library's include folders (target all_verify_interface_header_sets).

option(ZUZO_VERIFY_HEADERS "Targets that compile each library header alone with its library's include folders" OFF)
if(ZUZO_VERIFY_HEADERS)
  set(CMAKE_VERIFY_INTERFACE_HEADER_SETS ON)
endif()

# zuzo_headers(TARGET SCOPE SOURCES...): the .h files among SOURCES (paths
# from the repository's top) become TARGET's headers, reached through
# include/TARGET: PUBLIC for a library, PRIVATE for a program, INTERFACE
# for a library of headers alone.
function(zuzo_headers target scope)
  set(stage ${CMAKE_BINARY_DIR}/include/${target})
  set(headers)
  foreach(source IN LISTS ARGN)
    if(source MATCHES "\\.h$")
      # Written only when its text changes, so that configuring again does
      # not rebuild everything; the real header by its path from here, so
      # that the same build folder in another clone compiles the same text
      # (the compiler cache takes it).
      get_filename_component(folder ${stage}/${source} DIRECTORY)
      file(RELATIVE_PATH real ${folder} ${CMAKE_SOURCE_DIR}/${source})
      file(CONFIGURE OUTPUT ${stage}/${source} CONTENT "#include \"${real}\"\n" @ONLY)
      list(APPEND headers ${stage}/${source})
    endif()
  endforeach()
  # A header moved to another target leaves this one.
  file(GLOB_RECURSE staged LIST_DIRECTORIES false ${stage}/*)
  foreach(old IN LISTS staged)
    if(NOT old IN_LIST headers)
      file(REMOVE ${old})
    endif()
  endforeach()
  if(headers)
    target_sources(${target} ${scope} FILE_SET HEADERS BASE_DIRS ${stage} FILES ${headers})
  endif()
endfunction()

# zuzo_library(NAME SOURCES...): the static library NAME of SOURCES; the .h
# files among them are its headers.
function(zuzo_library name)
  add_library(${name} STATIC ${ARGN})
  zuzo_headers(${name} PUBLIC ${ARGN})
  # Nothing is compiled before every include is known to name its folder.
  if(TARGET zuzo_include_paths)
    add_dependencies(${name} zuzo_include_paths)
  endif()
endfunction()

# zuzo_core_library(NAME SOURCES...): a library of the standard library
# alone; it links no Qt (and nothing of Qt is on its include path).
function(zuzo_core_library name)
  zuzo_library(${name} ${ARGN})
  set_target_properties(${name} PROPERTIES AUTOMOC OFF AUTORCC OFF AUTOUIC OFF)
endfunction()
