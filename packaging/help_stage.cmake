# Lays out the user manual for the CHM compiler (cmake -P, called by the
# zuzo_help target):
#   -DPAGES=docs/help       pages, style sheet and the project files
#   -DPICTURES=docs         the walkthrough pictures the pages show
#   -DSTAGE=DIR             where everything goes, in one flat folder
# The pages show the pictures as "../walk-*.png" (so that they can be read in
# the source tree); in the stage they lie beside the pages. Every local link
# and picture must exist, or the manual is not built. The contents, index and
# project files go out in Windows-1251, the code page of a Russian help file,
# which both the Windows viewer and xchm read the contents in.
cmake_minimum_required(VERSION 3.25)

# UTF-8 to Windows-1251 for Russian text: ASCII, the Cyrillic alphabet, and
# the few marks the manual uses.
function(to_cp1251 in out)
  file(READ "${in}" hex HEX)
  string(LENGTH "${hex}" n)
  set(codes)
  set(i 0)
  while(i LESS n)
    string(SUBSTRING "${hex}" ${i} 2 b)
    math(EXPR v "0x${b}")
    if(v LESS 128)
      list(APPEND codes ${v})
      math(EXPR i "${i} + 2")
      continue()
    endif()
    string(SUBSTRING "${hex}" ${i} 6 seq)
    string(SUBSTRING "${seq}" 2 2 b2)
    math(EXPR v2 "0x${b2}")
    set(c 0)
    set(len 4)
    if(b STREQUAL "d0" AND v2 GREATER_EQUAL 144) # А..п
      math(EXPR c "${v2} - 144 + 192")
    elseif(b STREQUAL "d1" AND v2 GREATER_EQUAL 128 AND v2 LESS 144) # р..я
      math(EXPR c "${v2} - 128 + 240")
    elseif(seq MATCHES "^d081")
      set(c 168) # Ё
    elseif(seq MATCHES "^d191")
      set(c 184) # ё
    elseif(seq MATCHES "^c2ab")
      set(c 171) # «
    elseif(seq MATCHES "^c2bb")
      set(c 187) # »
    elseif(seq STREQUAL "e28094")
      set(c 151) # em dash
      set(len 6)
    elseif(seq STREQUAL "e28093")
      set(c 150) # en dash
      set(len 6)
    elseif(seq STREQUAL "e28496")
      set(c 185) # №
      set(len 6)
    else()
      message(FATAL_ERROR "${in}: a character without a Windows-1251 code (UTF-8 ${seq})")
    endif()
    list(APPEND codes ${c})
    math(EXPR i "${i} + ${len}")
  endwhile()
  string(ASCII ${codes} text)
  file(WRITE "${out}" "${text}")
endfunction()

file(REMOVE_RECURSE "${STAGE}")
file(MAKE_DIRECTORY "${STAGE}")
file(GLOB pages RELATIVE "${PAGES}" "${PAGES}/*.html")
file(COPY "${PAGES}/style.css" DESTINATION "${STAGE}")
set(pictures)
foreach(page IN LISTS pages)
  file(READ "${PAGES}/${page}" text)
  string(REGEX MATCHALL "src=\"\\.\\./[^\"]+\"" shown "${text}")
  foreach(ref IN LISTS shown)
    string(REGEX REPLACE "^src=\"\\.\\./(.*)\"$" "\\1" picture "${ref}")
    if(NOT EXISTS "${PICTURES}/${picture}")
      message(FATAL_ERROR "${page} shows ${picture}, which is not in ${PICTURES}")
    endif()
    list(APPEND pictures ${picture})
  endforeach()
  string(REGEX MATCHALL "(href|src)=\"[^\"./][^\"]*\"" linked "${text}")
  foreach(ref IN LISTS linked)
    string(REGEX REPLACE "^(href|src)=\"([^\"#]*).*$" "\\2" target "${ref}")
    if(NOT EXISTS "${PAGES}/${target}")
      message(FATAL_ERROR "${page} links to ${target}, which is not in ${PAGES}")
    endif()
  endforeach()
  string(REPLACE "src=\"../" "src=\"" text "${text}")
  file(WRITE "${STAGE}/${page}" "${text}")
endforeach()
list(REMOVE_DUPLICATES pictures)
foreach(picture IN LISTS pictures)
  file(COPY "${PICTURES}/${picture}" DESTINATION "${STAGE}")
endforeach()

# The project lists the pictures too, after the pages.
file(READ "${PAGES}/help.hhp" project)
list(JOIN pictures "\n" picture_lines)
file(WRITE "${STAGE}/help.hhp.utf8" "${project}${picture_lines}\n")
to_cp1251("${STAGE}/help.hhp.utf8" "${STAGE}/help.hhp")
file(REMOVE "${STAGE}/help.hhp.utf8")
# Every entry of the contents and of the index leads to a page.
foreach(list help.hhc help.hhk)
  file(READ "${PAGES}/${list}" text)
  string(REGEX MATCHALL "name=\"Local\" value=\"[^\"]*\"" locals "${text}")
  foreach(ref IN LISTS locals)
    string(REGEX REPLACE "^name=\"Local\" value=\"([^\"#]*).*$" "\\1" target "${ref}")
    if(NOT EXISTS "${PAGES}/${target}" OR IS_DIRECTORY "${PAGES}/${target}")
      message(FATAL_ERROR "${list} leads to ${target}, which is not in ${PAGES}")
    endif()
  endforeach()
endforeach()
to_cp1251("${PAGES}/help.hhc" "${STAGE}/help.hhc")
to_cp1251("${PAGES}/help.hhk" "${STAGE}/help.hhk")
