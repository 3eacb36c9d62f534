#!/usr/bin/env bash
# kumisetup: a fresh setup writes the five settings files naming the data
# directory; a directory code page 932 cannot spell is refused, not written
# with '?' in its place.
# Usage: kumisetup_test.sh KUMISETUP
set -euo pipefail
kumisetup=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir -p "$work/prog" "$work/データ"
"$kumisetup" "$work/prog" "$work/データ" || fail "setup ended with $?"
for f in WINPRM.cfg WINCTL.cfg WINFONT.cfg WINCOLOR.cfg WINKEI.cfg; do
  [ -s "$work/prog/$f" ] || fail "no $f"
done
line=$(head -n 1 "$work/prog/WINPRM.cfg" | tr -d '\r' | iconv -f CP932 -t UTF-8)
[ "$line" = "3,\"$work/データ/\"" ] || fail "WINPRM.cfg line 1: $line"

mkdir -p "$work/prog2" "$work/café"
status=0
"$kumisetup" "$work/prog2" "$work/café" 2> "$work/err" || status=$?
[ "$status" -eq 2 ] || fail "an unspellable data directory gave status $status"
grep -q "data directory .*café.* code page 932" "$work/err" || fail "message: $(cat "$work/err")"
[ ! -e "$work/prog2/WINPRM.cfg" ] || fail "WINPRM.cfg written anyway"
echo "kumisetup ok"
