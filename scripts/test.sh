#!/usr/bin/env bash
# Installs what is needed, builds Huevox and runs the whole test suite with
# CTest, on a private Xvfb server when there is no display; runs it again
# built with sanitizers, each fuzz target for a few seconds and a one-minute
# soak of the real program; then cross-builds Huevox for Windows (building Qt
# for it first when no cached build exists) and runs its tests, its installer
# and its release end to end under Wine, and soaks that release for a minute.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests
scripts/with-xvfb.sh ctest --test-dir build --output-on-failure "$@"
scripts/test-sanitizers.sh
scripts/fuzz.sh 5
scripts/soak.sh 1
scripts/test-windows.sh
exec scripts/soak.sh 1 --windows
