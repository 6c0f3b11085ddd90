#!/usr/bin/env bash
# The built help.chm as its viewers (xchm, the Windows viewer) read it: every
# text they show from the file's own tables reads in Russian as the pages of
# docs/help wrote it. Usage: help_chm_test.sh BUILD/help.chm (chmls of
# fp-utils extracts it).
#
#   row       | read from help.chm                 | must hold
#   ----------+------------------------------------+---------------------------
#   codepage  | #SYSTEM, the language (LCID)       | 0x0419: Russian, so the
#             |                                    | viewers decode Windows-1251
#   contents  | /help.hhc in Windows-1251          | every Name of help.hhc
#   index     | /help.hhk in Windows-1251          | every Name of help.hhk
#   binary    | $WWKeywordLinks                    | absent: the compiler would
#             |                                    | fill it from the same text
#             |                                    | as UTF-8 ("?" for Russian)
#   window    | #WINDOWS, its index file and tabs  | help.hhk, the search tab
#             |                                    | (Wine's viewer shows no
#             |                                    | index without it)
#   titles    | #TOPICS and #STRINGS in 1251       | each page's <title>, for
#             |                                    | the search results
#   pages     | each page in Windows-1251          | the source page, charset
#             |                                    | windows-1251 declared, the
#             |                                    | build's version for
#             |                                    | @PROJECT_VERSION@
#   anchors   | every page#name that a page, the   | an <a name> of the page:
#             | contents or the index leads to     | xchm scrolls to that
#             |                                    | only, not to an id
#   names     | the contents entry of each page    | the page's title, which its
#             |                                    | heading holds too
#   whatsnew  | the page «Что нового» (made by the | a topic of that title,
#             | build from packaging/changelog.txt)| each version of the
#             |                                    | changelog with its date
#             |                                    | and every change, whole
#   captions  | the index, and each caption, menu  | an entry named by it ("Х"
#             | item and window title of the tool  | or "Х, …"), leading to a
#             | (its literals in the files of      | place of a page that names
#             | windows, pages and the menu)       | it («Х»)
# The rows below prove the check can fail: a text read as UTF-8 and a
# question mark in place of a letter are not the names they stand for; an
# id, which xchm does not scroll to, is no target.
set -uo pipefail
chm=${1:?usage: help_chm_test.sh help.chm VERSION}
version=${2:?usage: help_chm_test.sh help.chm VERSION}
top="$(dirname "$0")/../.."
pages="$top/docs/help"
command -v chmls >/dev/null || { echo "chmls not found (package fp-utils-3.2.2)"; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
chmls extractall "$chm" "$out" >/dev/null 2>&1
chmls -n -p list "$chm" 2>/dev/null >"$out/.list"
LC_ALL=C.UTF-8 perl -CSD -e '
use strict; use warnings; use utf8; use Encode qw(decode);
my ($out, $pages, $top, $version) = @ARGV;
sub bytes_of { my $p = shift; open(my $f, "<:raw", $p) or return undef; local $/; return <$f>; }
sub utf8_of { my $b = bytes_of(shift); return defined $b ? decode("UTF-8", $b) : ""; }
sub names_of { my $t = shift; my @n; push @n, $1 while $t =~ /name="Name" value="([^"]*)"/g; return @n; }
# The places a viewer scrolls to: the <a name> of a page.
sub targets_of { my $t = shift; my %n; $n{$1} = 1 while $t =~ /<a name="([^"]+)"/g; return \%n; }
sub plain_text {
    my $t = shift;
    $t =~ s/<[^>]*>//g;
    my %e = (nbsp => " ", lt => "<", gt => ">", amp => "&", quot => "\"", rarr => "→", mdash => "—");
    $t =~ s/&(\w+);/exists $e{$1} ? $e{$1} : "&$1;"/ge;
    $t =~ s/\s+/ /g;
    return $t;
}
sub missing_names {
    my ($text, @names) = @_;
    my %have = map { $_ => 1 } names_of($text);
    return grep { !$have{$_} } @names;
}
my @faults;
my $fault = sub { push @faults, join(": ", @_); };

# The check can fail: a contents read as UTF-8, a "?" for a letter.
{
    my $good = "<param name=\"Name\" value=\"Связь с устройством\">";
    push @faults, "the check cannot fail: UTF-8 passes as Windows-1251"
        unless missing_names(decode("cp1251", Encode::encode("UTF-8", $good)), "Связь с устройством");
    push @faults, "the check cannot fail: question marks pass"
        unless missing_names("<param name=\"Name\" value=\"????? ? ???????????\">", "Связь с устройством");
    push @faults, "the check cannot fail: an id passes for a name"
        if targets_of("<h2 id=\"port\">Порт</h2><a href=\"#port\">")->{port};
}

