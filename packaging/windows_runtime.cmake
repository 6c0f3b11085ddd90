cmake_policy(VERSION 3.25)
# Run while installing the Windows programs (install(SCRIPT), set up by
# packaging/packaging_windows.cmake): installs beside them every library
# that the installed programs and plugins import, and that those libraries
# import in turn, when it is one of the folders ZUZO_DLL_DIRS (Qt's DLLs,
# the compiler's run-time libraries); every other name is Windows' own.
# Names are compared without regard to case, as Windows does (an import
# table says "Qt6Core.dll" or "KERNEL32.dll").
#   ZUZO_OBJDUMP    the target's objdump, which reads the import tables
#   ZUZO_PE_FILES   the programs and plugins, relative to the installation
#   ZUZO_DLL_DEST   where the libraries go, relative to the installation
#   ZUZO_DLL_DIRS   the folders searched
set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
foreach(dir IN LISTS ZUZO_DLL_DIRS)
  file(GLOB dlls "${dir}/*.[dD][lL][lL]")
  foreach(dll IN LISTS dlls)
    get_filename_component(name "${dll}" NAME)
    string(TOLOWER "${name}" key)
    if(NOT DEFINED found_${key})
      file(REAL_PATH "${dll}" found_${key})
    endif()
  endforeach()
endforeach()

set(queue "")
foreach(pe IN LISTS ZUZO_PE_FILES)
  list(APPEND queue "${root}/${pe}")
endforeach()
set(seen "")
while(queue)
  list(POP_FRONT queue pe)
  execute_process(COMMAND "${ZUZO_OBJDUMP}" -p "${pe}" OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${ZUZO_OBJDUMP} could not read the import table of ${pe}")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
  foreach(import IN LISTS imports)
    string(REGEX REPLACE "^DLL Name: *" "" name "${import}")
    string(STRIP "${name}" name)
    string(TOLOWER "${name}" key)
    if(key IN_LIST seen OR NOT DEFINED found_${key})
      continue()
    endif()
    list(APPEND seen "${key}")
    file(INSTALL DESTINATION "${root}/${ZUZO_DLL_DEST}" TYPE SHARED_LIBRARY FILES "${found_${key}}")
    get_filename_component(installed "${found_${key}}" NAME)
    list(APPEND queue "${root}/${ZUZO_DLL_DEST}/${installed}")
  endforeach()
endwhile()
