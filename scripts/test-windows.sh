#!/usr/bin/env bash
# Cross-builds the Qt-free core and its tests for 64-bit Windows with Debian's
# mingw-w64 into build-windows/, and runs them under Wine: the core tests in
# three ANSI code pages (1252, 1251, 932) and the dialog automation against
# real dialogs of a second process, on a private Xvfb server when there is no
# display. Installs what it needs first (apt-get, skipping what is present).
# Exits non-zero when anything fails. Extra arguments go to ctest.
set -euo pipefail
self="$(cd "$(dirname "$0")" && pwd)/$(basename "$0")"
cd "$(dirname "$0")/.."
build=build-windows

export WINEPREFIX="$PWD/$build/wineprefix" WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko: their installers would ask (and download) on first start.
export WINEDLLOVERRIDES="mscoree,mshtml="

if [[ "${1:-}" == --under-display ]]; then
  shift
  # A server left by an earlier run may be tied to a display that is gone.
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  # One server for the whole run instead of one per test program.
  mkdir -p "$WINEPREFIX"
  wineserver -p
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    echo "Creating the Wine prefix in $WINEPREFIX"
    LC_ALL=C.UTF-8 wine wineboot --init >/dev/null 2>&1
  fi
  # Windows left to no window manager: Wine would otherwise wait 2 s for one
  # whenever a window closes.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  status=0
  ctest --test-dir "$build" --output-on-failure --no-tests=error "$@" || status=$?
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  exit "$status"
fi

packages=(
  cmake ninja-build g++-mingw-w64-x86-64-posix googletest
  wine wine64 locales
  xvfb xauth x11-utils
  # the installer test: NSIS builds it, xdotool drives the installed program
  nsis xdotool
)
scripts/install-packages.sh "${packages[@]}"

cmake --no-warn-unused-cli -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DHUEVOX_CORE_ONLY=ON -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build "$build" --parallel "$(nproc)"

exec scripts/with-xvfb.sh "$self" --under-display "$@"
