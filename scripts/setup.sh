#!/usr/bin/env bash
# Installs the Debian packages Huevox needs (skipping those present), then
# configures and builds it in build/. With --tests, also what the tests need.
set -euo pipefail
cd "$(dirname "$0")/.."

# What building and running takes (packaging/linux/packages), and the desktop's
# file types and a sans font, which a desktop has anyway.
read -ra packages <<<"$(sed -n 's/^\(build\|runtime\|recommends\): //p' packaging/linux/packages | tr '\n' ' ')"
packages+=(shared-mime-info fonts-dejavu-core)
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
    # a private sound server with a null sink, which the splash test listens to
    pulseaudio pulseaudio-utils
    # the soak: its driver, and the clipboard it reads the text boxes through
    python3 xclip
    # the dialog automation test answers real Wine message boxes
    gcc-mingw-w64-x86-64-posix wine wine64
    # the Debian package test: CPack's dependency list, apt, lintian, the validators
    dpkg-dev file lintian desktop-file-utils appstream
    # the .blt steps' test reads them from the manual page too
    groff-base
  )
fi

scripts/install-packages.sh "${packages[@]}"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)"
