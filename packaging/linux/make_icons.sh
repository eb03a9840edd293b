#!/usr/bin/env bash
# Regenerates the hicolor icons of the desktop entry from the window's icon
# (app/resources/icon.png, 64 x 64) with ImageMagick (Debian package imagemagick).
# The outputs are committed, so that a build needs no image tool and every build
# packs the same bytes; run this only when the icon changes.
set -euo pipefail
cd "$(dirname "$0")"
im=/usr/bin/convert
source=../../app/resources/icon.png
id=org.example.tessaly.Tessaly
for size in 16 22 24 32 48 64; do
  mkdir -p "icons/${size}x${size}/apps"
  # -strip drops the time stamps, so that the same icon gives the same bytes.
  $im "$source" -filter Lanczos -resize "${size}x${size}" -strip -depth 8 \
    "PNG32:icons/${size}x${size}/apps/$id.png"
done
