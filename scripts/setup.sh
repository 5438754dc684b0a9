#!/usr/bin/env bash
# Installs the Debian packages Huevox needs (skipping those present), then
# configures and builds it in build/. With --tests, also what the tests need.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-multimedia-dev qt6-svg-dev libgl-dev libxkbcommon-dev
  libxcb1-dev libxcb-xtest0-dev
  # playing the intro tune (WMA) through Qt Multimedia's GStreamer backend
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-ugly gstreamer1.0-libav
  xdg-utils shared-mime-info fonts-dejavu-core
  # Tahoma's metrics for the windows' text (Wine's own Tahoma)
  fonts-wine
)
if [[ "${1:-}" == "--tests" ]]; then
  packages+=(
    libgtest-dev xvfb xauth x11-utils xdotool openbox e2fsprogs libfile-mimeinfo-perl
    # the colour pick of a Wayland session: the real portal on a private bus
    xdg-desktop-portal dbus
    # xrandr: two monitors on one Xvfb screen for the colour tools
    x11-xserver-utils
    imagemagick
    # the sanitizer build and the fuzz targets (libFuzzer)
    clang-14 libclang-rt-14-dev
    # the soak: its driver, and the clipboard it reads the text boxes through
    python3 xclip
    # the dialog automation test answers real Wine message boxes
    gcc-mingw-w64-x86-64-posix wine wine64
    # the Debian package test: CPack's dependency list, apt, lintian, the validators
    dpkg-dev file lintian desktop-file-utils appstream
  )
fi

scripts/install-packages.sh "${packages[@]}"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)"
