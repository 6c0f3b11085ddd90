#!/usr/bin/env bash
# The Qt for Windows that the Windows programs and their installer are built
# against, rebuilt from source: Qt 6.4.2 as shared libraries for 64-bit
# Windows (x86_64-w64-mingw32, GCC 12, posix threads), cross-built on Debian
# 12 with Debian's mingw-w64, in release mode. The result is a folder laid out
# like ../shared/qt-windows (bin, include, lib, mkspecs, modules, plugins,
# mingw-toolchain.cmake) with this recipe, its patch and BUILD-INFO.txt (what
# was built from what) inside.
#
# Sources: Debian 12's source packages, with Debian's patch series applied
# (its security fixes among them), fetched from DEBIAN_MIRROR (default
# http://deb.debian.org/debian) and checked against the digests below:
#   qtbase        qt6-base 6.4.2+dfsg-10
#   qtserialport  qt6-serialport 6.4.2-2
#   qtsvg         qt6-svg 6.4.2-2
# QTSERIALPORT_SRC=DIR or QTSVG_SRC=DIR builds that module from an unpacked
# source folder instead (Qt's own 6.4.2 release of it). One change of our own,
# no-wintab.patch beside this file: no tablet input in the windows and
# direct2d platform plugins, since Debian's qtbase source leaves out the
# Wintab header. The configure options are those below: no network, SQL,
# D-Bus, OpenGL, Vulkan, printing, concurrent, XML or JPEG; zlib, PCRE2,
# libpng, FreeType, HarfBuzz and double-conversion are Qt's bundled copies.
# Host tools (moc, rcc, uic, ...) are Debian's own Qt 6.4.2 (QT_HOST_PATH=/usr,
# packages qt6-base-dev-tools and qt6-base-private-dev).
#
# Usage: build.sh WORKDIR PREFIX [MODULE...]     (about an hour on two cores;
#        run it under nice -n 19 on a shared machine)
# MODULE is qtbase, qtserialport or qtsvg (default: all three, in that order);
# qtserialport and qtsvg need qtbase in PREFIX. JOBS sets the parallel jobs
# (default 2). The exit code is 0 when everything asked for was built and
# installed, 2 when a tool or a source is missing (with the reason in one line).
set -euo pipefail
if [ $# -lt 2 ]; then
  sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'
  exit 2
fi
recipe=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$1" "$2"
work=$(cd "$1" && pwd)
prefix=$(cd "$2" && pwd)
shift 2
modules=("$@")
[ ${#modules[@]} -gt 0 ] || modules=(qtbase qtserialport qtsvg)
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
jobs=${JOBS:-2}

for tool in x86_64-w64-mingw32-gcc-posix x86_64-w64-mingw32-g++-posix cmake ninja curl dpkg-source patch \
  sha256sum /usr/lib/qt6/libexec/moc; do
  if ! command -v "$tool" >/dev/null; then
    echo "$tool is missing: install g++-mingw-w64-x86-64-posix cmake ninja-build curl dpkg-dev patch" \
      "qt6-base-dev qt6-base-dev-tools qt6-base-private-dev" >&2
    exit 2
  fi
done

# The source packages: name, version, SHA-256 of the .dsc (which names the
# digests of the tarballs, checked by dpkg-source).
declare -A package=([qtbase]=qt6-base [qtserialport]=qt6-serialport [qtsvg]=qt6-svg)
declare -A version=([qtbase]=6.4.2+dfsg-10 [qtserialport]=6.4.2-2 [qtsvg]=6.4.2-2)
declare -A dsc_sha256=(
  [qtbase]=1b4b5c8610a553d4211fa81e268b1a3b0a6339ae5444fdb7e60d7616da651970
  [qtserialport]=281d9b49f41cce1399ca53acbbc60dc44f2727857c82fabb964976c06a34b896
  [qtsvg]=85fc5a16d4ae8928cc26c0a254178d3a81ae090f6407377278cb8167f7c0ec55
)
declare -A given_src=([qtserialport]=${QTSERIALPORT_SRC:-} [qtsvg]=${QTSVG_SRC:-})

# source MODULE: the unpacked, patched source folder of MODULE (printed).
source_of() {
  local m=$1 name=${package[$1]} v=${version[$1]} dsc file
  if [ -n "${given_src[$m]:-}" ]; then
    realpath "${given_src[$m]}"
    return
  fi
  dsc=${name}_${v}.dsc
  mkdir -p "$work/download"
  if [ ! -d "$work/$name-$v" ]; then
    (
      cd "$work/download"
      fetch() { [ -s "$1" ] || curl -fsS --retry 3 -o "$1" "$mirror/pool/main/q/$name/$1"; }
      if ! fetch "$dsc"; then
        echo "$dsc could not be fetched from $mirror (set DEBIAN_MIRROR, or give the module's source folder)" >&2
        exit 2
      fi
      if ! echo "${dsc_sha256[$m]}  $dsc" | sha256sum -c --quiet - >&2; then
        echo "$dsc from $mirror is not the one this recipe was written for (SHA-256 differs)" >&2
        exit 2
      fi
      for file in $(awk '/^Checksums-Sha256:/ {on = 1; next} /^[^ ]/ {on = 0} on {print $3}' "$dsc"); do
        fetch "$file" || {
          echo "$file (of $dsc) could not be fetched from $mirror" >&2
          exit 2
        }
      done
      # Checks each tarball against the .dsc, unpacks it and applies
      # Debian's patch series.
      dpkg-source --no-copy -x "$dsc" "$work/$name-$v" >"$work/$name-$v.unpack.log" 2>&1 || {
        echo "dpkg-source could not unpack $dsc: $(tail -1 "$work/$name-$v.unpack.log")" >&2
        exit 2
      }
      if [ "$m" = qtbase ]; then
        patch -d "$work/$name-$v" -p1 <"$recipe/no-wintab.patch" >>"$work/$name-$v.unpack.log"
      fi
    ) || exit 2
  fi
  printf '%s\n' "$work/$name-$v"
}

# The compilers, as the installed Qt's own qt.toolchain.cmake loads them (a
# path relative to the folder, so the folder may be moved).
cat >"$prefix/mingw-toolchain.cmake" <<'TC'
# 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64-posix); this Qt's qt.toolchain.cmake loads it.
get_filename_component(_qt_windows_dir "${CMAKE_CURRENT_LIST_DIR}" ABSOLUTE)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 "${_qt_windows_dir}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
TC

qtbase_options=(
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_vulkan=OFF
  -DFEATURE_concurrent=OFF -DFEATURE_printsupport=OFF -DFEATURE_network=OFF -DFEATURE_xml=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF -DFEATURE_jpeg=OFF
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_doubleconversion=OFF
  -DFEATURE_pkg_config=OFF
)
module_options=(-DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF)

info="$prefix/BUILD-INFO.txt"
[ -f "$info" ] || printf '%s\n' "Qt 6.4.2 for 64-bit Windows, built by build.sh in this folder:" >"$info"
for m in "${modules[@]}"; do
  case $m in qtbase | qtserialport | qtsvg) ;; *)
    echo "unknown module $m (qtbase, qtserialport or qtsvg)" >&2
    exit 2
    ;;
  esac
  src=$(source_of "$m") || exit 2
  echo "== $m from $src"
  if [ "$m" = qtbase ]; then
    cmake -S "$src" -B "$work/build-$m" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-toolchain.cmake" \
      -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
      -DCMAKE_INSTALL_PREFIX="$prefix" "${qtbase_options[@]}" >"$work/build-$m.configure.log"
  else
    cmake -S "$src" -B "$work/build-$m" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
      -DCMAKE_INSTALL_PREFIX="$prefix" "${module_options[@]}" >"$work/build-$m.configure.log"
  fi
  cmake --build "$work/build-$m" --parallel "$jobs"
  cmake --install "$work/build-$m" >/dev/null
  if [ -n "${given_src[$m]:-}" ]; then
    from="the source folder $src (given)"
  else
    from="Debian's source package ${package[$m]} ${version[$m]} with its patch series"
    [ "$m" = qtbase ] && from="$from and no-wintab.patch"
  fi
  echo "- $m: $from, built $(date -u +%Y-%m-%d)" >>"$info"
done
cp "$recipe/build.sh" "$recipe/no-wintab.patch" "$prefix/"
echo "Configure options of qtbase: ${qtbase_options[*]}" >"$prefix/BUILD-OPTIONS.txt"
echo "Configure options of the other modules: ${module_options[*]}" >>"$prefix/BUILD-OPTIONS.txt"
echo "done: $prefix"
