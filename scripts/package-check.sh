#!/usr/bin/env bash
# Builds the Debian package, checks it with Debian's and the desktops' own
# validators (lintian, desktop-file-validate, appstreamcli: any error or
# warning fails), installs it with apt, starts the installed tool under a
# virtual X server, checks that its window is up, and uninstalls it. Also
# checks that the package depends on the packages of the libraries its
# programs load (which dpkg-shlibdeps finds when cpack makes it).
# Needs (besides scripts/install-deps.sh, which brings dpkg-dev and
# fp-utils-3.2.2): x11-utils (xwininfo), lintian, desktop-file-utils and
# appstream; scripts/install-deps.sh --ci brings them.
# Runs as root or with sudo. DEB=FILE.deb checks an already built package
# instead of building one in $BUILD_DIR (build/package); FROM_BUILD=DIR makes
# the package in a build folder that is already built.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build/package}
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
for tool in lintian desktop-file-validate appstreamcli chmcmd xwininfo readelf; do
  if ! command -v "$tool" >/dev/null; then
    echo "$tool is missing: scripts/install-deps.sh --ci installs it" >&2
    exit 2
  fi
done

if [ -n "${DEB:-}" ]; then
  # A package built before: check that one.
  deb=$(realpath "$DEB")
elif [ -n "${FROM_BUILD:-}" ]; then
  # A build folder whose programs are already built (CI's test build): only
  # the package is made there.
  echo "== making the package from $FROM_BUILD"
  rm -f "$FROM_BUILD"/zuzo-transport_*.deb
  (cd "$FROM_BUILD" && cpack -G DEB >/dev/null)
  deb=$(realpath "$(ls "$FROM_BUILD"/zuzo-transport_*.deb)")
else
  echo "== building the package in $build"
  # Only what the package holds is built; cpack then installs without building
  # the rest of the tree.
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DZUZO_BUILD_TESTS=OFF \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
  cmake --build "$build" -j"$(nproc)" --target zuzo-transport zuzo zuzo-devsim zuzo_icons zuzo_help
  rm -f "$build"/zuzo-transport_*.deb
  (cd "$build" && cpack -G DEB >/dev/null)
  deb=$(realpath "$(ls "$build"/zuzo-transport_*.deb)")
fi
echo "built $deb"
dpkg-deb --field "$deb" Package Version Depends
dpkg-deb --contents "$deb" | awk '{print $6}'

work=$(mktemp -d)
cleanup() {
  [ -n "${tool:-}" ] && kill "$tool" 2>/dev/null || true
  rm -rf "$work"
  if dpkg -s zuzo-transport >/dev/null 2>&1; then
    "${sudo_cmd[@]}" apt-get remove -y -qq zuzo-transport >/dev/null || true
  fi
}
trap cleanup EXIT

