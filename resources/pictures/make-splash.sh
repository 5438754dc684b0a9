#!/usr/bin/env bash
# Draws the splash picture: the name, a version line and a contact line on an
# abstract grey-blue background. Needs ImageMagick and the DejaVu fonts.
set -euo pipefail
cd "$(dirname "$0")"
im=/usr/bin/convert
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
thin=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
"$im" -size 498x206 gradient:'#5b6f86'-'#1f2a3a' \
  \( -size 498x206 xc:none -fill '#8fa9c7' -draw 'circle 390,40 470,110' \
     -fill '#46607d' -draw 'circle 80,190 190,260' \
     -fill '#b7c4d3' -draw 'circle 300,170 330,190' -blur 0x18 \) -compose screen -composite \
  \( -size 498x206 xc:none -stroke '#c9d6e3' -strokewidth 1.5 -fill none \
     -draw 'bezier 0,150 140,60 300,210 498,90' -draw 'bezier 0,170 180,90 320,230 498,120' \
     -blur 0x0.6 \) -compose over -composite \
  -font "$font" -pointsize 58 -fill '#f4f7fb' -gravity northwest -annotate +28+34 'Huevox' \
  -font "$thin" -pointsize 15 -fill '#d5deea' -annotate +32+108 'Version 1.0' \
  -pointsize 12 -fill '#b9c6d6' -gravity southwest -annotate +32+18 'Contact: (AIM:ZANDERQUILL)' \
  -gravity southeast -annotate +20+18 'double-click to begin' \
  -type TrueColor -colorspace sRGB -interlace None -quality 90 -strip splash.jpg
