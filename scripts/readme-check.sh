#!/usr/bin/env bash
# Runs the examples of the README and of the documents in docs/ as written
# and checks that they still do what the documents show.
#
# The examples checked are the blocks a document marks with the line
#   <!-- checked by scripts/readme-check.sh -->
# right before their opening ```console. In such a block "$ " starts a
# command, "> " continues it, and the lines up to the next command are what
# it prints (standard output and errors together). In a printed line "..."
# stands for any text; a line of only "..." for any number of lines. A byte
# order mark and blanks at the end of a line are not compared. A command
# must exit 0, unless its comment says "exit N".
#
# All marked blocks of one document run in order in one bash session, as a
# user would type them into one terminal: started at the top of a copy of
# the repository (examples/ copied, build/release standing for the build
# folder), with a private HOME, TMPDIR and XDG_RUNTIME_DIR, so the
# simulator's COM names collide with nothing else on the machine. Each
# document gets a session of its own. After a command that starts programs
# in the background with "&" the next one waits until each has published
# its port (or ended), as a person at a terminal would read its start line.
# When the blocks have run, nothing they started may still be running: no
# job of the session, and no process that carries the session's
# XDG_RUNTIME_DIR (a simulator started with --detach, given a moment to
# end); such leftovers are named and stopped.
#
# Not run: the blocks without the mark. Those are the ones that need a
# desktop (the tool itself, a spreadsheet), root or sudo (installing), a
# real device or a long time (benchmarks, the soak test), or a fresh
# machine (scripts/run.sh, scripts/test.sh).
#
# Also checked: examples/site.ptm is what "zuzo ptm make" writes from
# examples/site.json, and "zuzo ptm dump" gives that JSON back; and the
# Layout table of docs/DEVELOPING.md names every top-level file and folder of
# the repository; and no document (nor a page of the manual) types the
# project's version, which project(... VERSION) of CMakeLists.txt holds alone.
#
# usage: scripts/readme-check.sh        (after the build: scripts/test.sh)
# Environment: BUILD_DIR (default build/release), DOCS (the documents,
# default README.md and docs/*.md), KEEP=1 keeps the work folder and names it.
# The last line is "N passed, M failed"; the exit code is 1 when M > 0.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 2
build=$(cd "${BUILD_DIR:-build/release}" 2>/dev/null && pwd) || build=
docs=${DOCS:-${README:-README.md $(echo docs/*.md)}}
mark='<!-- checked by scripts/readme-check.sh -->'

for program in zuzo zuzo-devsim; do
    if [ -z "$build" ] || [ ! -x "$build/$program" ]; then
        echo "readme-check.sh: $program is not built in ${BUILD_DIR:-build/release} (run scripts/test.sh first)" >&2
        echo "0 passed, 1 failed"
        exit 1
    fi
done

top_work=$(mktemp -d)
work=$top_work
cleanup() { if [ -n "${KEEP:-}" ]; then echo "readme-check.sh: kept $top_work" >&2; else rm -rf "$top_work"; fi; }
trap cleanup EXIT
passed=0
failed=0
pass() { passed=$((passed + 1)); }
fail() {
    failed=$((failed + 1))
    echo "FAILED: $1"
    [ -z "${2:-}" ] || sed 's/^/    /' <<<"$2"
}

# --- the sample program and its JSON ---
if "$build/zuzo" ptm make examples/site.json "$work/site.ptm" >"$work/make.out" 2>&1 &&
    cmp -s "$work/site.ptm" examples/site.ptm &&
    "$build/zuzo" ptm dump examples/site.ptm 2>&1 | cmp -s - examples/site.json; then
    pass
else
    fail "examples/site.ptm is not what zuzo ptm make writes from examples/site.json" \
        "$(cat "$work/make.out"; echo "regenerate: build/release/zuzo ptm make examples/site.json examples/site.ptm")"
fi

# --- the Layout table names every top-level file and folder ---
layout=docs/DEVELOPING.md
unlisted=
for name in $(git ls-files 2>/dev/null | cut -d/ -f1 | sort -u); do
    grep -qE "^\| .*\`$name/?\`" "$layout" || unlisted="$unlisted $name"
done
if [ -n "$unlisted" ]; then
    fail "$layout: the Layout table does not name:$unlisted"
else
    pass
fi

# --- the version is typed once: in project(... VERSION) of CMakeLists.txt ---
version=$(sed -n 's/^project([^ ]* VERSION \([0-9][0-9.]*\).*/\1/p' CMakeLists.txt)
if [ -z "$version" ]; then
    fail "CMakeLists.txt: no project(... VERSION x.y.z) found"
else
    # shellcheck disable=SC2086 # $docs is a list of names
    typed=$(grep -lwF -- "$version" $docs docs/help/*.html 2>/dev/null)
    if [ -n "$typed" ]; then
        fail "the version $version is typed by hand in:" \
            "$(echo "$typed"; echo "write VERSION in a document, @PROJECT_VERSION@ in the manual (the build fills it in)")"
    else
        pass
    fi
fi

# --- each document's marked blocks, turned into one session script ---
check_document() {
local readme=$1
work=$top_work/$(echo "$readme" | tr '/.' '__')
mkdir -p "$work/top/build" "$work/home" "$work/tmp" "$work/expected"
mkdir -m 700 "$work/run"
cp -r examples "$work/top/examples"
ln -s "$build" "$work/top/build/release"
session=$work/session.sh
out=$work/out
cat >"$session" <<'PRELUDE'
# Written by scripts/readme-check.sh from a document's checked blocks.
__mark() { printf '\036%s\n' "$1"; }
__ports() { find "$XDG_RUNTIME_DIR/zuzo-ports" -mindepth 1 -maxdepth 1 2>/dev/null | wc -l; }
__running() { jobs -pr | wc -l; }
# After a command that left programs running in the background: wait until
# each has published a port or ended, then until the output stands still.
__settle() {
    local started=$(($(__running) - $1)) i size=-1
    [ "$started" -gt 0 ] || return 0
    for i in $(seq 100); do
        [ "$(__ports)" -ge $(($2 + started)) ] && break
        [ $(($(__running) - $1)) -lt "$started" ] && break
        sleep 0.03
    done
    while [ "$(stat -c %s "$__out")" != "$size" ]; do
        size=$(stat -c %s "$__out")
        sleep 0.1
    done
}
PRELUDE

count=0
in_block=0
armed=0
line_no=0
expect_file=
finish_command() {
    [ "$count" -gt 0 ] || return 0
    {
        echo
        echo "__rc=\$?"
        # What an interactive shell does before its next prompt: report the
        # jobs that have ended, which frees their numbers (%1 ...).
        echo "jobs >/dev/null"
        echo "__settle \"\$__jobs\" \"\$__ports_before\""
        echo "__mark \"rc $count \$__rc\""
    } >>"$session"
}
while IFS= read -r line || [ -n "$line" ]; do
    line_no=$((line_no + 1))
    if [ "$in_block" -eq 0 ]; then
        if [ "$line" = "$mark" ]; then
            armed=1
        elif [ "$armed" -eq 1 ] && [[ $line == '```console'* ]]; then
            in_block=1
            armed=0
        elif [ -n "$line" ]; then
            armed=0
        fi
        continue
    fi
    if [[ $line == '```'* ]]; then
        in_block=0
        continue
    fi
    if [[ $line == '$ '* ]]; then
        finish_command
        count=$((count + 1))
        command=${line#'$ '}
        expect_file=$work/expected/$count
        : >"$expect_file"
        echo "$line_no" >"$expect_file.line"
        echo "$command" >"$expect_file.command"
        rc=0
        [[ $command =~ \#.*exit\ ([0-9]+) ]] && rc=${BASH_REMATCH[1]}
        echo "$rc" >"$expect_file.rc"
        {
            echo "__mark \"command $count\""
            echo "__jobs=\$(__running); __ports_before=\$(__ports)"
            printf '%s' "$command"
        } >>"$session"
    elif [[ $line == '> '* ]] && [ -s "$expect_file.command" ] && [ ! -s "$expect_file" ]; then
        printf '\n%s' "${line#'> '}" >>"$session"
        echo "${line#'> '}" >>"$expect_file.command"
    elif [ -n "$expect_file" ]; then
        echo "$line" >>"$expect_file"
    fi
done <"$readme"
finish_command
cat >>"$session" <<'POSTLUDE'
__mark "left running"
jobs -r
kill $(jobs -pr) 2>/dev/null
wait
POSTLUDE

if [ "$count" -eq 0 ]; then
    [ "$readme" != README.md ] || fail "no checked block in $readme (marked with: $mark)"
    return
fi

# --- run them ---
(
    cd "$work/top" || exit 1
    export HOME=$work/home TMPDIR=$work/tmp XDG_RUNTIME_DIR=$work/run LC_ALL=C.UTF-8 __out=$out
    unset DISPLAY WAYLAND_DISPLAY
    timeout 50 bash "$session" </dev/null >"$out" 2>&1
) || true

# Simulators started with --detach are no jobs of the session. Given a
# moment to end, whatever still runs with the session's private
# XDG_RUNTIME_DIR is one the document did not stop: it is named and stopped
# here, so that nothing outlives the check.
still_running() {
    local environ pid
    for environ in /proc/[0-9]*/environ; do
        if tr '\0' '\n' 2>/dev/null <"$environ" | grep -qxF "XDG_RUNTIME_DIR=$work/run"; then
            pid=${environ#/proc/}
            pid=${pid%/environ}
            echo "$pid $(tr '\0' ' ' 2>/dev/null <"/proc/$pid/cmdline")"
        fi
    done
}
left_detached=
for _ in $(seq 40); do
    left_detached=$(still_running)
    [ -z "$left_detached" ] && break
    sleep 0.05
done
if [ -n "$left_detached" ]; then
    mapfile -t left_pids < <(cut -d' ' -f1 <<<"$left_detached")
    kill "${left_pids[@]}" 2>/dev/null
fi

# Splits the output at the marks: out.N is what command N printed, rc.N its exit code.
# A mark may follow output that did not end its line.
awk -v dir="$work" '
    {
        i = index($0, "\036")
        if (i == 0) { if (file != "") print > file; next }
        if (i > 1 && file != "") print substr($0, 1, i - 1) > file
        $0 = substr($0, i + 1)
    }
    /^command / { file = dir "/out." substr($0, 9); printf "" > file; next }
    /^rc / { split(substr($0, 4), f, " "); print f[2] > (dir "/rc." f[1]); file = ""; next }
    /^left running/ { file = dir "/left"; printf "" > file; next }
' "$out"

# True when the printed text matches the README's: "..." is any text, a
# line of "..." any lines; byte order marks and blanks at line ends ignored.
matches() {
    perl -e '
        sub lines { open(my $f, "<", $_[0]) or return (); my @l = <$f>; s/\xEF\xBB\xBF//g for @l;
                    s/[ \t\r]*\n?\z/\n/ for @l; return @l; }
        my @want = lines($ARGV[0]);
        pop @want while @want && $want[-1] eq "\n";
        my $re = join "", map {
            chomp(my $w = $_);
            $w eq "..." ? "(?:.*\\n)*?" : join(".*", map { quotemeta } split(/\.\.\./, $w, -1)) . "\\n"
        } @want;
        my @got = lines($ARGV[1]);
        pop @got while @got && $got[-1] eq "\n";
        my $got = join "", @got;
        exit($got =~ /\A$re\z/ ? 0 : 1);
    ' "$1" "$2"
}

for k in $(seq "$count"); do
    e=$work/expected/$k
    where="$readme:$(cat "$e.line"): \$ $(head -1 "$e.command")"
    if [ ! -f "$work/rc.$k" ]; then
        fail "$where" "did not finish (the blocks are stopped after 50 s)"
    elif [ "$(cat "$work/rc.$k")" != "$(cat "$e.rc")" ]; then
        fail "$where" "exit $(cat "$work/rc.$k"), the document expects $(cat "$e.rc"); it printed:
$(cat "$work/out.$k")"
    elif ! matches "$e" "$work/out.$k"; then
        fail "$where" "$(diff -u --label "$readme (... stands for any text)" "$e" --label printed "$work/out.$k")"
    else
        pass
    fi
done
if [ -s "$work/left" ]; then
    fail "programs $readme started were still running at the end" "$(cat "$work/left")"
elif [ -n "$left_detached" ]; then
    fail "programs $readme started were still running at the end" "$left_detached"
else
    pass
fi
}

for document in $docs; do
    check_document "$document"
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
