#!/usr/bin/env bash
# Renders the PNG sizes of the program icon from its SVG (rsvg-convert, package
# librsvg2-bin). The PNGs are committed; run this again only after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")/hicolor"
svg=scalable/apps/org.sintonia.Sintonia.svg
for size in 16 32 48 64 128 256; do
  mkdir -p "${size}x${size}/apps"
  rsvg-convert --width "$size" --height "$size" "$svg" -o "${size}x${size}/apps/org.sintonia.Sintonia.png"
done
