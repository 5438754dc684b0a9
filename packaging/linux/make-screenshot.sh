#!/usr/bin/env bash
# Takes the software-centre screenshot (screenshots/main-window.png): the main
# window with its presets panel open, at scale factor 2, from a built program,
# on a private X server. Needs Xvfb, xdotool and ImageMagick; publish the
# picture at <home page>/screenshots/main-window.png (see HUEVOX_WEBSITE).
#   packaging/linux/make-screenshot.sh [PROGRAM]     default: build/bin/huevox
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "${1:-$here/../../build/bin/huevox}")
# A private screen large enough for the expanded window at twice the size.
if [[ -z "${HUEVOX_SCREENSHOT_SERVER:-}" ]]; then
  HUEVOX_SCREENSHOT_SERVER=1 exec "$here/../../scripts/with-xvfb.sh" --screen 1920x1200x24 "$0" "$program"
fi
source "$here/../../tests/packaging/drive.sh"
tmp=$(mktemp -d)
trap 'kill "${pid:-}" 2>/dev/null; rm -rf "$tmp"' EXIT
# Its own user folders: nothing is written outside the temporary folder.
QT_SCALE_FACTOR=2 XDG_RUNTIME_DIR="$tmp" XDG_DATA_HOME="$tmp" XDG_CACHE_HOME="$tmp" \
  "$program" 2>/dev/null &
pid=$!
splash=$(window_of "$pid" Form3 15) || fail "no splash"
sleep 1.5
eval "$(xdotool getwindowgeometry --shell "$splash")"
click_at $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) 2
main=$(window_of "$pid" Huevox 10) || fail "no main window"
eval "$(xdotool getwindowgeometry --shell "$main")"
click_at $((X + 6 + 2 * 24)) $((Y + 6 + 2 * 144))  # Picture7 opens the presets panel
click_at $((X + 6 + 2 * 30)) $((Y + 6 + 2 * 215))  # the first preset
xdotool mousemove 0 0
sleep 1
import -window "$main" "$here/screenshots/main-window.png"
echo "Wrote $here/screenshots/main-window.png"
