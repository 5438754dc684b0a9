#!/usr/bin/env bash
# The Windows release as a user runs it: unzipped into a fresh Wine prefix
# with nothing else installed and no DLL path of its own, driven through real
# X input. The splash is dismissed with a double-click; a preset is saved
# through the input box (its bytes checked) and loaded back; "Update Aim"
# hands the font settings file through the .blt association to a stand-in
# messenger, whose two message boxes the program answers; a colour picked
# from another program's window reaches the clipboard; a messenger slower than
# the program's wait still finds the file, answered by hand; Picture5 and
# Picture10 write the preview page and hand it to the browser; the exit mark ends
# the program and takes that file. Every DLL shipped is loaded, and the
# program holds no Linux path. Writes only to its temporary folder.
#   test_windows_release.sh ZIP STANDIN_MESSENGER_EXE   (under an X display)
set -euo pipefail
source "$(dirname "$0")/drive.sh"
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR
source "$(dirname "$0")/../../scripts/windows-env.sh"
zip=$1 standin=$2
tmp=$(mktemp -d)
trap 'wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; kill $(jobs -p) 2>/dev/null; rm -rf "$tmp"' EXIT
wine_fresh_prefix "$tmp"
win() { winepath -w "$1"; }

unzip -q "$zip" -d "$tmp"
app="$tmp/huevox-windows-x64"
# Nothing of the Linux build's (Qt's strings are UTF-16 in the program).
! { strings -a "$app/huevox.exe"; strings -a -el "$app/huevox.exe"; } | grep -F /usr/ ||
  fail "huevox.exe holds Linux paths"
cp "$standin" "$tmp/messenger.exe"
# The associations as a Windows user has them: .blt files open with the
# messenger, .htm files with a browser (the stand-in recording the page's path).
wine reg add 'HKLM\Software\Classes\.blt' /ve /d HuevoxTest.BuddyList /f >/dev/null 2>&1
wine reg add 'HKLM\Software\Classes\.htm' /ve /d HuevoxTest.Page /f >/dev/null 2>&1
wine reg add 'HKLM\Software\Classes\HuevoxTest.Page\shell\open\command' /ve /f \
  /d "\"$(win "$tmp/messenger.exe")\" \"$(win "$tmp/pages.txt")\" \"%1\" page" >/dev/null 2>&1
messenger() {  # record file, then the seconds it takes to start
  wine reg add 'HKLM\Software\Classes\HuevoxTest.BuddyList\shell\open\command' /ve /f \
    /d "\"$(win "$tmp/messenger.exe")\" \"$(win "$tmp/$1")\" \"%1\" $2" >/dev/null 2>&1
}
messenger record.txt 0

WINEDEBUG=+loaddll wine "$app/huevox.exe" 2>"$tmp/loaddll.log" &
save_preset_and_load_it_back "" "$app/presets"
printf '[config]\r\nFONTCOLOR=ABCDEF\r\nBGCOLOR=FFFFFF\r\nFONT=Tahoma\r\nSIZE=8\r\nSTYLE=0\r\n' |
  cmp -s - "$app/presets/Zz Mine.ini" || fail "the saved preset's bytes are not as written"
main=$(window_of "" Huevox 5)
eval "$(xdotool getwindowgeometry --shell "$main")"
x=$((X + 3)) y=$((Y + 3))

click_at $((x + 60)) $((y + 144))                                                 # Picture6
for _ in $(seq 150); do grep -q '^AOL Instant Messenger' "$tmp/record.txt" 2>/dev/null && break; sleep 0.1; done
grep -q '^Load Buddy List OK' "$tmp/record.txt" || fail "the first dialog was not answered"
grep -q '^AOL Instant Messenger OK' "$tmp/record.txt" || fail "the second dialog was not answered"
(($(grep -c '^line: ' "$tmp/record.txt") == 17)) || fail "the messenger did not get 17 lines"
grep -q '^line:   textColor #ABCDEF' "$tmp/record.txt" || fail "not the loaded font colour"
sleep 1
[[ -z $(find "$WINEPREFIX/drive_c/users" -name '*.blt') ]] || fail "the font settings file was left"

