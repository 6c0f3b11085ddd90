# Version information and manifest of the two Windows programs, written from
# packaging/program.rc.in and packaging/program.manifest.in with the
# project's version. Included by the top-level list on Windows, the core-only
# build of the cross-check too: scripts/windows-check.sh compiles the written
# .rc files with mingw-w64's windres. packaging_windows.cmake adds them to the
# programs.
function(zuzo_windows_resources name description icon)
  set(ZUZO_RC_NAME ${name})
  set(ZUZO_RC_DESCRIPTION "${description}")
  set(ZUZO_RC_ICON "")
  if(icon)
    set(ZUZO_RC_ICON "IDI_ICON1 ICON \"${icon}\"")
  endif()
  set(out ${CMAKE_CURRENT_BINARY_DIR}/win-resources)
  configure_file(${CMAKE_CURRENT_SOURCE_DIR}/packaging/program.manifest.in ${out}/${name}.manifest @ONLY)
  # MSVC's linker embeds the manifest itself (given as a source of the
  # program); other tool chains take it as resource 1 of type 24, the
  # manifest of a process.
  set(ZUZO_RC_MANIFEST "")
  if(NOT MSVC)
    set(ZUZO_RC_MANIFEST "1 24 \"${out}/${name}.manifest\"")
  endif()
  configure_file(${CMAKE_CURRENT_SOURCE_DIR}/packaging/program.rc.in ${out}/${name}.rc @ONLY)
endfunction()

zuzo_windows_resources(zuzo-transport "Vestorin Zuzo transport — настройка сигнального устройства"
                       ${CMAKE_CURRENT_SOURCE_DIR}/packaging/zuzo-transport.ico)
zuzo_windows_resources(zuzo "zuzo — файлы программ и устройство Vestorin Zuzo из командной строки" "")
