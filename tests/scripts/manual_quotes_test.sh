#!/usr/bin/env bash
# The user manual (docs/help/*.html) and the programs' texts agree both ways:
# every text of the programs that the manual quotes is a text the programs
# hold, and every message a user can meet has a row on the manual's page of
# messages (docs/help/messages.html), which the index leads to.
#
# What counts as a quote of the programs:
#   kind | marked in the pages by                     | read
#   -----+--------------------------------------------+------------------
#   «…»  | guillemets, outside class "ext" and "log"  | as one text (with
#        |                                            | «…» inside it)
#   log  | an element of class "log"                  | line by line (<br>, or a
#        |                                            | line end in a <pre>)
# What may differ from the sources in either: a time stamp ("14:05:09 ->"),
# a word with a digit (COM3, ttyUSB0, 1234) or the version (@PROJECT_VERSION@,
# which the build replaces), a path (D:\Журналы), a file
# name (plan.csv) and what the page marks as a variable part (<var>--port</var>
# in "параметр <var>--port</var> указан дважды"). A quote of nothing but such
# words (a port name alone) is no quote: missing. Texts the sources do not hold stand in an element of class
# "ext" and are not checked: Qt's own button names («Да», «Нет», «Отмена»,
# from its Russian catalogue), a row of dashes the log draws, a
# spreadsheet's menus, Windows' dialogs. Links to pages of the manual are
# named without guillemets.
#
# The companion's messages join their parts with ": ", "; " and " (…)" and
# put names in «», which part a quote too. A quote matches when each of its pieces,
# blanks collapsed, occurs as whole words in the string literals of the C++
# sources (app, link, program, plans, ui, tools; adjacent literals joined,
# "\n" read as a blank).
#
# Messages: every Russian string literal of app, link, program, plans, ui and
# tools/zuzo is a text a user can meet, and each of its lines (split at "\n"
# and Qt's %1), blanks collapsed, must occur in the text of messages.html,
# except in these files and these texts, which hold no messages:
#   files                                        | what their texts are
#   ---------------------------------------------+--------------------------
#   tools/zuzo/*/help_texts*                     | zuzo --help
#   app/accessibility.cpp                        | names a screen reader hears
#   app/*_page.cpp, app/main_window.cpp,         | captions of windows, menus
#   app/about_window.cpp, *_window.cpp           | and controls
#   app/translations.cpp, ui/russian_sizes.cpp,  | Qt's catalogues, sizes of
#   ui/qt_seams.cpp                              | Russian texts, box icons
#   link/date_display.cpp,                       | dates, the chart's labels
#   plans/core/week_chart.cpp                    |
#   program/core/device_program.*,               | names of weekdays, sounds
#   app/application.cpp                          |
#   texts: Пн … Вс, "День недели;Интервал;…",    | the plan table's weekdays
#   "Дата и время;Порт;…"                        | and headers, the journal's
# and every row of messages.html (an element with an id) is the place of an
# entry of the index help.hhk.
#
# The rows below prove the check can fail: each must be reported missing.
#   «Ошибка открытия»           the log's real text is "Ошибка отрытия"
#   «ttyUSB0  COM33»            the port note is three lines, not one
#   «Порт открыт успешно»       a text the tool never writes
#   «Да»                        Qt's button, not the tool's text (only in "Дата")
#   message "Порт исчез"        a message no row names
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 2
LC_ALL=C.UTF-8 perl -CSD -e '
use strict; use warnings; use utf8;
my @sources = grep { /\.(cpp|h)$/ } map { chomp; $_ } `find app link program plans ui tools -type f`;
my $silent = qr{^(tools/zuzo/\w+/help_texts|app/accessibility\.cpp|app/\w+_page\.cpp|app/main_window\.cpp|
    \w+/\w+_window\.cpp|app/translations\.cpp|ui/russian_sizes\.cpp|ui/qt_seams\.cpp|link/date_display\.cpp|
    plans/core/week_chart\.cpp|program/core/device_program\.|app/application\.cpp)}x;
