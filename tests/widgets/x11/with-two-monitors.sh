#!/usr/bin/env bash
# Runs a test on a private X server with two RandR monitors side by side, the
# right one at twice the left's scale, and a session bus of its own
# (tests/portal_backend/bus.conf) for the desktop portal.
#   with-two-monitors.sh COMMAND...
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exec "$here/../../../scripts/with-xvfb.sh" --screen 2560x1024x24 bash -c '
  xrandr --setmonitor left 1280/338x1024/270+0+0 screen >/dev/null &&
    xrandr --setmonitor right 1280/338x1024/270+1280+0 none >/dev/null || exit 1
  QT_SCREEN_SCALE_FACTORS="1;2" exec dbus-run-session --config-file="$0" -- "$@"' \
  "$here/../../portal_backend/bus.conf" "$@"
