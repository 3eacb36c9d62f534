#!/usr/bin/env bash
# demo1's page from end to end, headless: the client's run into sk.dat
# (compared with a golden dump reviewed by hand), platemaker in batch mode
# into a page file (its text and shapes), and sheetpress into a PDF whose
# text reads back.
# Usage: pipeline_test.sh BINDIR GOLDEN IMAGE
set -euo pipefail
bin=$(cd "$1" && pwd)
golden=$2
image=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prog="$work/prog/"
data="$work/data/"
mkdir -p "$prog" "$data"
"$bin/kumisetup" "$prog" "$data"
cp "$image" "$data"
printf '[Windows]\ndevice=KUMI PDF,KUMIPDF,FILE:\n' > "$work/profile.ini"
export KUMI_PROFILE="$work/profile.ini"
export KUMI_MSGBOX_LOG="$work/messages.log"
export QT_QPA_PLATFORM=offscreen
cd "$prog"

fail() { echo "FAIL: $*" >&2; exit 1; }

"$bin/demo1" --run
"$bin/skdump" "${data}sk.dat" > "$work/sk.dump"
diff -u "$golden" "$work/sk.dump" || fail "sk.dat differs from the golden dump"

"$bin/platemaker" 2 || fail "platemaker ended with $?"
[ -f "${data}0001.emf" ] || fail "no page file"
[ "$(tr -d '\r' < winpage.cfg)" = $'"0001"\n"0001"' ] || fail "winpage.cfg: $(cat winpage.cfg)"
"$bin/emfdump" "${data}0001.emf" > "$work/page.dump"
texts=$(grep -c 'EXTTEXTOUTW' "$work/page.dump" || true)
[ "$texts" -eq 12 ] || fail "expected 12 glyphs on the page, found $texts"
for glyph in 大 中 小; do
  [ "$(grep 'EXTTEXTOUTW' "$work/page.dump" | grep -c "\"$glyph\"")" -eq 4 ] || fail "glyph $glyph"
done
grep -q 'ROUNDRECT' "$work/page.dump" || fail "no rounded box"
# The picture comes from the data directory's kumidesk.bmp (170 x 84 pixels).
grep -q 'STRETCHDIBITS .*bitmap=170x84' "$work/page.dump" || fail "no picture"
[ "$(grep -c 'LINETO' "$work/page.dump")" -ge 2 ] || fail "the two rules are missing"

"$bin/sheetpress" 0001 0001 PR || fail "sheetpress ended with $?"
[ -f "${data}0001-0001.pdf" ] || fail "no PDF"
# pdftotext (poppler-utils) is one of the build's packages: without it the
# PDF would go unchecked, so its absence fails the test.
command -v pdftotext >/dev/null || fail "pdftotext not found (apt-get install poppler-utils)"
text=$(pdftotext "${data}0001-0001.pdf" -)
for glyph in 大 中 小; do
  [ "$(grep -o "$glyph" <<<"$text" | wc -l)" -eq 4 ] || fail "PDF text ($glyph): $text"
done
if [ -s "$work/messages.log" ]; then fail "unexpected messages: $(cat "$work/messages.log")"; fi
echo "pipeline ok"
