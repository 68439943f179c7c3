#!/usr/bin/env bash
# Draws the application icon data/desktop/vemotarn.svg at the sizes of the
# hicolor theme, into data/desktop/icons/hicolor/<size>/apps/vemotarn.png.
# Run it after changing the drawing; it needs rsvg-convert (librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/.."
for size in 16 22 24 32 48 64 128 256 512; do
    folder=data/desktop/icons/hicolor/${size}x${size}/apps
    mkdir -p "$folder"
    rsvg-convert -w "$size" -h "$size" data/desktop/vemotarn.svg -o "$folder/vemotarn.png"
done
