#!/usr/bin/env bash
# The Windows installer as a user runs it, in a Wine prefix of its own: a
# silent install into Program Files\Huevox, the program started through its
# Start-menu entry draws in Tahoma and saves a preset into %APPDATA%\Huevox\presets,
# and the silent uninstall leaves nothing in Program Files, the Start menu or
# the registry.
# Writes only to its own temporary folder. Needs an X display.
#   test_windows_installer.sh SETUP_EXE   (the one scripts/package-windows.sh writes)
set -euo pipefail
source "$(dirname "$0")/drive.sh"
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR
source "$(dirname "$0")/../../scripts/windows-env.sh"
tmp=$(mktemp -d)
trap 'wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; rm -rf "$tmp"' EXIT
wine_fresh_prefix "$tmp"

wine "$1" /S
wineserver -w
drive_c="$WINEPREFIX/drive_c"
installed="$drive_c/Program Files/Huevox"
menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Huevox.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Huevox'
for file in bin/huevox.exe bin/platforms/qwindows.dll share/huevox/intro.wma share/huevox/presets/Classic.ini uninstall.exe; do
  [[ -f "$installed/$file" ]] || fail "$file is not installed"
done
[[ ! -e "$installed/bin/presets" ]] || fail "sample presets beside the program"
strings -el "$menu" | grep -qiF 'C:\Program Files\Huevox\bin\huevox.exe' || fail "no Start-menu entry"
wine reg query "$key" /v QuietUninstallString | grep -qF 'uninstall.exe" /S' ||
  fail "no silent uninstall in Apps & features"

appdata=$(winepath -u "$(wine cmd /c echo %APPDATA% | tr -d '\r')")
presets="$appdata/Huevox/presets"
# Started from drive C:, where no path of the build machine leads, Wine still
# draws its text in Tahoma (Wine's own font list has none).
WINEDEBUG=+font wine start "$(winepath -w "$menu")" 2>"$tmp/font.log"
save_preset_and_load_it_back "" "$presets"
grep -q 'Chosen: L"Tahoma"' "$tmp/font.log" || fail "the installed program does not draw in Tahoma"
wineserver -k
[[ -f "$presets/Classic.ini" ]] || fail "the samples were not copied to $presets"
wineserver -w

# The uninstaller hands over to a copy of itself in %TEMP%, so the checks
# below are what tell whether it uninstalled. Under Wine the launcher's own
# status was non-zero once in a dozen runs, for no reason found.
wine "$installed/uninstall.exe" /S || echo "note: the uninstaller's launcher ended with status $?" >&2
wineserver -w
[[ ! -e "$installed" ]] || fail "left in Program Files: $(find "$installed")"
[[ ! -e "$menu" ]] || fail "the Start-menu entry is left"
wine reg query "$key" >/dev/null 2>&1 && fail "still listed in Apps & features"
[[ -f "$presets/Classic.ini" ]] || fail "the uninstall took the user's presets"
echo "PASS: silent install, start from the Start menu, presets in $presets, silent uninstall"
