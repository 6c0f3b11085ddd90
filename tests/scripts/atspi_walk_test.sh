#!/usr/bin/env bash
# Runs the AT-SPI walk (tests/app/atspi_walk_test.cpp) as a screen reader
# meets the tool: on an X server without a window manager, in a D-Bus session
# of its own where the accessibility bus and its registry start on demand.
# Exits 77 (skipped) and says why when one of them is not installed.
set -uo pipefail
program=${1:?the atspi_tests program}
shift
need() {
  if ! command -v "$1" >/dev/null 2>&1 && [ ! -x "$1" ]; then
    echo "skipped: $1 is missing ($2)"
    exit 77
  fi
}
need dbus-run-session "Debian package dbus-daemon"
need dbus-daemon "Debian package dbus-daemon"
need xvfb-run "Debian package xvfb"
launcher=""
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
  [ -x "$candidate" ] && launcher=$candidate
done
[ -n "$launcher" ] || { echo "skipped: at-spi-bus-launcher is missing (Debian package at-spi2-core)"; exit 77; }
# The buses' sockets go to a folder of this run, not under HOME.
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24" "$program" "$@"
