#!/usr/bin/env bash
# Renders the program's icon (resources/icons/huevox.svg) into the PNG sizes
# that icon themes without SVG support look for, and into the Windows
# installer's icon. Needs librsvg2-bin and ImageMagick.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" ../../resources/icons/huevox.svg -o "icons/huevox-$size.png"
done
# The Windows installer's icon, from the same renderings.
convert icons/huevox-{16,24,32,48,64,128,256}.png ../windows/huevox.ico
