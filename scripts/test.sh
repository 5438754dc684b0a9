#!/usr/bin/env bash
# Installs what is needed, builds Huevox and runs the whole test suite with
# CTest, on a private Xvfb server when there is no display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests
exec scripts/with-xvfb.sh ctest --test-dir build --output-on-failure "$@"
