#!/usr/bin/env bash
# Installs what building, running and testing need, from Debian 12's packages,
# asking apt only for those that are missing (ninja-build: the presets'
# generator; ccache: the compiler cache the build uses where it is
# installed; at-spi2-core and dbus-daemon: the
# accessibility bus on which the test atspi_walk hears the tool as a screen
# reader does; fp-utils-3.2.2: chmcmd, which compiles the user manual
# help.chm, and chmls, with which the test help_chm reads it back;
# dpkg-dev: dpkg-shlibdeps, with which cpack makes the Debian package depend
# on the Qt libraries the programs load).
# Without an option also what opens the manual on F1 (scripts/run.sh): the
# CHM viewer xchm, xdg-open (xdg-utils), which the tool asks to open help.chm,
# file, with which xdg-open learns that it is a CHM file, and
# desktop-file-utils, which registers xchm as the viewer of CHM files.
# With --ci also what the fuzz pass (clang, libFuzzer), the package check
# (xwininfo, and the
# validators lintian, desktop-file-validate and appstreamcli), the Windows
# cross-check (mingw-w64, GoogleTest's sources, Wine, the sources of the
# Russian locale, xdotool and ImageMagick's import to drive and picture the
# tool under Wine) and the installer check (NSIS, whose 64-bit installers run
# under the 64-bit Wine alone; osslsigncode and openssl, which sign the
# programs and make the check's throw-away certificate; unzip for the
# portable copy), the static analysis of the core
# (clang-tidy) and of the scripts (shellcheck), and the test orca_walk (the
# screen reader Orca, the window manager openbox, xdotool, xprop of
# x11-utils, the sources of the Russian locale) need; with --bench what
# bench.sh and soak.sh use to drive
# the real tool (xwininfo, xdotool).
set -euo pipefail
packages=(
  cmake g++ make ninja-build ccache
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-svg-dev libqt6svg6 qt6-translations-l10n
  libgl-dev libxkbcommon-dev
  libgtest-dev
  nlohmann-json3-dev
  fonts-dejavu-core xvfb xauth
  at-spi2-core dbus-daemon
  fp-utils-3.2.2
  dpkg-dev
)
if [ $# -eq 0 ]; then
  packages+=(xchm xdg-utils file desktop-file-utils)
fi
if [ "${1:-}" = "--ci" ]; then
  packages+=(clang-14 clang-format libclang-rt-14-dev x11-utils)
  packages+=(lintian desktop-file-utils appstream)
  packages+=(g++-mingw-w64-x86-64-posix googletest wine64 wine locales xdotool imagemagick)
  packages+=(nsis osslsigncode openssl unzip)
  packages+=(clang-tidy-14 shellcheck)
  packages+=(orca openbox)
fi
if [ "${1:-}" = "--bench" ]; then
  packages+=(x11-utils xdotool)
fi
# Nothing to do when every package is there already (no root needed then).
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
echo "install-deps.sh: installing ${missing[*]}"
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
