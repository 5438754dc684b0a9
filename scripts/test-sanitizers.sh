#!/usr/bin/env bash
# Builds Huevox, its tests and the fuzz targets with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-asan/ and runs every test there on a
# private X server (the fuzz targets replay their seeds). Any memory error,
# undefined behaviour or leak fails the run. Arguments go to ctest (-R core).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/sanitizer-build.sh
sanitizer_build
unset DISPLAY
scripts/with-xvfb.sh ctest --test-dir "$sanitizer_dir" --output-on-failure "$@"
