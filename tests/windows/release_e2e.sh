#!/usr/bin/env bash
# The Windows release, unzipped into a fresh Wine prefix with nothing else
# installed, driven as a user drives it through real X input:
#   splash dismissed with a double-click; a preset saved through the input box
#   (its bytes checked), changed on disk and loaded back; "Update Aim" hands the
#   font settings file to a stand-in messenger registered for .blt files, whose
#   two message boxes the program answers; a colour picked from another
#   program's window reaches the clipboard; the exit mark ends the program.
# Also checks that the program loads every DLL shipped with it.
# Usage: release_e2e.sh ZIP STANDIN_EXE   (under an X display)
set -euo pipefail
zip=$1 standin=$2
tmp=$(mktemp -d)
trap 'wineserver -k 2>/dev/null; kill $(jobs -p) 2>/dev/null; wait 2>/dev/null; rm -rf "$tmp"' EXIT
export WINEPREFIX="$tmp/prefix" WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
unset WINEPATH  # the release must bring every DLL it needs
fail() { echo "FAIL: $*" >&2; exit 1; }
win() { echo "Z:${1//\//\\}"; }

unzip -q "$zip" -d "$tmp"
app="$tmp/huevox-windows-x64"
cp "$standin" "$tmp/standin.exe"
LC_ALL=C.UTF-8 WINEDEBUG=-all wine wineboot --init >/dev/null 2>&1
export WINEDEBUG=-all
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# The association as a Windows user has it: .blt opens with the messenger.
wine reg add 'HKLM\Software\Classes\.blt' /ve /d HuevoxTest.Buddylist /f >/dev/null 2>&1
wine reg add 'HKLM\Software\Classes\HuevoxTest.Buddylist\shell\open\command' /ve /f \
  /d "\"$(win "$tmp/standin.exe")\" \"$(win "$tmp/record.txt")\" \"%1\"" >/dev/null 2>&1

WINEDEBUG=+loaddll wine "$app/huevox.exe" 2>"$tmp/loaddll.log" &
window() {  # waits for a visible window whose title is exactly $1
  for _ in $(seq 150); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) && [[ -n "$id" ]] && { echo "$id"; return; }
    sleep 0.1
  done
  fail "no window titled '$1'"
}
gone() { for _ in $(seq 100); do xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0; sleep 0.1; done; fail "'$1' stayed"; }
origin() { xdotool getwindowgeometry --shell "$1" | sed -n 's/^[XY]=//p' | paste -sd' '; }
# Clicks at a point given in twips of a window's client area (15 twips a pixel).
click() {  # window frame twipsX twipsY [repeat]
  read -r x y <<<"$(origin "$1")"
  xdotool mousemove $((x + $2 + $3 / 15)) $((y + $2 + $4 / 15)) click --repeat "${5:-1}" --delay 80 1
  sleep 0.3
}

splash=$(window Form3)
read -r sx sy <<<"$(origin "$splash")"
sleep 1.5
xdotool mousemove $((sx + 100)) $((sy + 100)) click --repeat 2 --delay 80 1
main=$(window Huevox)

# Save: the input box takes the name, the confirmation is closed with Enter.
click "$main" 3 1927 2167
window "Huevox" >/dev/null
sleep 0.5
xdotool type --delay 30 "Wine Test"; xdotool key Return; sleep 1
xdotool key Return; sleep 0.5
preset="$app/presets/Wine Test.ini"
[[ -f "$preset" ]] || fail "no preset file was saved"
printf '[config]\r\nFONTCOLOR=000000\r\nBGCOLOR=FFFFFF\r\nFONT=Tahoma\r\nSIZE=8\r\nSTYLE=0\r\n' | cmp - "$preset" \
  || fail "the saved preset's bytes differ"

# Load it back after changing it on disk; the update below shows what was loaded.
sed -i 's/FONTCOLOR=000000/FONTCOLOR=12AB34/' "$preset"
click "$main" 3 367 2167                  # Presets
click "$main" 3 300 3200; xdotool key End; sleep 0.3
click "$main" 3 2587 3367                 # Load

click "$main" 3 907 2167                  # Update Aim
for _ in $(seq 200); do grep -q '^AOL Instant Messenger' "$tmp/record.txt" 2>/dev/null && break; sleep 0.1; done
grep -q '^Load Buddy List OK' "$tmp/record.txt" || fail "the first dialog was not answered: $(cat "$tmp/record.txt" 2>&1)"
grep -q '^AOL Instant Messenger OK' "$tmp/record.txt" || fail "the second dialog was not answered"
[[ $(grep -c '^line: ' "$tmp/record.txt") == 17 ]] || fail "the messenger did not get 17 lines"
grep -q '^line:   textColor #12AB34' "$tmp/record.txt" || fail "the loaded preset's font colour was not used"
sleep 1
leftover=$(find "$WINEPREFIX/drive_c/users" -name '*.blt' | head -n 1)
[[ -z "$leftover" ]] || fail "the font settings file was left at $leftover"

# A pick: from the Color spy's cross-hair onto a window of a known colour.
display -geometry 120x120+900+600 -size 120x120 'xc:#3366CC' &
window "ImageMagick: *.*" >/dev/null 2>&1 || sleep 2
click "$main" 3 2937 2167                 # Color spy
spy=$(window "Color spy")
read -r x y <<<"$(origin "$spy")"
xdotool mousemove $((x + 2 + 832 / 15)) $((y + 2 + 352 / 15)) mousedown 1
for step in 1 2 3 4 5 6; do xdotool mousemove_relative 100 60; sleep 0.1; done
xdotool mousemove 960 660; sleep 0.5; xdotool mouseup 1; sleep 0.5
picked=$(xclip -o -selection clipboard 2>/dev/null || true)
[[ "$picked" == 3366CC ]] || fail "the clipboard holds '$picked', not 3366CC"

click "$main" 3 3067 127                  # the exit mark
for _ in $(seq 100); do pgrep -f 'huevox.exe' >/dev/null || break; sleep 0.1; done
pgrep -f 'huevox.exe' >/dev/null && fail "the program did not end"

# Every DLL in the folder was loaded from there.
for dll in $(cd "$app" && find . -name '*.dll' | sed 's|^\./||'); do
  grep -qiF "${dll##*/}\"" "$tmp/loaddll.log" || fail "$dll is shipped but never loaded"
done
echo "release end to end: passed"
