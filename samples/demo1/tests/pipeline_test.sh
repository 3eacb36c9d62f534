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
[ "$(grep -c 'LINETO' "$work/page.dump")" -ge 2 ] || fail "the two rules are missing"

"$bin/sheetpress" 0001 0001 PR || fail "sheetpress ended with $?"
[ -f "${data}0001-0001.pdf" ] || fail "no PDF"
if command -v pdftotext >/dev/null; then
  text=$(pdftotext "${data}0001-0001.pdf" -)
  [ "$(grep -o '大' <<<"$text" | wc -l)" -eq 4 ] || fail "PDF text: $text"
fi
if [ -s "$work/messages.log" ]; then fail "unexpected messages: $(cat "$work/messages.log")"; fi
echo "pipeline ok"