echo "== the package depends on the libraries its programs load"
# A package made without dpkg-shlibdeps installs fine and then fails to start
# (no Qt): every library a program names (NEEDED) must come from a package
# that Depends names.
dpkg-deb -x "$deb" "$work/root"
depends=$(dpkg-deb --field "$deb" Depends)
# The package names of Depends, alternatives included, one a line.
depended=$(tr ',|' '\n\n' <<<"$depends" | awk 'NF { print $1 }')
unlisted=
for program in zuzo-transport zuzo zuzo-devsim; do
  binary=$work/root/usr/bin/$program
  loaded=$(ldd "$binary")
  for soname in $(readelf -d "$binary" | sed -n 's/.*(NEEDED).*\[\(.*\)\]$/\1/p'); do
    # "libX.so.6 => /lib/.../libX.so.6 (…)", the loader as "/lib64/ld-linux….so.2 (…)".
    path=$(awk -v name="$soname" '$1 == name && $2 == "=>" { print $3 }
      $1 ~ ("/" name "$") { print $1 }' <<<"$loaded" | head -1)
    package=
    if [ -n "$path" ]; then
      # dpkg knows a library under /lib or /usr/lib, whichever its package names.
      real=$(realpath "$path")
      for candidate in "$path" "/usr${path#/usr}" "${path#/usr}" "$real" "/usr${real#/usr}" "${real#/usr}"; do
        owner=$(dpkg -S "$candidate" 2>/dev/null | head -1) && { package=${owner%%:*}; break; }
      done
    fi
    if [ -z "$package" ] || ! grep -qxF "$package" <<<"$depended"; then
      unlisted="$unlisted $program:$soname(${package:-no package})"
    fi
  done
done
if [ -n "$unlisted" ]; then
  echo "Depends: $depends"
  echo "the package does not depend on what its programs load:$unlisted (made without dpkg-shlibdeps?)"
  exit 1
fi
echo "Depends names the package of every library the programs load"

echo "== lintian"
# Tags down to infos are shown; errors and warnings fail.
lintian --display-info --fail-on error,warning "$deb"
echo "lintian: no error, no warning"

echo "== desktop entry and AppStream metadata"
# desktop-file-validate ends with 0 on warnings: they are found in its words.
entry_report=$(desktop-file-validate "$work/root/usr/share/applications/zuzo-transport.desktop" 2>&1) ||
  { echo "$entry_report"; exit 1; }
if [ -n "$entry_report" ]; then echo "$entry_report"; fi
if grep -q -e 'error:' -e 'warning:' <<<"$entry_report"; then exit 1; fi
echo "desktop-file-validate: no error, no warning"
# --no-net: the screenshots and the homepage are checked for their form only,
# nothing is fetched. --strict fails on infos too; one of them is lowered to
# a hint with its reason: the component id is the maker's domain
# (vestorin.example) reversed, whose top-level domain the validator does not
# know.
appstreamcli validate-tree --no-net --explain --strict \
  --override=cid-maybe-not-rdns=pedantic "$work/root"

echo "== installing"
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "$deb" >/dev/null

for f in /usr/bin/zuzo-transport /usr/bin/zuzo /usr/bin/zuzo-devsim \
         /usr/share/applications/zuzo-transport.desktop \
         /usr/share/metainfo/example.vestorin.zuzo_transport.metainfo.xml \
         /usr/share/icons/hicolor/48x48/apps/zuzo-transport.png \
         /usr/share/icons/hicolor/scalable/apps/zuzo-transport.svg \
         /usr/share/zuzo-transport/help.chm \
         /usr/share/doc/zuzo-transport/html/index.html \
         /usr/share/doc/zuzo-transport/copyright; do
  [ -e "$f" ] || { echo "missing after install: $f"; exit 1; }
done
# Manual pages and the changelog may be filtered out by dpkg on slim systems;
# the package must carry them all the same.
# (The list is read from a file: grep -q ending early would break dpkg's pipe.)
dpkg -L zuzo-transport >"$work/listed"
for f in /usr/share/man/man1/zuzo-transport.1.gz /usr/share/man/man1/zuzo.1.gz \
         /usr/share/man/man1/zuzo-devsim.1.gz /usr/share/doc/zuzo-transport/changelog.gz; do
  grep -qx "$f" "$work/listed" || { echo "not in the package: $f"; exit 1; }
done
# The desktop entry starts the tool where help.chm lies.
grep -qx 'Path=/usr/share/zuzo-transport' /usr/share/applications/zuzo-transport.desktop ||
  { echo "the desktop entry does not start the tool beside help.chm"; exit 1; }
/usr/bin/zuzo --help >/dev/null
/usr/bin/zuzo-devsim --help >/dev/null 2>&1

echo "== starting the installed tool under Xvfb"
# Without a working window manager a window is still mapped; xwininfo finds it
# by its title. The script runs inside the virtual display.
cat >"$work/inside.sh" <<'INSIDE'
#!/usr/bin/env bash
set -u
cd "$1"
/usr/bin/zuzo-transport >"$1/tool.out" 2>&1 &
tool=$!
found=0
for _ in $(seq 1 50); do
  if ! kill -0 "$tool" 2>/dev/null; then break; fi
  if xwininfo -root -tree 2>/dev/null | grep -q '"Vestorin Zuzo transport"'; then found=1; break; fi
  sleep 0.2
done
sleep 2
alive=0
kill -0 "$tool" 2>/dev/null && alive=1
xwininfo -root -tree | grep '"Vestorin Zuzo transport"' || true
kill "$tool" 2>/dev/null || true
wait "$tool" 2>/dev/null || true
echo "window=$found alive=$alive"
[ "$found" = 1 ] && [ "$alive" = 1 ]
INSIDE
chmod +x "$work/inside.sh"
status=0
xvfb-run -a -s "-screen 0 1024x768x24" "$work/inside.sh" "$work" || status=$?
if [ -s "$work/tool.out" ]; then
  echo "-- the tool printed:"
  cat "$work/tool.out"
fi
if grep -Eqi 'error|fatal|could not|cannot|abort' "$work/tool.out"; then
  echo "the tool printed something alarming"
  status=1
fi
[ "$status" = 0 ] || { echo "the installed tool did not start"; exit 1; }

echo "== uninstalling"
"${sudo_cmd[@]}" apt-get remove -y -qq zuzo-transport >/dev/null
if [ -e /usr/bin/zuzo-transport ]; then echo "still installed after remove"; exit 1; fi
echo "package check passed"
