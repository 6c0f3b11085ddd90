# The one changelog, packaging/changelog.txt (its head says how it is
# written), read and turned into what the release carries:
#   zuzo_changelog_read(FILE)       reads it: ZUZO_CHANGELOG_VERSIONS (newest
#                                   first) and, for each version V,
#                                   ZUZO_CHANGELOG_DATE_V and
#                                   ZUZO_CHANGELOG_ITEMS_V (one element an
#                                   item, on one line, ";" kept as
#                                   the character 0x1F); a fault stops it
#   zuzo_changelog_page(OUT)        the manual's page «Что нового» (UTF-8)
#   zuzo_changelog_debian(OUT)      the Debian package's changelog
#   zuzo_changelog_notes(V OUT)     the release notes of version V
# Included by CMakeLists.txt and packaging/help_stage.cmake. Run as a
# script (cmake -DCHANGELOG=FILE -DWRITE=debian|notes -DOUT=FILE
# [-DVERSION=V] -P changelog.cmake) it writes one of them: the Debian
# package's changelog at install time, the notes for scripts/release.sh.
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  cmake_minimum_required(VERSION 3.25)
endif()
string(ASCII 31 ZUZO_SEMICOLON)
# The bytes that continue a UTF-8 character, to count characters by.
set(ZUZO_CHANGELOG_CONTINUING)
foreach(code RANGE 128 191)
  string(ASCII ${code} byte)
  string(APPEND ZUZO_CHANGELOG_CONTINUING "${byte}")
endforeach()

macro(zuzo_changelog_fault file line message)
  message(FATAL_ERROR "${file}:${line}: ${message}")
endmacro()

