#!/usr/bin/env bash
# Runs a test against a private PulseAudio server that plays into a null sink,
# and records that sink's monitor into $HUEVOX_TEST_RECORDING (8 kHz mono
# 16-bit samples), so the test can tell that a sound really reached it.
#   with-sound-sink.sh COMMAND...
set -euo pipefail
dir=$(mktemp -d)
export PULSE_SERVER="unix:$dir/native" PULSE_RUNTIME_PATH="$dir" PULSE_STATE_PATH="$dir" PULSE_COOKIE="$dir/cookie"
export HUEVOX_TEST_RECORDING="$dir/recording.raw"
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; wait 2>/dev/null; rm -rf "$dir"' EXIT
HOME="$dir" pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --log-target=file:"$dir/log" \
  -L "module-native-protocol-unix socket=$dir/native auth-anonymous=1" -L "module-null-sink sink_name=tune" &
pids+=($!)
for _ in $(seq 100); do
  pactl info >/dev/null 2>&1 && break
  sleep 0.05
done
pactl info >/dev/null || { echo "the private sound server did not start" >&2; cat "$dir/log" >&2; exit 1; }
parec -d tune.monitor --raw --format=s16le --channels=1 --rate=8000 >"$HUEVOX_TEST_RECORDING" &
pids+=($!)
"$@"
