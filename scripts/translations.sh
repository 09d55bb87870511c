#!/usr/bin/env bash
# The English translation, translations/dotrix_en.ts, against the texts in the sources.
#
#   translations.sh update LUPDATE   brings the .ts up to date: new texts come in unfinished, texts
#                                    gone from the sources go out (then translate them, in Qt
#                                    Linguist or in the file)
#   translations.sh check LUPDATE    fails when a text shown to users is not in the .ts, or when a
#                                    translation there is missing, unfinished or still Chinese
#
# lupdate reads every source under src/ (tr, QT_TR_NOOP, QT_TRANSLATE_NOOP, translate); positions
# are left out, so the file changes only when a text does.
set -uo pipefail
mode=$1
lupdate=$2
root=$(cd "$(dirname "$0")/.." && pwd)
ts=$root/translations/dotrix_en.ts

run_lupdate() { # ts-file
  (cd "$root" && "$lupdate" -silent -locations none -no-obsolete -source-language zh_CN -target-language en \
    src -ts "$1") 2>&1 | grep -v 'Qualifying with unknown namespace/class ::std'
}

if [ "$mode" = update ]; then
  run_lupdate "$ts"
  exit 0
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Every text the sources mark is in the file, and nothing else: lupdate over a copy changes nothing.
cp "$ts" "$scratch/dotrix_en.ts"
run_lupdate "$scratch/dotrix_en.ts" >/dev/null
if ! cmp -s "$ts" "$scratch/dotrix_en.ts"; then
  fail "translations/dotrix_en.ts is not up to date with the sources (make update_translations, then translate):"
  diff "$ts" "$scratch/dotrix_en.ts" | grep -E '^[<>] .*<(source|translation)' | head -20
fi

# Every translation is there, finished, and English.
grep -nE 'type="(unfinished|vanished|obsolete)"|<translation></translation>|<translation/>' "$ts" | head -20 |
  while read -r line; do echo "FAIL: not translated: $line"; done
grep -qE 'type="(unfinished|vanished|obsolete)"|<translation></translation>|<translation/>' "$ts" &&
  failures=$((failures + 1))
chinese=$(perl -CSD -ne 'print "$.: $_" if /<translation>.*\p{Han}/' "$ts" | head -10)
[ -z "$chinese" ] || fail "translations that are still Chinese:"$'\n'"$chinese"

# A Chinese text in the window's or dotrix-cli's code is one lupdate sees: the string literal
# stands inside tr(...), QT_TR_NOOP(...), QT_TRANSLATE_NOOP(...) or translate(...). (The core
# libraries' Chinese messages are marked QT_TRANSLATE_NOOP("CoreMessage", ...) and lupdate finds
# those wherever they are.)
unmarked=$(perl -CSD -e '
  for my $file (@ARGV) {
    open(my $in, "<:encoding(UTF-8)", $file) or die "$file: $!";
    local $/; my $code = <$in>;
    # Comments out, keeping the line count.
    $code =~ s{//[^\n]*|/\*.*?\*/}{ my $c = $&; $c =~ s/[^\n]//g; $c }gse;
    while ($code =~ /"((?:[^"\\\n]|\\.)*)"/g) {
      my ($text, $end) = ($1, pos($code));
      next unless $text =~ /\p{Han}/;
      my $before = substr($code, 0, $end - length($text) - 2);
      # The call the literal is an argument of: walk back to the first unclosed "(".
      my ($depth, $i) = (0, length($before) - 1);
      for (; $i >= 0; --$i) {
        my $ch = substr($before, $i, 1);
        if ($ch eq ")") { ++$depth } elsif ($ch eq "(") { last if $depth-- == 0 }
      }
      my ($call) = substr($before, 0, $i > 0 ? $i : 0) =~ /(\w+)\s*$/;
      next if defined $call && $call =~ /^(tr|QT_TR_NOOP|QT_TRANSLATE_NOOP|translate)$/;
      my $line = 1 + ($before =~ tr/\n//);
      print "$file:$line: \"$text\"\n";
    }
  }' "$root"/src/app/*.cpp "$root"/src/app/*.h "$root"/src/cli/*.cpp "$root"/src/cli/*.h)
[ -z "$unmarked" ] || fail "Chinese texts that do not go through the translation system:"$'\n'"$unmarked"

if [ "$failures" -ne 0 ]; then
  echo "$failures checks failed"
  exit 1
fi
echo "translations: every text is in translations/dotrix_en.ts and translated"