function(zuzo_changelog_read file)
  file(READ "${file}" text)
  string(REPLACE ";" "${ZUZO_SEMICOLON}" text "${text}")
  string(REPLACE "\r" "" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(versions)
  set(version)
  set(item)
  set(number 0)
  foreach(line IN LISTS lines)
    math(EXPR number "${number} + 1")
    if(line MATCHES "^#" OR line STREQUAL "")
      continue()
    endif()
    if(line MATCHES "^== ([0-9]+\\.[0-9]+\\.[0-9]+) ([0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9])$")
      if(NOT item STREQUAL "")
        list(APPEND items_${version} "${item}")
        set(item)
      endif()
      set(version ${CMAKE_MATCH_1})
      if(version IN_LIST versions)
        zuzo_changelog_fault("${file}" ${number} "version ${version} has a second entry")
      endif()
      list(APPEND versions ${version})
      set(date_${version} ${CMAKE_MATCH_2})
      set(items_${version})
    elseif(line MATCHES "^== ")
      zuzo_changelog_fault("${file}" ${number} "an entry starts \"== VERSION YYYY-MM-DD\" (version x.y.z)")
    elseif(line MATCHES "^- (.+)$")
      if(version STREQUAL "")
        zuzo_changelog_fault("${file}" ${number} "a change before the first \"== VERSION YYYY-MM-DD\"")
      endif()
      if(NOT item STREQUAL "")
        list(APPEND items_${version} "${item}")
      endif()
      set(item "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^  +([^ ].*)$" AND NOT item STREQUAL "")
      string(APPEND item " ${CMAKE_MATCH_1}")
    else()
      zuzo_changelog_fault("${file}" ${number} "neither an entry's head, a change (\"- \") nor its continuation "
                                              "(indented by two blanks)")
    endif()
  endforeach()
  if(NOT item STREQUAL "")
    list(APPEND items_${version} "${item}")
  endif()
  if(versions STREQUAL "")
    message(FATAL_ERROR "${file}: no entry \"== VERSION YYYY-MM-DD\"")
  endif()
  foreach(version IN LISTS versions)
    if(items_${version} STREQUAL "")
      message(FATAL_ERROR "${file}: the entry of version ${version} names no change")
    endif()
    set(ZUZO_CHANGELOG_DATE_${version} ${date_${version}} PARENT_SCOPE)
    set(ZUZO_CHANGELOG_ITEMS_${version} "${items_${version}}" PARENT_SCOPE)
  endforeach()
  set(ZUZO_CHANGELOG_VERSIONS ${versions} PARENT_SCOPE)
endfunction()

# Text with the semicolons back, for HTML (&, <, > escaped) or as it is.
function(zuzo_changelog_text item html out_var)
  string(REPLACE "${ZUZO_SEMICOLON}" ";" item "${item}")
  if(html)
    string(REPLACE "&" "&amp;" item "${item}")
    string(REPLACE "<" "&lt;" item "${item}")
    string(REPLACE ">" "&gt;" item "${item}")
  endif()
  set(${out_var} "${item}" PARENT_SCOPE)
endfunction()

set(ZUZO_CHANGELOG_MONTHS января февраля марта апреля мая июня июля августа сентября октября ноября декабря)

function(zuzo_changelog_page out)
  set(page "<!DOCTYPE html>
<html lang=\"ru\">
<head>
<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">
<title>Что нового</title>
<meta name=\"keywords\" content=\"что нового, изменения, версии, история версий\">
<link rel=\"stylesheet\" href=\"style.css\">
</head>
<body>
<p class=\"nav\"><a href=\"index.html\">Содержание</a></p>
<h1>Что нового</h1>
<p>Изменения в версиях программы Vestorin Zuzo transport, новые сверху. Номер вашей версии показывает окно
«О программе» и команда <b>zuzo --version</b>.</p>
")
  foreach(version IN LISTS ZUZO_CHANGELOG_VERSIONS)
    string(REGEX MATCH "^([0-9]+)-([0-9]+)-([0-9]+)$" _ "${ZUZO_CHANGELOG_DATE_${version}}")
    math(EXPR month "${CMAKE_MATCH_2} - 1")
    math(EXPR day "${CMAKE_MATCH_3}")
    list(GET ZUZO_CHANGELOG_MONTHS ${month} month)
    string(APPEND page "\n<h2>Версия ${version} от ${day} ${month} ${CMAKE_MATCH_1} г.</h2>\n<ul>\n")
    foreach(item IN LISTS ZUZO_CHANGELOG_ITEMS_${version})
      zuzo_changelog_text("${item}" ON item)
      string(APPEND page "<li>${item}</li>\n")
    endforeach()
    string(APPEND page "</ul>\n")
  endforeach()
  string(APPEND page "</body>\n</html>\n")
  file(WRITE "${out}" "${page}")
endfunction()

# "Mon, 07 Dec 2026 12:00:00 +0000" of a day YYYY-MM-DD, the weekday by
# Sakamoto's rule.
function(zuzo_changelog_rfc2822 date out_var)
  string(REGEX MATCH "^([0-9]+)-([0-9]+)-([0-9]+)$" _ "${date}")
  set(day_text ${CMAKE_MATCH_3})
  math(EXPR year "${CMAKE_MATCH_1}")
  math(EXPR m "${CMAKE_MATCH_2} - 1")
  math(EXPR day "${CMAKE_MATCH_3}")
  set(y ${year})
  if(m LESS 2)
    math(EXPR y "${y} - 1")
  endif()
  set(offsets 0 3 2 5 0 3 5 1 4 6 2 4)
  set(weekdays Sun Mon Tue Wed Thu Fri Sat)
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  list(GET offsets ${m} t)
  math(EXPR weekday "(${y} + ${y} / 4 - ${y} / 100 + ${y} / 400 + ${t} + ${day}) % 7")
  list(GET weekdays ${weekday} weekday)
  list(GET months ${m} month)
  set(${out_var} "${weekday}, ${day_text} ${month} ${year} 12:00:00 +0000" PARENT_SCOPE)
endfunction()

# TEXT broken into lines of at most 79 characters, the first starting with
# FIRST, the others with REST.
function(zuzo_changelog_wrap text first rest out_var)
  string(REPLACE " " ";" words "${text}")
  set(result)
  set(line "${first}")
  set(empty ON)
  foreach(word IN LISTS words)
    string(REGEX REPLACE "[${ZUZO_CHANGELOG_CONTINUING}]" "" characters "${line} ${word}")
    string(LENGTH "${characters}" length)
    if(empty)
      string(APPEND line "${word}")
      set(empty OFF)
    elseif(length GREATER 79)
      string(APPEND result "${line}\n")
      set(line "${rest}${word}")
    else()
      string(APPEND line " ${word}")
    endif()
  endforeach()
  set(${out_var} "${result}${line}\n" PARENT_SCOPE)
endfunction()

function(zuzo_changelog_debian out)
  set(text)
  foreach(version IN LISTS ZUZO_CHANGELOG_VERSIONS)
    string(APPEND text "zuzo-transport (${version}) unstable; urgency=medium\n\n")
    foreach(item IN LISTS ZUZO_CHANGELOG_ITEMS_${version})
      zuzo_changelog_wrap("${item}" "  * " "    " item)
      zuzo_changelog_text("${item}" OFF item)
      string(APPEND text "${item}")
    endforeach()
    zuzo_changelog_rfc2822(${ZUZO_CHANGELOG_DATE_${version}} when)
    string(APPEND text "\n -- Vestorin <support@vestorin.invalid>  ${when}\n\n")
  endforeach()
  string(REGEX REPLACE "\n\n$" "\n" text "${text}")
  file(WRITE "${out}" "${text}")
endfunction()

function(zuzo_changelog_notes version out)
  if(NOT version IN_LIST ZUZO_CHANGELOG_VERSIONS)
    message(FATAL_ERROR "the changelog has no entry for version ${version}")
  endif()
  set(text "Vestorin Zuzo transport ${version} (${ZUZO_CHANGELOG_DATE_${version}}): что нового\n\n")
  foreach(item IN LISTS ZUZO_CHANGELOG_ITEMS_${version})
    zuzo_changelog_wrap("${item}" "- " "  " item)
    zuzo_changelog_text("${item}" OFF item)
    string(APPEND text "${item}")
  endforeach()
  file(WRITE "${out}" "${text}")
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE AND DEFINED WRITE)
  zuzo_changelog_read("${CHANGELOG}")
  if(WRITE STREQUAL "debian")
    zuzo_changelog_debian("${OUT}")
  elseif(WRITE STREQUAL "notes")
    zuzo_changelog_notes("${VERSION}" "${OUT}")
  elseif(WRITE STREQUAL "page")
    zuzo_changelog_page("${OUT}")
  else()
    message(FATAL_ERROR "-DWRITE= is debian, notes or page")
  endif()
endif()