# codepage
my $system = bytes_of("$out/#SYSTEM") // "";
my $lcid;
for (my $at = 4; $at + 4 <= length $system; ) {
    my ($code, $len) = unpack("v v", substr($system, $at, 4));
    $lcid = unpack("V", substr($system, $at + 4, 4)) if $code == 4;
    $at += 4 + $len;
}
$fault->("codepage", sprintf("#SYSTEM names language %s, not 0x0419", defined $lcid ? sprintf("0x%04x", $lcid) : "none"))
    unless defined $lcid && $lcid == 0x0419;

# contents and index
for my $row (["contents", "help.hhc"], ["index", "help.hhk"]) {
    my ($name, $file) = @$row;
    my $stored = bytes_of("$out/$file");
    if (!defined $stored) { $fault->($name, "/$file is not in help.chm"); next; }
    my @lost = missing_names(decode("cp1251", $stored), names_of(utf8_of("$pages/$file")));
    $fault->($name, "«$_» does not read back from /$file in Windows-1251") for @lost;
}

# binary
open(my $list, "<:raw", "$out/.list") or die;
$fault->("binary", "help.chm has a binary index (\$WWKeywordLinks)") if grep { /WWKeywordLinks/ } <$list>;

# window
my ($windows, $strings) = (bytes_of("$out/#WINDOWS") // "", bytes_of("$out/#STRINGS") // "");
sub string_at { my $at = shift; return "" if $at >= length $strings; my $s = substr($strings, $at); $s =~ s/\0.*//s; return decode("cp1251", $s); }
if (length $windows < 8 + 0x70) {
    $fault->("window", "help.chm defines no window (#WINDOWS)");
} else {
    my $w = substr($windows, 8);
    my $properties = unpack("V", substr($w, 16, 4));
    my $index = string_at(unpack("V", substr($w, 0x64, 4)));
    $fault->("window", "the window'\''s index is «$index», not help.hhk") unless $index eq "help.hhk";
    $fault->("window", "the window has no search tab") unless $properties & 0x400;
}

# The contents or index entries of a list: [name, local] (a book has no local).
sub contents_entries {
    my $t = shift; my @e;
    while ($t =~ /<OBJECT[^>]*>(.*?)<\/OBJECT>/gs) {
        my $o = $1;
        my ($n) = $o =~ /name="Name" value="([^"]*)"/;
        my ($l) = $o =~ /name="Local" value="([^"]*)"/;
        push @e, [$n // "", $l // ""];
    }
    return @e;
}
# The captions of the tool: the literals of the files that build its windows,
# pages and menu, in Russian or given to setWindowTitle, without their access
# marks and closing blanks or colon; texts of several lines (the About text,
# the copy hint) and the names a screen reader hears are not captions.
sub tool_captions {
    my $top = shift; my %seen;
    for my $file (map { glob("$top/$_") } qw(app/main_window.cpp app/*_page.cpp app/*_window.cpp plans/*_window.cpp link/*_window.cpp)) {
        my $src = utf8_of($file);
        $src =~ s{//[^\n]*}{}g;
        while ($src =~ /((?:"(?:[^"\\\n]|\\.)*"\s*)+)/g) {
            my ($literal, $at) = ($1, $-[0]);
            my $before = substr($src, $at > 60 ? $at - 60 : 0, $at > 60 ? 60 : $at);
            next if $literal =~ /\\n"\s*"/ || $before =~ /Accessible/;
            (my $text = $literal) =~ s/"\s*"//g;
            $text =~ s/^"|"$//g;
            next unless $text =~ /\p{Cyrillic}/ || $before =~ /setWindowTitle\(\w*\($/;
            $text =~ s/&//g;
            $text =~ s/[\s:]+$//;
            $seen{$text} = 1 unless $text =~ /\\n/;
        }
    }
    return sort keys %seen;
}

# titles
my ($topics, $urltbl, $urlstr) = map { bytes_of("$out/$_") // "" } ("#TOPICS", "#URLTBL", "#URLSTR");
my (%title_of, %page_text, %page_title);
my $page_count = 0;
for (my $at = 0; $at + 16 <= length $topics; $at += 16) {
    my ($toc, $title_at, $url_at) = unpack("V V V", substr($topics, $at, 12));
    next if $url_at + 12 > length $urltbl;
    my $str_at = unpack("V", substr($urltbl, $url_at + 8, 4));
    (my $url = substr($urlstr, $str_at + 8)) =~ s/\0.*//s;
    # A page is the first topic with its address (an index entry may add more).
    $title_of{$url} //= $title_at == 0xFFFFFFFF ? "" : string_at($title_at);
}
for my $path (sort glob("$pages/*.html")) {
    (my $page = $path) =~ s{.*/}{};
    $page_count++;
    my $source = utf8_of($path);
    my ($title) = $source =~ /<title>([^<]*)<\/title>/;
    my $shown = $title_of{$page};
    if (!defined $shown) { $fault->("titles", "$page is no topic of help.chm"); }
    elsif ($shown ne $title) { $fault->("titles", "$page reads «$shown», not «$title»"); }
    # pages
    my $stored = bytes_of("$out/$page");
    (my $expected = $source) =~ s/charset=utf-8"/charset=windows-1251"/;
    $expected =~ s/src="\.\.\//src="/g;
    $expected =~ s/\@PROJECT_VERSION\@/$version/g;
    my $shown_page = defined $stored ? decode("cp1251", $stored) : "";
    $page_text{$page} = $shown_page;
    # The names the build adds for the viewers are the anchors row'\''s.
    (my $without_names = $shown_page) =~ s/<a name="[^"]*"><\/a>//g;
    $fault->("pages", "$page in help.chm is not the source page in Windows-1251 with version $version")
        unless defined $stored && $without_names eq $expected;
    # names
    my ($heading) = $source =~ /<h1>(.*?)<\/h1>/s;
    $heading = plain_text($heading // "");
    $fault->("names", "$page: the heading «$heading» does not hold the title «$title»")
        unless index(lc $heading, lc $title) >= 0;
    $page_title{$page} = $title;
}
# whatsnew: the changelog, entry by entry, on the page made of it.
{
    my $shown = $title_of{"whatsnew.html"} // "";
    $fault->("whatsnew", "whatsnew.html is no topic «Что нового» of help.chm (it reads «$shown»)")
        unless $shown eq "Что нового";
    my $page = plain_text(decode("cp1251", bytes_of("$out/whatsnew.html") // ""));
    my @months = qw(января февраля марта апреля мая июня июля августа сентября октября ноября декабря);
    my ($entries, $change) = (0, undef);
    my $changed = sub {
        $fault->("whatsnew", "the change «$change» is not on the page «Что нового»")
            if defined $change && index($page, $change) < 0;
        $change = undef;
    };
    for (split /\n/, utf8_of("$top/packaging/changelog.txt")) {
        next if /^#/;
        if (/^== (\S+) (\d+)-(\d+)-(\d+)$/) {
            $changed->();
            $entries++;
            my $head = sprintf("Версия %s от %d %s %d г.", $1, $4, $months[$3 - 1], $2);
            $fault->("whatsnew", "the page «Что нового» has no heading «$head»") if index($page, $head) < 0;
        } elsif (/^- (.*)$/) { $changed->(); $change = $1; }
        elsif (/^ +(.*)$/ && defined $change) { $change .= " $1"; }
    }
    $changed->();
    $fault->("whatsnew", "packaging/changelog.txt has no entry") unless $entries;
}
for my $entry (contents_entries(decode("cp1251", bytes_of("$out/help.hhc") // ""))) {
    my ($name, $local) = @$entry;
    next if $local =~ /#/ || !defined $page_title{$local};
    $fault->("names", "the contents name $local «$name», its title is «$page_title{$local}»")
        unless $name eq $page_title{$local};
}

# anchors: from every page, the contents and the index.
my @leads;
for my $page (sort keys %page_text) {
    my $html = $page_text{$page};
    while ($html =~ /href="([^"#:]*)#([^"]+)"/g) { push @leads, ["$page", ($1 eq "" ? $page : $1), $2]; }
}
for my $list ("help.hhc", "help.hhk") {
    for my $entry (contents_entries(decode("cp1251", bytes_of("$out/$list") // ""))) {
        push @leads, [$list, $1, $2] if $entry->[1] =~ /^([^#]+)#(.+)$/;
    }
}
my %targets = map { $_ => targets_of($page_text{$_}) } keys %page_text;
for my $lead (@leads) {
    my ($from, $page, $name) = @$lead;
    $fault->("anchors", "$from leads to $page#$name, which has no <a name=\"$name\"> (the viewer opens the top)")
        unless $targets{$page} && $targets{$page}{$name};
}

# captions: each of the tool'\''s captions is an index entry leading to a
# place that names it.
my @index = contents_entries(decode("cp1251", bytes_of("$out/help.hhk") // ""));
my @captions = tool_captions($top);
$fault->("captions", "no caption of the tool found in its sources") unless @captions;
for my $caption (@captions) {
    my @entries = grep { $_->[0] eq $caption || index($_->[0], "$caption, ") == 0 || index($_->[0], "$caption (") == 0 } @index;
    if (!@entries) { $fault->("captions", "«$caption» has no entry in the index"); next; }
    for my $entry (@entries) {
        my ($page, $name) = $entry->[1] =~ /^([^#]+)(?:#(.+))?$/;
        my $html = $page_text{$page} // "";
        my $from = defined $name ? index($html, "<a name=\"$name\">") : 0;
        $fault->("captions", "«$entry->[0]» leads to $entry->[1], which does not name «$caption» there")
            unless $from >= 0 && index(plain_text(substr($html, $from)), $caption) >= 0;
    }
}
print "$_\n" for @faults;
printf "%d pages, %d contents and %d index entries, %d links to a place, %d captions checked, %d faults\n",
    $page_count, scalar(names_of(utf8_of("$pages/help.hhc"))), scalar(names_of(utf8_of("$pages/help.hhk"))),
    scalar(@leads), scalar(@captions), scalar(@faults);
exit(@faults ? 1 : 0);
' "$out" "$pages" "$top" "$version"
