#!/bin/sh
# Renders the program icon (com.torvane.Pelion.svg beside this script) into the PNG sizes of
# the hicolor icon theme under hicolor/. Needs rsvg-convert (Debian: librsvg2-bin). Run it
# after changing the SVG and commit the PNGs with it.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
for size in 16 22 24 32 48 64 128 256 512; do
    out="$here/hicolor/${size}x${size}/apps"
    mkdir -p "$out"
    rsvg-convert --width "$size" --height "$size" --format png \
        --output "$out/com.torvane.Pelion.png" "$here/com.torvane.Pelion.svg"
done
