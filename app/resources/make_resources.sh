#!/usr/bin/env bash
# Regenerates the window's pictures (banner, icon, animation, search glyph) with
# ImageMagick. The outputs are committed; run this only to change them.
set -euo pipefail
cd "$(dirname "$0")"
im=/usr/bin/convert
font=DejaVu-Sans-Bold
plain=DejaVu-Sans

# Banner: wider than any fitted window, cropped at the right edge at run time.
$im -size 60x1200 gradient:'#0d3b4f'-'#2f8f9d' -rotate 90 \
  -stroke '#ffffff30' -strokewidth 1 \
  -draw 'line 660,12 1180,12' -draw 'line 660,24 1180,24' -draw 'line 660,36 1180,36' \
  -draw 'line 660,48 1180,48' -draw 'line 760,0 760,60' -draw 'line 880,0 880,60' \
  -draw 'line 1000,0 1000,60' -stroke none \
  -font $font -pointsize 30 -fill white -annotate +18+41 'Tessaly' \
  -font $plain -pointsize 13 -fill '#d8f1f4' -annotate +170+27 'Rescue for damaged DBF tables' \
  -annotate +170+45 'and their DBT / FPT memo files' \
  -quality 90 banner.jpg

# Application icon: a small table with one mended (green) row.
$im -size 64x64 xc:none -fill '#0d3b4f' -draw 'roundrectangle 2,2 61,61 10,10' \
  -fill white -draw 'rectangle 12,14 51,49' \
  -fill '#2f8f9d' -draw 'rectangle 12,14 51,21' \
  -fill '#58b368' -draw 'rectangle 12,30 51,35' \
  -stroke '#7a8a90' -strokewidth 1 -draw 'line 12,28 51,28' -draw 'line 12,37 51,37' \
  -draw 'line 12,43 51,43' -draw 'line 25,21 25,49' -draw 'line 38,21 38,49' \
  icon.png

# Animation 101 (repair running): the rows of a table are checked one after
# another and turn green; the first frame, shown while idle, is all grey.
frames=()
for i in 0 1 2 3 4 5 6 7; do
  f=$(mktemp --suffix=.png)
  draw=(-fill white -draw 'rectangle 6,6 41,41' -fill '#2f8f9d' -draw 'rectangle 6,6 41,12')
  for r in 0 1 2 3 4; do
    y=$((15 + r * 5))
    c='#c9d3d6'
    if [ $i -gt 0 ] && [ $r -lt $((i - 1)) ]; then c='#58b368'; fi
    if [ $i -gt 0 ] && [ $r -eq $((i - 1)) ]; then c='#f2c14e'; fi
    if [ $i -ge 6 ]; then c='#58b368'; fi
    draw+=(-fill "$c" -draw "rectangle 8,$y 39,$((y + 2))")
  done
  $im -size 48x48 xc:'#eef3f4' -stroke '#0d3b4f' -strokewidth 1 "${draw[@]}" "$f"
  frames+=("$f")
done
$im -delay 18 -loop 0 "${frames[@]}" -layers Optimize anim101.gif
rm -f "${frames[@]}"

# Glyph of the source search button: a magnifier.
$im -size 16x16 xc:none -stroke '#0d3b4f' -strokewidth 2 -fill '#ffffffb0' \
  -draw 'circle 6,6 10,6' -draw 'line 9,9 14,14' search.png