my $silent_text = qr{^(Пн|Вт|Ср|Чт|Пт|Сб|Вс|День недели;Интервал;.*|Дата и время;Порт;.*)$}s;
my ($corpus, @messages) = ("");
for my $file (@sources) {
    open(my $f, "<:encoding(UTF-8)", $file) or die "$file: $!";
    local $/; my $src = <$f>;
    my ($text, $gap) = (undef, "");
    my $flush = sub {
        return unless defined $text;
        $corpus .= norm($text) . "\x00";
        push @messages, [$file, $text]
            if $file =~ m{^(app|link|program|plans|ui|tools/zuzo)/} && $file !~ $silent && $text =~ /\p{Cyrillic}/
               && $text !~ $silent_text;
    };
    while ($src =~ /\G(?:(\/\/[^\n]*|\/\*.*?\*\/)|R"([^(]*)\((.*?)\)\2"|"((?:[^"\\\n]|\\.)*)"|(\x27(?:[^\x27\\\n]|\\.)*\x27|.))/gsc) {
        my $literal = defined $3 ? $3 : defined $4 ? unescape($4) : undef;
        if (defined $literal) {
            if (defined $text && $gap =~ /^\s*$/) { $text .= $literal; } else { $flush->(); $text = $literal; }
            $gap = "";
        } else {
            $gap .= defined $1 ? " " : $5;
        }
    }
    $flush->();
}
sub unescape { my $s = shift; $s =~ s/\\n/\n/g; $s =~ s/\\t/\t/g; $s =~ s/\\(["\\\x27])/$1/g; return $s; }
sub norm { my $s = shift; $s =~ s/\s+/ /g; return $s; }
# What varies: a time stamp, a word with a digit (COM3, ttyUSB0, 1234) or
# with the version the build puts in (@PROJECT_VERSION@), a path and a file
# name (plan.csv).
sub found {
    my @pieces = grep { /\S/ } map { my $p = $_; $p =~ s/^[\s,]+|[\s,]+$//g; $p }
                 split /\d\d:\d\d:\d\d ->|\S*\d\S*|\S*\@PROJECT_VERSION\@\S*|\S*[\/\\]\S*|\S+\.(?:ptm|csv|json)\b|[:;] |[«»\x{1F}]|\s\(|\)/,
                 norm(shift);
    return @pieces && !grep { my $p = quotemeta; $corpus !~ /(?<!\w)$p(?!\w)/ } @pieces;
}
sub text_of {
    my $s = shift;
    $s =~ s/<[^>]*>//g;
    my %e = (nbsp => " ", lt => "<", gt => ">", amp => "&", quot => "\"", laquo => "«", raquo => "»", mdash => "—",
             ndash => "–", rarr => "→");
    $s =~ s/&(\w+);/exists $e{$1} ? $e{$1} : "&$1;"/ge;
    return $s;
}
sub read_page { my $p = shift; open(my $f, "<:encoding(UTF-8)", $p) or die "$p: $!"; local $/; my $h = <$f>; $h =~ s/<!--.*?-->//gs; return $h; }

my ($checked, @missing) = (0);
for my $bad ("Ошибка открытия", "ttyUSB0  COM33", "Порт открыт успешно", "Да") {
    push @missing, "the check cannot fail: «$bad» passes" if found($bad);
}
for my $page (sort glob "docs/help/*.html") {
    my $html = read_page($page);
    $html =~ s/<var>.*?<\/var>/\x{1F}/gs;
    # Texts of other programs are not the tool'\''s.
    $html =~ s/<(\w+)[^>]*class="ext"[^>]*>.*?<\/\1>//gs;
    my @quotes;
    while ($html =~ /<(\w+)[^>]*class="log"[^>]*>(.*?)<\/\1>/gs) {
        my ($tag, $body) = ($1, $2);
        push @quotes, map { text_of($_) } split($tag eq "pre" ? qr/<br\s*\/?>|\n/ : qr/<br\s*\/?>/, $body);
    }
    (my $plain = $html) =~ s/<(\w+)[^>]*class="log"[^>]*>.*?<\/\1>//gs;
    $plain = text_of($plain);
    push @quotes, $1 while $plain =~ /«((?:[^«»]|«[^«»]*»)*)»/g;
    for my $quote (@quotes) {
        next unless $quote =~ /\S/;
        $checked++;
        push @missing, "$page: «$quote» is in no source" unless found($quote);
    }
}

# Messages: each line of each message literal is on messages.html.
my $reference = read_page("docs/help/messages.html");
my $said = norm(text_of($reference));
my $on_page = sub {
    return !grep { my $l = $_; $l =~ s/^[\s,;:.(]+|[\s,;:(]+$//g; $l =~ /\S/ && index($said, $l) < 0 }
           split /\n|%\d/, norm_lines(shift);
};
sub norm_lines { my $s = shift; $s =~ s/[ \t]+/ /g; return $s; }
push @missing, "the check cannot fail: a message no row names passes" if $on_page->("Порт исчез");
for my $m (@messages) {
    my ($file, $text) = @$m;
    push @missing, "$file: \"$text\" has no row on messages.html" unless $on_page->($text);
}
# Rows: each is the place of an index entry.
my $index = read_page("docs/help/help.hhk");
my %indexed = map { $_ => 1 } $index =~ /value="messages\.html#([^"]+)"/g;
for my $row ($reference =~ /<tr id="([^"]+)"/g) {
    push @missing, "messages.html#$row: no entry of help.hhk leads to this row" unless $indexed{$row};
}
print "$_\n" for @missing;
print "$checked quotes and ", scalar(@messages), " messages checked, ", scalar(@missing), " missing\n";
exit(@missing ? 1 : 0);
'
