#!/usr/bin/env bash
# Randomized soak of the real program (build/bin/huevox) on a private X server
# with a window manager: scripts/soak.sh [MINUTES] [--seed N] [--actions K].
# The seed is printed; a failure prints the command that replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
[[ -x build/bin/huevox && -x build/bin/huevox_standin_messenger ]] || scripts/setup.sh --tests
unset DISPLAY  # never on the user's own desktop
exec scripts/with-xvfb.sh python3 scripts/soak.py "$@"
