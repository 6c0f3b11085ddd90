#!/usr/bin/env bash
# Every text of the programs that the user manual (docs/help/*.html) quotes is
# a text the programs hold, so the manual cannot drift from the tool.
#
# What counts as a quote of the programs:
#   kind | marked in the pages by                     | read
#   -----+--------------------------------------------+------------------
#   «…»  | guillemets, outside class "ext" and "log"  | as one text
#   log  | an element of class "log"                  | line by line (<br>, or a
#        |                                            | line end in a <pre>)
# What may differ from the sources in either: a time stamp ("14:05:09 ->"),
# a word with a digit (COM3, ttyUSB0, 1234) and a file name (plan.csv). A
# quote of nothing but such words (a port name alone) is no quote: missing.
# Texts the sources do not hold stand in an element of class "ext" and are
# not checked: Qt's own button names («Да», «Нет», «Отмена», from its Russian
# catalogue), a row of dashes the log draws, a spreadsheet's menus, Windows'
# dialogs. Links to pages of the manual are named without guillemets.
#
# The companion's messages join their parts with ": " and "; ", which part
# a quote too. A quote matches when each of its pieces, blanks collapsed,
# occurs as whole words in the string literals of the C++ sources (app,
# link, program, plans, ui, tools; adjacent literals joined, "\n" read as a
# blank).
#
# The rows below prove the check can fail: each must be reported missing.
#   «Ошибка открытия»           the log's real text is "Ошибка отрытия"
#   «ttyUSB0  COM33»            the port note is three lines, not one
#   «Порт открыт успешно»       a text the tool never writes
#   «Да»                        Qt's button, not the tool's text (only in "Дата")
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 2
LC_ALL=C.UTF-8 perl -CSD -e '
use strict; use warnings; use utf8;
my @sources = grep { /\.(cpp|h)$/ } map { chomp; $_ } `find app link program plans ui tools -type f`;
my $corpus = "";
for my $file (@sources) {
    open(my $f, "<:encoding(UTF-8)", $file) or die "$file: $!";
    local $/; my $src = <$f>;
    my ($text, $gap) = (undef, "");
    while ($src =~ /\G(?:(\/\/[^\n]*|\/\*.*?\*\/)|R"([^(]*)\((.*?)\)\2"|"((?:[^"\\\n]|\\.)*)"|(\x27(?:[^\x27\\\n]|\\.)*\x27|.))/gsc) {
        my $literal = defined $3 ? $3 : defined $4 ? unescape($4) : undef;
        if (defined $literal) {
            if (defined $text && $gap =~ /^\s*$/) { $text .= $literal; } else { flush($text); $text = $literal; }
            $gap = "";
        } else {
            $gap .= defined $1 ? " " : $5;
        }
    }
    flush($text);
}
sub unescape { my $s = shift; $s =~ s/\\n/\n/g; $s =~ s/\\t/\t/g; $s =~ s/\\(["\\\x27])/$1/g; return $s; }
sub flush { my $t = shift; $corpus .= norm($t) . "\x00" if defined $t; return ""; }
sub norm { my $s = shift; $s =~ s/\s+/ /g; return $s; }
# What varies: a time stamp, a word with a digit (COM3, ttyUSB0, 1234) and a
# file name (plan.csv).
sub found {
    my @pieces = grep { /\S/ } map { my $p = $_; $p =~ s/^\s+|\s+$//g; $p }
                 split /\d\d:\d\d:\d\d ->|\S*\d\S*|\S+\.(?:ptm|csv|json)\b|[:;] /, norm(shift);
    return @pieces && !grep { my $p = quotemeta; $corpus !~ /(?<!\w)$p(?!\w)/ } @pieces;
}
sub text_of {
    my $s = shift;
    $s =~ s/<[^>]*>//g;
    my %e = (nbsp => " ", lt => "<", gt => ">", amp => "&", quot => "\"", laquo => "«", raquo => "»", mdash => "—", ndash => "–");
    $s =~ s/&(\w+);/exists $e{$1} ? $e{$1} : "&$1;"/ge;
    return $s;
}

my ($checked, @missing) = (0);
for my $bad ("Ошибка открытия", "ttyUSB0  COM33", "Порт открыт успешно", "Да") {
    push @missing, "the check cannot fail: «$bad» passes" if found($bad);
}
for my $page (sort glob "docs/help/*.html") {
    open(my $f, "<:encoding(UTF-8)", $page) or die "$page: $!";
    local $/; my $html = <$f>;
    $html =~ s/<!--.*?-->//gs;
    # Texts of other programs are not the tool'\''s.
    $html =~ s/<(\w+)[^>]*class="ext"[^>]*>.*?<\/\1>//gs;
    my @quotes;
    while ($html =~ /<(\w+)[^>]*class="log"[^>]*>(.*?)<\/\1>/gs) {
        my ($tag, $body) = ($1, $2);
        push @quotes, map { text_of($_) } split($tag eq "pre" ? qr/<br\s*\/?>|\n/ : qr/<br\s*\/?>/, $body);
    }
    (my $plain = $html) =~ s/<(\w+)[^>]*class="log"[^>]*>.*?<\/\1>//gs;
    $plain = text_of($plain);
    push @quotes, $1 while $plain =~ /«([^«»]*)»/g;
    for my $quote (@quotes) {
        next unless $quote =~ /\S/;
        $checked++;
        push @missing, "$page: «$quote» is in no source" unless found($quote);
    }
}
print "$_\n" for @missing;
print "$checked quotes checked, ", scalar(@missing), " missing\n";
exit(@missing ? 1 : 0);
'
