#!/usr/bin/env bash
# Renders the program's icon (resources/icons/huevox.svg) into the PNG sizes
# that icon themes without SVG support look for; the Windows program's and
# installer's icons are made from them when built. Needs librsvg2-bin.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" ../../resources/icons/huevox.svg -o "icons/huevox-$size.png"
done
