#!/usr/bin/env bash
# Randomized soak of the real program (build/bin/huevox) on a private X server
# with a window manager: scripts/soak.sh [MINUTES] [--seed N] [--actions K].
# With --windows, the Windows release (dist/huevox-windows-x64) under Wine.
# The seed is printed; a failure prints the command that replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ " $* " == *" --windows "* ]]; then
  [[ -f dist/huevox-windows-x64/huevox.exe && -f build-windows/bin/huevox_wine_messagebox.exe ]] || scripts/package-windows.sh
else
  [[ -x build/bin/huevox && -x build/bin/huevox_standin_messenger ]] || scripts/setup.sh --tests
fi
unset DISPLAY  # never on the user's own desktop
exec scripts/with-xvfb.sh python3 scripts/soak.py "$@"
