#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Vemo Tarn developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Renders the program's icon, data/desktop/vemotarn.svg, at the usual hicolor
# sizes into data/desktop/icons/SIZExSIZE/apps/vemotarn.png (needs rsvg-convert,
# Debian package librsvg2-bin). The pictures are kept in the tree, so the
# build does not need the tool; run this again after changing the drawing.
set -euo pipefail
cd "$(dirname "$0")/.."
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "data/desktop/icons/${size}x${size}/apps"
    rsvg-convert -w "$size" -h "$size" data/desktop/vemotarn.svg \
        -o "data/desktop/icons/${size}x${size}/apps/vemotarn.png"
done
