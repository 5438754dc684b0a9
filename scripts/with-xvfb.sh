#!/usr/bin/env bash
# Runs a command against the current X display, or against a private Xvfb
# server when there is none.
#   scripts/with-xvfb.sh [--screen WxHxDEPTH] COMMAND...
# --screen always starts a private server, of that size (default 1280x1024x24).
set -euo pipefail
screen=
if [[ "${1:-}" == --screen ]]; then
  screen=$2
  shift 2
elif [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
  exec "$@"
fi
fdfile=$(mktemp)
# -noreset: the server would reset whenever its last client disconnects.
Xvfb -displayfd 3 -screen 0 "${screen:-1280x1024x24}" -noreset -nolisten tcp 3>"$fdfile" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; rm -f "$fdfile"' EXIT
for _ in $(seq 100); do
  [[ -s "$fdfile" ]] && break
  sleep 0.05
done
[[ -s "$fdfile" ]] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$fdfile")"
unset WAYLAND_DISPLAY
"$@"
