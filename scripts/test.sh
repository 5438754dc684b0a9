#!/usr/bin/env bash
# Installs what is needed, builds Huevox and runs the whole test suite with
# CTest, on a private Xvfb server when there is no display; then cross-builds
# the Qt-free core for Windows and runs its tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests
scripts/with-xvfb.sh ctest --test-dir build --output-on-failure "$@"
exec scripts/test-windows.sh
