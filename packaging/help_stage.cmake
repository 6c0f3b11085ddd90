# Lays out the user manual for the CHM compiler (cmake -P, called by the
# zuzo_help target):
#   -DPAGES=docs/help       pages, style sheet and the project files
#   -DPICTURES=docs         the pictures the pages show
#   -DSTAGE=DIR             where everything goes, in one flat folder
#   -DHTML=DIR              the pages for a browser, installed beside
#                           help.chm: as in STAGE, but in UTF-8
#   -DVERSION=X.Y.Z         the project's version, which the pages name as
#                           @PROJECT_VERSION@ (typed nowhere else)
#   -DCHANGELOG=FILE        the changelog (packaging/changelog.txt), of which
#                           the page «Что нового», whatsnew.html, is made
#                           here (packaging/changelog.cmake): a page like
#                           the others of PAGES from then on
# The pages show the pictures as "../NAME.png" (so that they can be read in
# the source tree); in the stage they lie beside the pages. Every local link
# and picture must exist, or the manual is not built.
#
# Everything goes out in Windows-1251, the code page of a Russian help file:
# a CHM viewer (the Windows viewer, xchm) decodes the contents, the index and
# the page titles it keeps with the file's code page, so the pages are
# converted too and declare windows-1251. The compiler's full-text index
# takes only Latin letters and digits as words, and indexes a word of a
# page's title apart from the same word in its text, which viewers then find
# only in the title: a page title therefore holds Russian words only.
cmake_minimum_required(VERSION 3.25)

# The Windows-1251 codes of the letters and marks the manual may use, as
# "code:UTF-8 text" pairs: the Cyrillic alphabet is made from its UTF-8
# bytes (А..п are D0 90..BF, р..я D1 80..8F), the rest is listed.
set(cp1251_table)
foreach(i RANGE 0 47)
  math(EXPR second "0x90 + ${i}")
  math(EXPR code "0xC0 + ${i}")
  string(ASCII 208 ${second} letter)
  list(APPEND cp1251_table "${code}:${letter}")
endforeach()
foreach(i RANGE 0 15)
  math(EXPR second "0x80 + ${i}")
  math(EXPR code "0xF0 + ${i}")
  string(ASCII 209 ${second} letter)
  list(APPEND cp1251_table "${code}:${letter}")
endforeach()
string(ASCII 194 160 nbsp)
list(APPEND cp1251_table "168:Ё" "184:ё" "171:«" "187:»" "151:—" "150:–" "133:…" "147:“" "148:”" "132:„"
     "145:‘" "146:’" "185:№" "176:°" "177:±" "183:·" "149:•" "167:§" "169:©" "174:®" "153:™" "136:€"
     "160:${nbsp}")
string(ASCII 1 mark)
set(high_bytes)
foreach(code RANGE 128 255)
  string(ASCII ${code} byte)
  string(APPEND high_bytes "${byte}")
endforeach()

# Writes the UTF-8 text of in to out in Windows-1251. Each character first
# becomes a mark and its code in hex (so that one converted byte and the next
# can never be read as another UTF-8 character), then the byte itself.
function(to_cp1251 in out)
  file(READ "${in}" text)
  if(text MATCHES "${mark}")
    message(FATAL_ERROR "${in}: holds the control character 0x01")
  endif()
  set(used)
  foreach(pair IN LISTS cp1251_table)
    string(REGEX REPLACE "^([0-9]+):.*$" "\\1" code "${pair}")
    string(REGEX REPLACE "^[0-9]+:" "" character "${pair}")
    string(FIND "${text}" "${character}" at)
    if(at GREATER_EQUAL 0)
      string(REPLACE "${character}" "${mark}${code}." text "${text}")
      list(APPEND used ${code})
    endif()
  endforeach()
  string(REGEX MATCH "[${high_bytes}]+" left "${text}")
  if(NOT left STREQUAL "")
    message(FATAL_ERROR "${in}: \"${left}\" has no Windows-1251 code; write it as an HTML entity "
                        "(&rarr; for an arrow) or with other characters")
  endif()
  foreach(code IN LISTS used)
    string(ASCII ${code} byte)
    string(REPLACE "${mark}${code}." "${byte}" text "${text}")
  endforeach()
  file(WRITE "${out}" "${text}")
endfunction()