# A pick: from the Color spy's cross-hair onto another program's window.
display -geometry +900+600 -size 120x120 'xc:#3366CC' &
sleep 2
click_at $((x + 196)) $((y + 144))                                                # Picture12
spy=$(window_of "" "Color spy" 10) || fail "no Color spy"
eval "$(xdotool getwindowgeometry --shell "$spy")"
xdotool mousemove --sync $((X + 2 + 55)) $((Y + 2 + 23)) mousedown 1
for _ in 1 2 3 4 5 6; do xdotool mousemove_relative 100 60; sleep 0.1; done
xdotool mousemove 960 660; sleep 0.5; xdotool mouseup 1; sleep 0.5
picked=$(xclip -o -selection clipboard 2>/dev/null || true)
[[ "$picked" == 3366CC ]] || fail "the clipboard holds '$picked', not 3366CC"

# A messenger slower than the wait: the update gives up and says so, the file
# stays for it, the user answers its dialogs, and it reads the file.
messenger slow.txt 35
click_at $((x + 60)) $((y + 144))                                                 # Picture6
sleep 30
wait_huevox_windows "" 2
blt=$(find "$WINEPREFIX/drive_c/users" -name font.blt)
[[ -n "$blt" ]] || fail "the font settings file went before the messenger came"
xdotool key Return
dialog=$(window_of "" "Load Buddy List" 15) || fail "the slow messenger asked nothing"
xdotool windowfocus --sync "$dialog" key Return
dialog=$(window_of "" "AOL Instant Messenger" 5) || fail "no second dialog"
xdotool windowfocus --sync "$dialog" key Return
for _ in $(seq 50); do grep -q '^AOL Instant Messenger OK' "$tmp/slow.txt" && break; sleep 0.1; done
grep -q '^Load Buddy List OK' "$tmp/slow.txt" || fail "the slow messenger's first dialog was not answered"
(($(grep -c '^line: ' "$tmp/slow.txt") == 17)) || fail "the slow messenger did not get 17 lines"

# Previews: the page goes under %LOCALAPPDATA% and the shell hands it to the
# browser; Picture10 first takes the selected preset's values (the third).
localappdata=$(wine cmd /c echo %LOCALAPPDATA% | tr -d '\r')
previews=(96 144 '<body bgcolor=#FFFFFF><font face="Tahoma" color=#ABCDEF size=1 ptsize=8>'   # Picture5
          172 264 '<body bgcolor=#F1FAEE><font face="Comic Sans MS" color=#2D6A4F size=1 ptsize=9>')  # Picture10
: > "$tmp/pages.txt"
for i in 0 3; do
  click_at $((x + 30)) $((y + 215)); xdotool key Home Down Down                     # List2
  click_at $((x + previews[i])) $((y + previews[i + 1]))
  for _ in $(seq 50); do (($(grep -c "^page: " "$tmp/pages.txt") > i / 3)) && break; sleep 0.1; done
  page=$(sed -n "$((i / 3 + 1))s/^page: //p" "$tmp/pages.txt")
  [[ "${page,,}" == "${localappdata,,}"\\* ]] || fail "the browser was given '$page', not a page in $localappdata"
  printf '%s This is what your font will look like! :-P\r\n' "${previews[i + 2]}" |
    cmp - "$(winepath -u "$page")" || fail "the page holds other bytes than ${previews[i + 2]}"
done

click_at $((x + 204)) $((y + 8))                                                  # Label8, the exit mark
# By its own path: another run may have a huevox.exe of its own.
for _ in $(seq 100); do pgrep -f "$app/huevox.exe" >/dev/null || break; sleep 0.1; done
! pgrep -f "$app/huevox.exe" >/dev/null || fail "the program did not end"
[[ ! -e "$blt" ]] || fail "the font settings file outlived the program"

for dll in $(cd "$app" && find . -name '*.dll'); do
  grep -qiF "\\${dll##*/}\"" "$tmp/loaddll.log" || fail "$dll is shipped but never loaded"
done
echo "PASS: splash, save and load, update through the association, pick, a slow messenger," \
  "the previews, exit; every DLL loaded"
