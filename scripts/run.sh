#!/usr/bin/env bash
# Installs what is needed, builds Huevox and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "huevox: no display to show its windows on (DISPLAY is not set); start it from a desktop session" >&2
  exit 1
fi
scripts/setup.sh
exec build/bin/huevox
