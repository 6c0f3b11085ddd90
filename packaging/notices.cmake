# Notices of the components of other authors that the packages carry:
# packaging/notices/THIRD-PARTY.txt names each one with its version, its
# licence and where its source is; packaging/notices/licenses holds the full
# licence texts. Both packages carry the same notices: the Windows installer
# beside the programs, the Debian package in its documentation folder.
# Included by packaging.cmake and packaging_windows.cmake.
set(ZUZO_NOTICES ${CMAKE_CURRENT_SOURCE_DIR}/packaging/notices)
file(GLOB ZUZO_LICENSE_TEXTS CONFIGURE_DEPENDS ${ZUZO_NOTICES}/licenses/*.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ZUZO_NOTICES}/THIRD-PARTY.txt
                                                               ${ZUZO_NOTICES}/terms.txt)

# The text names the versions of the build here (Debian 12's). A build with
# other versions warns: its notices must be brought up to date before it is
# shipped.
function(zuzo_check_notice what version)
  file(READ ${ZUZO_NOTICES}/THIRD-PARTY.txt text)
  string(FIND "${text}" "${what}, версия ${version}" at)
  if(at EQUAL -1)
    message(WARNING "packaging/notices/THIRD-PARTY.txt does not name ${what} ${version}, which this "
                    "build uses: bring it up to date before shipping the packages")
  endif()
endfunction()
if(nlohmann_json_VERSION)
  zuzo_check_notice("JSON for Modern C++ (nlohmann/json)" ${nlohmann_json_VERSION})
endif()

# A copy of a text for Windows: CR LF line ends and a byte order mark, so
# that every Notepad reads it as UTF-8.
function(zuzo_windows_text out)
  string(ASCII 239 187 191 bom)
  set(all "${bom}")
  foreach(in IN LISTS ARGN)
    file(READ ${in} text)
    string(APPEND all "${text}")
  endforeach()
  string(REPLACE "\r\n" "\n" all "${all}")
  string(REPLACE "\n" "\r\n" all "${all}")
  file(WRITE ${out} "${all}")
endfunction()
