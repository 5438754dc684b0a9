#!/usr/bin/env bash
# Cross-builds Huevox and its tests for 64-bit Windows with Debian's
# mingw-w64, against the Qt that scripts/build-qt-windows.sh builds (or finds
# cached), into build-windows/, and runs them under Wine on a private Xvfb
# server when there is no display: the core tests in three ANSI code pages
# (1252, 1251, 932), the dialog automation against real dialogs of a second
# process, the widget tests with Qt's Windows platform plugin (the colour
# tools also at 125, 150 and 200 %, Wine's system DPI), and the release
# folder end to end. Installs what it needs first (apt-get, skipping
# what is present). Exits non-zero when anything fails. Extra arguments go to
# ctest.
set -euo pipefail
self="$(cd "$(dirname "$0")" && pwd)/$(basename "$0")"
cd "$(dirname "$0")/.."
source scripts/windows-env.sh

if [[ "${1:-}" == --under-display ]]; then
  shift
  wine_start
  status=0
  ctest --test-dir "$build" --output-on-failure --no-tests=error "$@" || status=$?
  wine_stop
  exit "$status"
fi

scripts/package-windows.sh  # builds everything, and the release the last tests run
exec scripts/with-xvfb.sh "$self" --under-display "$@"
