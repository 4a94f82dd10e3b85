#!/usr/bin/env bash
# Texts of the language table are named in src/lang/TextIds.h; the code under src/ never asks
# for one by its bare number. Prints each call of Text(...), Get_Text(...) or a window's t(...)
# whose text is a number (also in a ?: choice), and each number turned into a TextId by hand;
# string and character literals and comments are not code and are skipped. Exits 1 if there
# is one.
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

found=$(find src -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z |
    xargs -0 perl -0777 -ne '
        my @lines = split /\n/;
        # Blank out literals and comments, keeping the line breaks.
        s{("(?:[^"\\\n]|\\.)*"|'\''(?:[^'\''\\\n]|\\.)*'\''|//[^\n]*|/\*.*?\*/)}
         {(my $k = $1) =~ s/[^\n]//g; $k}gse;
        while (/\b(?:Get_Text|Text|t)\(\s*(?:[(\s]*[0-9]|[^()]*?\?\s*[0-9]+\s*:\s*[0-9])
               |\bstatic_cast<\s*TextId\s*>\(\s*[0-9]
               |\bTextId\s*[({]\s*[0-9]/gx) {
            my $line = 1 + (substr($_, 0, $-[0]) =~ tr/\n//);
            (my $text = $lines[$line - 1]) =~ s/^\s+//;
            print "$ARGV:$line: $text\n";
        }')

if [ -n "$found" ]; then
    echo "$found" | sed "s/^/text id: a bare number, not its name from src\/lang\/TextIds.h: /"
    exit 1
fi
echo "text ids: every text is asked for by its name"
