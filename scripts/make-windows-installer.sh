#!/usr/bin/env bash
# Turns a Windows release folder (huevox.exe and its DLLs and plugin folders,
# intro.wma, presets/) into a setup program built with NSIS:
#   scripts/make-windows-installer.sh dist/huevox-windows-x64 dist/huevox-windows-x64-setup.exe
# Installs NSIS first when it is missing (apt-get).
set -euo pipefail
(($# == 2)) || { echo "usage: $0 RELEASE_FOLDER OUT.exe" >&2; exit 2; }
release=$(cd "$1" && pwd)
out=$(realpath -m "$2")
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-packages.sh" nsis imagemagick
[[ -f "$release/huevox.exe" && -f "$release/intro.wma" && -d "$release/presets" ]] ||
  { echo "$release is not a release folder (huevox.exe, intro.wma, presets/)" >&2; exit 1; }
version=$(sed -n 's/^project(Huevox VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
win() { tr / '\\' <<<"$1"; }
# One File line per file and a Delete line for each, folders removed deepest first;
# the tune and the presets go to the data folder, the rest beside the program.
{
  while IFS= read -r -d '' file; do
    rel=${file#"$release"/}
    case "$rel" in
      intro.wma | presets/*) dest="share\\huevox\\$(win "$(dirname "$rel")")" ;;
      *) dest="bin\\$(win "$(dirname "$rel")")" ;;
    esac
    dest=${dest%\\.}
    echo "SetOutPath \"\$INSTDIR\\$dest\"" >&3
    echo "File \"$file\"" >&3
    echo "Delete \"\$INSTDIR\\$dest\\$(basename "$rel")\""
    echo "$dest" >&4
  done < <(find "$release" -type f -print0 | sort -z)
} 3>"$work/files.nsh" 4>"$work/dirs" >"$work/unfiles.nsh"
# Every folder on the way up from each file's folder, deepest first.
while read -r dir; do
  while [[ -n "$dir" ]]; do
    echo "$dir"
    [[ "$dir" == *\\* ]] && dir=${dir%\\*} || dir=
  done
done <"$work/dirs" | sort -u | awk '{ print length, $0 }' | sort -rn | cut -d' ' -f2- |
  sed 's/.*/RMDir "$INSTDIR\\&"/' >>"$work/unfiles.nsh"

# The icon as the program's is made: from the renderings make-icons.sh keeps.
convert "$root"/packaging/linux/icons/huevox-{16,24,32,48,64,256}.png "$work/huevox.ico"
size_kb=$(du -sk "$release" | cut -f1)
mkdir -p "$(dirname "$out")"
makensis -V2 -DVERSION="$version" -DOUTFILE="$out" -DFILES="$work/files.nsh" \
  -DUNFILES="$work/unfiles.nsh" -DSIZE_KB="$size_kb" -DICON="$work/huevox.ico" \
  "$root/packaging/windows/huevox.nsi"
echo "Wrote $out ($(du -k "$out" | cut -f1) KiB)"
