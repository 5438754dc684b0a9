#!/usr/bin/env bash
# The README's steps for a messenger under Wine, followed literally by a new
# user: the installed tree (as the package lays it out, its file types made
# known as the package's installation does), the desktop entry and xdg-mime
# default from the README's block with the Windows stand-in messenger as the
# messenger, then "Update Aim": the messenger gets the file and both of its
# dialogs are answered. The manual page gives the same block. Private HOME,
# XDG folders and Wine prefix, all in a temporary folder. Needs an X display.
#   test_blt_wine.sh BUILD_DIR STANDIN_MESSENGER_EXE
set -euo pipefail
source "$(dirname "$0")/drive.sh"
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR
built=$(cd "$1" && pwd) standin=$2
tmp=$(mktemp -d)
cd "$(dirname "$0")/../.."
source scripts/windows-env.sh  # Wine without Mono and Gecko
export WINEPREFIX="$tmp/prefix" WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
export HOME="$tmp/home" XDG_DATA_HOME="$tmp/home/.local/share" XDG_CONFIG_HOME="$tmp/home/.config"
export XDG_CACHE_HOME="$tmp/home/.cache" XDG_DATA_DIRS="$tmp/usr/share:/usr/share" BROWSER=false
export HUEVOX_STANDIN_RECORD="$tmp/record.txt"
unset XDG_CURRENT_DESKTOP DE WINEPATH
mkdir -p "$HOME"
trap 'wineserver -k 2>/dev/null || true; kill $(jobs -p) 2>/dev/null || true; rm -rf "$tmp"' EXIT

cmake --install "$built" --prefix "$tmp/usr" >/dev/null
update-mime-database "$tmp/usr/share/mime"
steps=$(sed -n '/^## The messenger under Wine/,/^## /p' README.md | sed -n '/^```sh$/,/^```$/p' | sed '1d;$d')
[[ -n "$steps" ]] || fail "no steps in the README"
while IFS= read -r line; do
  groff -man -Tascii -P-c -P-b -P-u packaging/linux/huevox.1.in 2>/dev/null | sed 's/^ *//' |
    grep -qxF -- "$line" || fail "the manual page lacks: $line"
done <<<"$steps"
mkdir "$tmp/Program Files"  # where Windows programs go, with its space
cp "$standin" "$tmp/Program Files/messenger.exe"
bash -ec "${steps//\/path\/to\/messenger.exe/$tmp/Program Files/messenger.exe}"

LC_ALL=C.UTF-8 wine wineboot --init >/dev/null 2>&1  # as the messenger's installation did
openbox --sm-disable >/dev/null 2>&1 &  # as on a desktop: Wine takes sent keys only then
for _ in $(seq 100); do xprop -root | grep -q ^_NET_SUPPORTING_WM_CHECK && break; sleep 0.1; done
"$tmp/usr/bin/huevox" &
through_the_splash $!
click_at $((x + 60)) $((y + 144))                                                 # Picture6
for _ in $(seq 300); do grep -q '^AOL Instant Messenger' "$tmp/record.txt" 2>/dev/null && break; sleep 0.1; done
grep -q '^Load Buddy List OK' "$tmp/record.txt" || fail "the first dialog was not answered"
grep -q '^AOL Instant Messenger OK' "$tmp/record.txt" || fail "the second dialog was not answered"
(($(grep -c '^line: ' "$tmp/record.txt") == 17)) || fail "the messenger did not get the 17 lines"
sleep 1
[[ ! -e "$XDG_CACHE_HOME/Huevox/font.blt" ]] || fail "the font settings file was left"
echo "PASS: the documented steps make the messenger under Wine the program for .blt files"
