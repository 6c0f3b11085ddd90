#!/usr/bin/env bash
# Whether the notices of other authors' components (THIRD-PARTY.txt) name
# everything of theirs that the Windows programs carry:
#  - every DLL in FOLDER (the installed programs' folder, with its
#    subfolders) by its file name;
#  - every piece of a run-time library linked into a program, as the
#    linker's map of the program (MAP, from the build folder's link-maps)
#    lists them: each part of mingw-w64 (start-up code, libmingwex, import
#    libraries, winpthreads) by the licence that the copyright file of
#    Debian's mingw-w64-x86-64-dev gives its source file (the source is read
#    from the piece's debugging information), the parts of GCC's run-time
#    libraries by their exception, a static library of Qt by its name.
# It lists what it found with the licence of each, and fails, naming it, on
# a piece whose licence or name the notices lack, or a piece from a library
# it does not know.
# Usage: notices-check.sh [--notices FILE] FOLDER MAP...   (FILE instead of
# FOLDER/THIRD-PARTY.txt). Exit code: 0 all named, 1 something is not,
# 2 the check cannot run. Run by scripts/installer-check.sh.
set -euo pipefail
# The tools' own words (objdump's "file format") are read: in English.
export LC_ALL=C
notices=
if [ "${1:-}" = --notices ]; then
  notices=$2
  shift 2
fi
folder=$1
shift
notices=${notices:-$folder/THIRD-PARTY.txt}
copyright=/usr/share/doc/mingw-w64-x86-64-dev/copyright
mingw_lib=$(realpath -m /usr/x86_64-w64-mingw32/lib)
gcc_lib=$(realpath -m /usr/lib/gcc/x86_64-w64-mingw32)
for needed in "$notices" "$copyright" "$@"; do
  [ -f "$needed" ] || { echo "$needed is missing" >&2; exit 2; }
done
text=$(tr -d '\r' <"$notices" | tr '\n' ' ' | tr -s ' ')

# The words by which THIRD-PARTY.txt names each licence (Debian's short
# names; GCC's pieces get GCC's exception).
declare -A words=(
  [ZPL-2.1]="ZPL-2.1" [public-domain]="public domain" [Lucent]="Lucent Technologies"
  [David-Gay]="David M. Gay" [Keith-Marshall]="Keith Marshall" [Permissive-Sun]="Sun Microsystems"
  [expat]="winpthreads" [GCC-exception]="исключением для библиотек времени выполнения GCC"
)
failed=0
named() { # named WHAT WORDS: the notices hold WORDS, or WHAT is reported
  if [[ "$text" != *"$2"* ]]; then
    echo "FAILED: THIRD-PARTY.txt does not name $1 (no \"$2\")"
    failed=1
  fi
}

echo "DLLs in $folder:"
while IFS= read -r dll; do
  echo "  ${dll#"$folder"/}"
  named "${dll##*/}" "${dll##*/}"
done < <(find "$folder" -iname '*.dll' | sort)

# Debian's copyright file as "glob TAB licence" lines; the last glob that
# matches a file gives its licence.
mapfile -t rules < <(awk '/^Files:/ {n = 0; sub(/^Files:/, ""); in_files = 1}
  /^[A-Za-z-]+:/ && !/^Files:/ {in_files = 0}
  in_files {for (i = 1; i <= NF; i++) globs[n++] = $i}
  /^License:/ {sub(/^License: */, ""); for (i = 0; i < n; i++) print globs[i] "\t" $0; n = 0}' "$copyright")
declare -A licence_cache
licence_of() { # licence_of SOURCE: sets licence
  local rule
  licence=${licence_cache[$1]:-}
  [ -n "$licence" ] && return
  for rule in "${rules[@]}"; do
    # shellcheck disable=SC2053 # the glob is a pattern
    [[ "$1" == ${rule%%$'\t'*} ]] && licence=${rule#*$'\t'}
  done
  licence_cache[$1]=${licence:=unknown}
}
# The source file of each member of an archive, or of an object file.
sources_of() {
  x86_64-w64-mingw32-objdump --dwarf=info --dwarf-depth=1 "$1" 2>/dev/null |
    awk '/file format/ {m = $1; sub(/:$/, "", m); sub(/.*\//, "", m); next}
      /DW_AT_name/ && m != "" {sub(/^\.\//, "", $NF); print m, $NF; m = ""}'
}

declare -A source licence_seen=()
for map in "$@"; do
  echo "run-time pieces linked into ${map##*/}:"
  # The linker ran in the build folder, where the map's relative paths lead.
  build=$(dirname "$(dirname "$(realpath "$map")")")
  declare -A pieces=()
  # "archive(member)" lines of the archives' part, and the object files
  # loaded by name.
  while IFS= read -r piece; do
    pieces[$piece]=1
  done < <(awk '/^Archive member included/ {on = 1; next} /^(Discarded input|Memory Configuration)/ {on = 0}
    on && /^[^ ]/ {print $1} /^LOAD .*\.o$/ {print $2}' "$map" | sort -u)
  for piece in "${!pieces[@]}"; do
    file=${piece%%(*}
    member=${piece#"$file"}
    member=${member#(}
    member=${member%)}
    real=$(cd "$build" && realpath -m "$file")
    case $real in
    "$mingw_lib"/*)
      if [ -z "${source[$real]+known}" ]; then
        source[$real]=1
        while read -r m s; do source[$real:$m]=$s; done < <(sources_of "$real")
      fi
      # Import libraries, which have no debugging information, are made
      # from mingw-w64's .def files.
      from=${source[$real:${member:-${real##*/}}]:-mingw-w64-crt/lib-common/${real##*/}}
      licence_of "$from"
      ;;
    "$gcc_lib"/*) licence=GCC-exception ;;
    */libQt6*.a) # an import library names its DLL; a static one is named itself
      [ -n "${source[$real]+seen}" ] && continue
      source[$real]=1
      if ! x86_64-w64-mingw32-nm --defined-only "$real" 2>/dev/null | grep -q ' __imp_'; then
        name=${real##*/lib}
        named "Qt's static library ${name%.a} in ${map##*/}" "${name%.a}"
      fi
      continue
      ;;
    *) # the program's own objects and libraries, in the build folder
      case $real in "$build"/* | /tmp/*) continue ;; esac
      echo "FAILED: ${map##*/} holds $piece, which this check does not know: name it in THIRD-PARTY.txt and here"
      failed=1
      continue
      ;;
    esac
    licence_seen["${licence}"]+=" ${real##*/}${member:+($member)}"
  done
  unset pieces
  for licence in "${!licence_seen[@]}"; do
    count=$(wc -w <<<"${licence_seen[$licence]}")
    echo "  $licence: $count pieces, e.g.$(cut -d' ' -f1-4 <<<"${licence_seen[$licence]}")"
    if [ -z "${words[$licence]+known}" ]; then
      echo "FAILED: pieces under the licence \"$licence\", which this check does not know:${licence_seen[$licence]}"
      failed=1
    else
      named "pieces under $licence" "${words[$licence]}"
    fi
  done
  licence_seen=()
done
[ "$failed" -eq 0 ] && echo "THIRD-PARTY.txt names every DLL and every run-time piece"
exit "$failed"
