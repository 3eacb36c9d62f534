#!/usr/bin/env bash
# The main job: install what is needed, build, set up a program directory and
# a data directory, run the sample client demo1, convert its run into page
# files with platemaker, and show the pages: in leafview when a display is
# present, else as a PDF (through sheetpress) and PNG images. Works from any
# current directory and as often as you like.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
out="$top/out"
"$top/scripts/install-deps.sh"
# Only the programs: the test suite has its own build (scripts/test.sh).
cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKUMI_GUI=ON \
      -DKUMI_TESTS=OFF >/dev/null
cmake --build "$top/build"

# ProgramDir holds the programs and, beside them, the settings files every
# program reads; DataDir receives sk.dat, the page files and the images.
rm -rf "$out/kumi"
cmake --install "$top/build" --prefix "$out/kumi" >/dev/null
prog="$out/kumi/bin/"
data="$out/data/"
mkdir -p "$data"
rm -f "$data"/*.emf "$data"/*.pdf "$data"/*.png "$data"/sk.dat
"$prog/kumisetup" "$prog" "$data"
cp "$out/kumi/share/kumi/kumidesk.bmp" "$data"
# The page geometry comes from the built-in A4 PDF printer, whatever printers
# this machine has, so the job never prints on paper.
printf '[Windows]\ndevice=KUMI PDF,KUMIPDF,FILE:\n' > "$out/profile.ini"
export KUMI_PROFILE="$out/profile.ini"

cd "$prog"
echo "== demo1: the sample run"
./demo1 --run
echo "== skdump ${data}sk.dat"
./skdump "${data}sk.dat"
echo "== platemaker: converting the run into page files"
./platemaker 2
first=$(sed -n 1p winpage.cfg | tr -d '"\r')
last=$(sed -n 2p winpage.cfg | tr -d '"\r')
echo "pages $first to $last"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "== leafview: the pages on screen"
  exec ./leafview G
fi
echo "== no display: the pages as PDF and PNG"
./sheetpress "$first" "$last" PR
./pageexport --dpi 100 --out "$data" "$data"*.emf
echo
echo "The pages are in $data:"
ls -1 "$data" | sed 's/^/  /'
