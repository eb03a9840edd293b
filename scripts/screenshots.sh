#!/usr/bin/env bash
# Starts the desktop application under a virtual X server, repairs a sample
# table, shows each page in turn and then the repaired table in the viewer, and
# writes one PNG per page (and one of the viewer) into docs/screenshots/. Settings go to a throw-away folder, so the pictures show
# the first-start defaults and the user's own settings stay untouched.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

if [ "${1:-}" != --inside-x ]; then
  need=()
  command -v xvfb-run >/dev/null || need+=(xvfb xauth)
  command -v xdotool >/dev/null || need+=(xdotool)
  command -v import >/dev/null || need+=(imagemagick)
  if [ ${#need[@]} -gt 0 ]; then apt-get install -y "${need[@]}"; fi
  build=${BUILD_DIR:-build}
  if [ ! -x "$build/bin/tessaly" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release
    cmake --build "$build" -j2 --target tessaly
  fi
  exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" --inside-x "$root/$build/bin/tessaly"
fi

app=$2
out=$root/docs/screenshots
mkdir -p "$out"
work=$(mktemp -d)
data=${TMPDIR:-/tmp}/tessaly-screenshots
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work" "$data"' EXIT
export XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=xcb
rm -rf "$data" && mkdir -p "$data"
cp "$root/samples/customers.dbf" "$root/samples/customers.dbt" "$data/"
sample=$data/customers.dbf

"$app" "$sample" &
pid=$!
win=$(xdotool search --sync --onlyvisible --name '^Tessaly' | head -1)
# The command-line repair ends with its result box; read it, then close it.
sleep 1
box=$(xdotool search --sync --onlyvisible --name '^Information$' | head -1)
xdotool windowfocus --sync "$box" key Return
sleep 0.5

pages=(repair batch options advanced-options about)
for i in "${!pages[@]}"; do
  if [ "$i" -gt 0 ]; then xdotool windowfocus --sync "$win" key ctrl+Tab; fi
  sleep 0.5
  import -window "$win" "$out/${pages[$i]}.png"
done
# The viewer on the repaired sample: back to the Repair page, View, record 4's
# number (the source held "   12.5ab") made current.
xdotool windowfocus --sync "$win" key ctrl+Tab
sleep 0.3
xdotool windowfocus --sync "$win" key alt+v
viewer=$(xdotool search --sync --onlyvisible --name 'Tessaly Viewer$' | head -1)
sleep 0.5
xdotool windowfocus --sync "$viewer" key ctrl+g type 4
xdotool windowfocus --sync "$viewer" key Return Right Right Right Right Right
sleep 0.5
import -window "$viewer" "$out/viewer.png"
pages+=(viewer)
xdotool windowfocus --sync "$viewer" key alt+c
xdotool windowfocus --sync "$win" key alt+F4 || true
wait "$pid" || true
echo "wrote ${pages[*]/%/.png} into $out"