# A link's target inside a page (page.html#name) is written in the pages as
# the id of a heading or of a table row. xchm scrolls only to an <a name>,
# so each such id gets one: first thing in the heading, in the row's first
# cell. An id anywhere else is refused, since no viewer-safe place for the
# name is known there.
function(name_targets page text_var)
  set(text "${${text_var}}")
  string(REGEX REPLACE "(<h[1-6][^>]* id=\"([^\"]+)\"[^>]*>)" "\\1<a name=\"\\2\"></a>" text "${text}")
  string(REGEX REPLACE "(<tr[^>]* id=\"([^\"]+)\"[^>]*>[ \t\r\n]*<t[dh][^>]*>)" "\\1<a name=\"\\2\"></a>" text
                       "${text}")
  string(REGEX MATCHALL " id=\"[^\"]+\"" ids "${text}")
  foreach(id IN LISTS ids)
    string(REGEX REPLACE "^ id=\"(.*)\"$" "\\1" id "${id}")
    string(FIND "${text}" "<a name=\"${id}\"></a>" at)
    if(at LESS 0)
      message(FATAL_ERROR "${page}: id=\"${id}\" is neither on a heading nor on a table row; links to it "
                          "would not scroll in xchm")
    endif()
  endforeach()
  set(${text_var} "${text}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${STAGE}" "${HTML}")
if(VERSION STREQUAL "")
  message(FATAL_ERROR "-DVERSION= is not given: the pages name the project's version as @PROJECT_VERSION@")
endif()
file(MAKE_DIRECTORY "${STAGE}" "${HTML}")
file(GLOB pages RELATIVE "${PAGES}" "${PAGES}/*.html")
foreach(page IN LISTS pages)
  set(source_${page} "${PAGES}/${page}")
endforeach()
# The pages made here: where they are made, as if they were in PAGES.
include("${CMAKE_CURRENT_LIST_DIR}/changelog.cmake")
zuzo_changelog_read("${CHANGELOG}")
set(made "${STAGE}.made")
file(REMOVE_RECURSE "${made}")
zuzo_changelog_page("${made}/whatsnew.html")
set(source_whatsnew.html "${made}/whatsnew.html")
list(APPEND pages whatsnew.html)
foreach(folder IN ITEMS "${STAGE}" "${HTML}")
  file(COPY "${PAGES}/style.css" DESTINATION "${folder}")
endforeach()
set(pictures)
foreach(page IN LISTS pages)
  file(READ "${source_${page}}" text)
  if(NOT text MATCHES "<title>([^<]*)</title>")
    message(FATAL_ERROR "${page} has no <title>")
  endif()
  set(title "${CMAKE_MATCH_1}")
  if(title MATCHES "[A-Za-z0-9]")
    message(FATAL_ERROR "${page}: the title \"${title}\" holds Latin letters or digits; the "
                        "full-text search would then find that word on this page only (Russian words only)")
  endif()
  if(NOT text MATCHES "charset=utf-8\"")
    message(FATAL_ERROR "${page} does not declare charset=utf-8")
  endif()
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
    if(NOT EXISTS "${PAGES}/${target}" AND NOT target IN_LIST pages)
      message(FATAL_ERROR "${page} links to ${target}, which is not in ${PAGES}")
    endif()
  endforeach()
  string(REPLACE "src=\"../" "src=\"" text "${text}")
  string(REPLACE "@PROJECT_VERSION@" "${VERSION}" text "${text}")
  name_targets("${page}" text)
  file(WRITE "${HTML}/${page}" "${text}")
  string(REPLACE "charset=utf-8\"" "charset=windows-1251\"" text "${text}")
  file(WRITE "${STAGE}/${page}.utf8" "${text}")
  to_cp1251("${STAGE}/${page}.utf8" "${STAGE}/${page}")
  file(REMOVE "${STAGE}/${page}.utf8")
endforeach()
file(REMOVE_RECURSE "${made}")
list(REMOVE_DUPLICATES pictures)
foreach(picture IN LISTS pictures)
  file(COPY "${PICTURES}/${picture}" DESTINATION "${STAGE}")
  file(COPY "${PICTURES}/${picture}" DESTINATION "${HTML}")
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
    if((NOT EXISTS "${PAGES}/${target}" OR IS_DIRECTORY "${PAGES}/${target}") AND NOT target IN_LIST pages)
      message(FATAL_ERROR "${list} leads to ${target}, which is not in ${PAGES}")
    endif()
  endforeach()
  to_cp1251("${PAGES}/${list}" "${STAGE}/${list}")
endforeach()
