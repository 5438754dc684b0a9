#!/usr/bin/env bash
# Builds Huevox for 64-bit Windows (building Qt for it first when no cached
# build exists: about 26 minutes on 2 cores) and writes
#   dist/huevox-windows-x64/       the folder a user runs the program from
#   dist/huevox-windows-x64.zip    that folder, zipped
#   dist/huevox-windows-x64-setup.exe   an installer made from it with NSIS
# The folder holds the program, its tune, the sample presets and exactly the
# DLLs and Qt plugins the program loads.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/windows-env.sh
scripts/install-packages.sh "${windows_packages[@]}"
configure_and_build

name=huevox-windows-x64
release="dist/$name"
rm -rf "$release" "dist/$name.zip"
mkdir -p "$release/presets"
cp "$build/bin/huevox.exe" resources/sound/intro.wma "$release/"
cp resources/presets/*.ini "$release/presets/"
# Plugins: the Windows platform, its native widget style, and JPEG for the splash.
for plugin in platforms/qwindows.dll styles/qwindowsvistastyle.dll imageformats/qjpeg.dll; do
  mkdir -p "$release/$(dirname "$plugin")"
  cp "$qt/plugins/$plugin" "$release/$plugin"
done

# Every DLL they import that is not part of Windows, found in Qt's or the
# compiler's folders, and what those import in turn.
search=("$qt/bin" $(runtime_dll_dirs))
pending=("$release/huevox.exe" "$release"/*/*.dll)
while ((${#pending[@]})); do
  file=${pending[0]}; pending=("${pending[@]:1}")
  for dll in $(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p'); do
    [[ -e "$release/$dll" ]] && continue
    for dir in "${search[@]}"; do
      if [[ -f "$dir/$dll" ]]; then
        cp "$dir/$dll" "$release/"
        pending+=("$release/$dll")
        break
      fi
    done
  done
done
find "$release" -name '*.exe' -o -name '*.dll' | xargs x86_64-w64-mingw32-strip --strip-unneeded

(cd dist && zip -qr "$name.zip" "$name")
scripts/make-windows-installer.sh "$release" "dist/$name-setup.exe"
for file in "dist/$name.zip" "dist/$name-setup.exe"; do
  echo "Wrote $file ($(du -k "$file" | cut -f1) KiB)"
done
