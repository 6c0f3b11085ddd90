#!/usr/bin/env bash
# Makes a release of version VERSION from a clean tree, all with the build's
# one version (project(... VERSION) of CMakeLists.txt), into
# build/release-VERSION:
#   zuzo-transport_VERSION_amd64.deb          the Debian package (built in
#                                             build/release, the test
#                                             build of scripts/test.sh)
#   zuzo-transport-VERSION-win64.exe          the Windows installer and
#   zuzo-transport-VERSION-win64-portable.zip the portable copy, cross-built
#                                             against Qt for Windows in
#                                             build/windows-qt, as
#                                             scripts/windows-check.sh does
#   RELEASE-NOTES.txt                         what is new in VERSION, from
#                                             its entry of the changelog
#                                             packaging/changelog.txt
#   SHA256SUMS                                the packages' SHA-256 sums
# The build folders are the checks' own: what they built is reused, only what
# changed is built again.
#
# Signing: with ZUZO_SIGN_CERT (a PKCS#12 file holding the company's
# code-signing certificate and key) and ZUZO_SIGN_PASSWORD in the
# environment, every Windows program and library and the installer are
# signed (Authenticode, SHA-256, no time stamp; scripts/sign.sh), and each
# signature is read back (osslsigncode verify, against ZUZO_SIGN_CA when it
# names the certificate authority's file). Without them the release says,
# here and in RELEASE-NOTES.txt, that it is unsigned.
#
# Refused (exit code 2, nothing made): a tree with changes not committed, a
# VERSION that is not the build's, a VERSION without an entry in the
# changelog.
# usage: scripts/release.sh VERSION
# Needs what scripts/install-deps.sh --ci installs, and Qt for Windows in
# QT_WINDOWS_DIR (default: shared/qt-windows beside the repository's folder).
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)
lap() { echo "== $1 ($(($(date +%s) - start)) s)"; }
refuse() {
  echo "release.sh: $1; nothing made" >&2
  exit 2
}
[ $# -eq 1 ] || {
  echo "usage: scripts/release.sh VERSION" >&2
  exit 2
}
version=$1

# --- what is released ----------------------------------------------------------
dirty=$(git status --porcelain --untracked-files=normal)
[ -z "$dirty" ] || refuse "the tree has changes not committed ($(head -1 <<<"$dirty" | cut -c4-) and more): commit or stash them"
built=$(sed -n 's/^project([^ ]* VERSION \([0-9][0-9.]*\).*/\1/p' CMakeLists.txt)
[ "$version" = "$built" ] || refuse "version $version is not the build's version $built (project(... VERSION) of CMakeLists.txt)"
grep -q "^== ${version//./\\.} " packaging/changelog.txt ||
  refuse "packaging/changelog.txt has no entry \"== $version YYYY-MM-DD\""

# shellcheck source=scripts/wine-common.sh
source scripts/wine-common.sh
qt=$(qt_windows_dir)
for tool in cmake cpack dpkg-deb makensis chmcmd x86_64-w64-mingw32-g++-posix osslsigncode unzip sha256sum; do
  command -v "$tool" >/dev/null || refuse "$tool is missing (scripts/install-deps.sh --ci installs it)"
done
[ -f "$qt/lib/cmake/Qt6/qt.toolchain.cmake" ] || refuse "no Qt for Windows in $qt (set QT_WINDOWS_DIR)"
out=build/release-$version
rm -rf "$out"
mkdir -p "$out"
commit=$(git rev-parse --short HEAD)
if [ -n "${ZUZO_SIGN_CERT:-}" ]; then
  [ -r "$ZUZO_SIGN_CERT" ] || refuse "the certificate ZUZO_SIGN_CERT=$ZUZO_SIGN_CERT cannot be read"
  signed="signed with $ZUZO_SIGN_CERT"
else
  signed=
  echo "release.sh: no ZUZO_SIGN_CERT: the Windows programs and the installer will be UNSIGNED"
fi

# --- the Debian package ----------------------------------------------------------
lap "the Debian package, in build/release"
cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)" >/dev/null
rm -f build/release/zuzo-transport_*.deb
(cd build/release && cpack -G DEB >/dev/null)
deb=$(ls build/release/zuzo-transport_"$version"_*.deb)
cp "$deb" "$out/"

# --- the Windows installer and the portable copy -------------------------------
lap "the Windows programs, in build/windows-qt"
cmake --preset windows-cross -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" >/dev/null
cmake --build build/windows-qt -j"$(nproc)" --target zuzo-transport zuzo zuzo-setup-helper zuzo_help >/dev/null
rm -f build/windows-qt/zuzo-transport-*-win64.exe build/windows-qt/zuzo-transport-*-win64-portable.zip
for generator in NSIS ZIP; do
  lap "cpack -G $generator"
  if ! (cd build/windows-qt && cpack -G $generator) >"$out/cpack-$generator.log" 2>&1; then
    refuse "cpack -G $generator failed: $(grep -m1 -i error "$out/cpack-$generator.log") (log: $out/cpack-$generator.log)"
  fi
  rm -f "$out/cpack-$generator.log"
done
cp "build/windows-qt/zuzo-transport-$version-win64.exe" "build/windows-qt/zuzo-transport-$version-win64-portable.zip" \
  "$out/"

# --- signatures ------------------------------------------------------------------
if [ -n "$signed" ]; then
  lap "reading back the signatures"
  check=$(mktemp -d)
  trap 'rm -rf "$check"' EXIT
  unzip -q "$out/zuzo-transport-$version-win64-portable.zip" -d "$check"
  ca=()
  [ -n "${ZUZO_SIGN_CA:-}" ] && ca=(-CAfile "$ZUZO_SIGN_CA")
  count=0
  while IFS= read -r -d '' file; do
    osslsigncode verify "${ca[@]}" -in "$file" >"$check/verify.log" 2>&1 ||
      refuse "the signature of ${file#"$check"/} does not verify: $(grep -m1 -i 'fail\|error' "$check/verify.log")"
    count=$((count + 1))
  done < <(find "$out/zuzo-transport-$version-win64.exe" "$check" \( -iname '*.exe' -o -iname '*.dll' \) -print0)
  signed="$signed: the installer and $((count - 1)) programs and libraries, each verified"
fi

# --- the notes and the sums ------------------------------------------------------
lap "the release notes and SHA256SUMS"
cmake -DCHANGELOG=packaging/changelog.txt -DWRITE=notes -DVERSION="$version" -DOUT="$out/RELEASE-NOTES.txt" \
  -P packaging/changelog.cmake
{
  echo
  echo "Файлы выпуска и их контрольные суммы SHA-256 — в файле SHA256SUMS (проверка: sha256sum -c SHA256SUMS)."
  if [ -n "$signed" ]; then
    echo "Программы для Windows и установщик подписаны цифровой подписью Vestorin."
  else
    echo "Программы для Windows и установщик этого выпуска НЕ подписаны цифровой подписью."
  fi
} >>"$out/RELEASE-NOTES.txt"
(cd "$out" && sha256sum -- *.deb *.exe *.zip >SHA256SUMS && sha256sum --quiet -c SHA256SUMS)

lap "done"
echo "release $version (commit $commit) in $out:"
(cd "$out" && ls -l -- *)
if [ -n "$signed" ]; then
  echo "$signed"
else
  echo "UNSIGNED: no ZUZO_SIGN_CERT was given; the Windows programs and the installer carry no signature"
fi
