#!/usr/bin/env bash
# The main job: install what is needed, build, and run a client through the
# engine into a page file, then show that page file record by record.
# Works from any current directory and as often as you like.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$top/build"

# A working setup as the programs expect it: the client runs in a directory
# holding WINPRM.cfg, whose first line names the data directory.
work="$top/out/work"
data="$work/data/"
mkdir -p "$data"
printf '3,"%s"\r\n' "$data" > "$work/WINPRM.cfg"

echo "== firstrun (client) in $work"
(cd "$work" && "$top/build/bin/firstrun")
echo "== skdump $data""sk.dat"
"$top/build/bin/skdump" "$data/sk.dat"
