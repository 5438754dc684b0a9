#!/usr/bin/env bash
# The Debian package as a user gets it: built from the test build, its
# dependencies resolved by apt, checked by lintian and the desktop and
# AppStream validators, its .blt file type made known, then unpacked into a
# temporary root and run from there (the installed program finds its data
# from its own place): the splash shows and its tune plays without a word, a
# preset is saved into the per-user folder and loaded back.
# Writes only to its own temporary folder. Needs an X display.
#   test_deb.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/drive.sh"
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR
build=$(cd "$1" && pwd)
tmp=$(mktemp -d)
trap 'kill "${pid:-}" 2>/dev/null; rm -rf "$tmp"' EXIT
cd "$(dirname "$0")/../.."

maintainer="Huevox Test <packager@huevox.test>"
DEBFULLNAME="${maintainer% <*}" DEBEMAIL=packager@huevox.test \
  scripts/package-deb.sh --from "$build" --out "$tmp" >/dev/null
deb=$(echo "$tmp"/huevox_*_amd64.deb)
# Only what exists: the one who made the package, and no home page.
[[ $(dpkg-deb -f "$deb" Maintainer Homepage) == "Maintainer: $maintainer" ]] || fail "maintainer or home page"
apt-get install --simulate -qq "$deb" | grep -q '^Inst huevox ' || fail "apt cannot install $deb"
report=$(lintian --fail-on error "$deb" 2>&1) || fail "lintian: $report"
grep -v 'root privileges' <<<"$report" || true

dpkg-deb -x "$deb" "$tmp/root"
desktop-file-validate "$tmp"/root/usr/share/applications/*.desktop || fail "desktop entry"
zgrep -qF -- "-- $maintainer" "$tmp"/root/usr/share/doc/huevox/changelog.gz || fail "changelog"
appstreamcli validate --no-net "$tmp"/root/usr/share/metainfo/*.xml >/dev/null || fail "AppStream"
# What the installation's trigger makes of the package's file types.
update-mime-database "$tmp/root/usr/share/mime"
grep -qx '[0-9]*:application/x-aim-buddy-list:\*\.blt' "$tmp/root/usr/share/mime/globs2" || fail "no .blt type"

# The unpacked program, with a user of its own.
mkdir -p "$tmp/home"
HOME="$tmp/home" XDG_DATA_HOME="$tmp/data" XDG_CACHE_HOME="$tmp/cache" \
  XDG_RUNTIME_DIR="$tmp" "$tmp/root/usr/bin/huevox" 2>"$tmp/stderr" &
pid=$!
presets="$tmp/data/Huevox/presets"
save_preset_and_load_it_back "$pid" "$presets"
[[ ! -e "$tmp/root/usr/bin/presets" ]] || fail "wrote beside the installed program"
grep -i 'intro' "$tmp/stderr" && fail "the tune or its player was not found in the installed tree, or did not play"
echo "PASS: package installs, validates, runs relocated, saves into $presets"
