#!/usr/bin/env bash
# Installs what building, running and testing need, from Debian 12's packages.
# With --ci also what the fuzz pass (clang, libFuzzer) and the package check
# (dpkg-shlibdeps, xwininfo) need; with --bench what bench.sh and soak.sh use
# to drive the real tool (xwininfo, xdotool).
set -euo pipefail
packages=(
  cmake g++ make
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-svg-dev libqt6svg6
  libgl-dev libxkbcommon-dev
  libgtest-dev
  fonts-dejavu-core xvfb xauth
)
if [ "${1:-}" = "--ci" ]; then
  packages+=(clang-14 libclang-rt-14-dev dpkg-dev x11-utils)
fi
if [ "${1:-}" = "--bench" ]; then
  packages+=(x11-utils xdotool)
fi
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${packages[@]}"
