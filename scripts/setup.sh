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
)
if [[ "${1:-}" == "--tests" ]]; then
  packages+=(
    libgtest-dev xvfb xauth x11-utils xdotool openbox e2fsprogs libfile-mimeinfo-perl
    imagemagick
  )
fi

missing=()
for p in "${packages[@]}"; do
  [[ "$p" == \#* ]] && continue
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [[ "$status" == installed ]] || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=()
  ((EUID == 0)) || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)"
