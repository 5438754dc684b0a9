#!/usr/bin/env bash
# Synthesises the intro tune (a short rising chime) and encodes it as WMA.
# Needs sox and ffmpeg.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
notes=(E5:0.22 G5:0.22 B5:0.22 E6:0.5 D6:0.22 B5:0.22 E6:1.2)
parts=()
for i in "${!notes[@]}"; do
  note=${notes[$i]%%:*}
  length=${notes[$i]##*:}
  sox -q -n -r 44100 -c 2 "$work/$i.wav" synth "$length" pluck "$note" synth "$length" sine mix "$note" \
    fade q 0.005 "$length" 0.08 gain -9
  parts+=("$work/$i.wav")
done
sox -q "${parts[@]}" "$work/tune.wav" reverb 40 50 60 pad 0 0.6 fade t 0 -0 0.6 norm -3
ffmpeg -loglevel error -y -i "$work/tune.wav" -c:a wmav2 -b:a 96k intro.wma
