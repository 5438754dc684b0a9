#!/usr/bin/env bash
# Fails when a source file includes against the allowed direction:
#  - the Qt-free core (every file huevox_core compiles, as the CMakeLists
#    name them) includes a Qt header, or a header of ours outside the core;
#  - platform/ includes a header of app/ or of a feature;
#  - a feature (settings/, output/, styles/, colortools/) includes the
#    composition root: app/mainwindow.h, app/startup.h, app/splashwindow.h.
# Usage: tests/arrows.sh [SOURCE_DIR]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

# KNOWN EXCEPTIONS, "file -> header": features that still reach the main window
# directly. Each goes once the feature sees the window through an interface;
# an entry that no longer happens fails the check too, so the list only shrinks.
known=(
  "settings/colourchoice.cpp -> app/mainwindow.h"
  "settings/presetactions.cpp -> app/mainwindow.h"
  "colortools/colorspyopener.cpp -> app/mainwindow.h"
)

folders=(app settings output styles colortools platform)
for folder in "${folders[@]}"; do
  [[ -d $folder ]] || { echo "arrows: no $folder/ here: the folders and rules in $0 need updating" >&2; exit 1; }
done

# The core's files: target_sources(huevox_core ...) of every folder's CMakeLists.
mapfile -t core < <(for list in */CMakeLists.txt; do
  awk -v dir="${list%/CMakeLists.txt}" '
    /target_sources\(huevox_core/ { on = 1 }
    on { for (i = 1; i <= NF; i++) if ($i ~ /\.(cpp|h)\)?$/) { f = $i; sub(/\)$/, "", f); print dir "/" f } }
    on && /\)/ { on = 0 }' "$list"
done | sort -u)
if ((${#core[@]} < 10)); then echo "arrows: found only ${#core[@]} core files in the CMakeLists" >&2; exit 1; fi
for file in "${core[@]}"; do
  [[ -f $file ]] || { echo "arrows: $file, named for huevox_core, is missing" >&2; exit 1; }
done
declare -A isCore isKnown seen
for file in "${core[@]}"; do isCore[$file]=1; done
for entry in "${known[@]}"; do isKnown[$entry]=1; done

problems=()
while IFS=: read -r file line; do
  [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*([<\"][^>\"]+[>\"]) ]] || continue
  include=${BASH_REMATCH[1]}
  header=${include:1:-1}
  case "$file" in
    platform/*) [[ $include =~ ^\"(app|settings|output|styles|colortools)/ ]] && problems+=("$file -> $header") ;;
    settings/* | output/* | styles/* | colortools/*)
      if [[ $include =~ ^\"app/(mainwindow|startup|splashwindow)\.h\"$ ]]; then
        if [[ -n ${isKnown["$file -> $header"]:-} ]]; then seen["$file -> $header"]=1
        else problems+=("$file -> $header"); fi
      fi ;;
  esac
  if [[ -n ${isCore[$file]:-} ]]; then
    if [[ $include =~ ^\<Q ]]; then problems+=("$file -> $header (Qt, in the core)")
    elif [[ $include == \"* && -f $header && -z ${isCore[$header]:-} ]]; then problems+=("$file -> $header (not core, in the core)"); fi
  fi
done < <(find "${folders[@]}" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 |
         sort -z | xargs -0 grep -H '#[[:space:]]*include')

for entry in "${known[@]}"; do
  [[ -n ${seen[$entry]:-} ]] || problems+=("$entry is listed as a known exception but no longer happens: remove it from $0")
done
if ((${#problems[@]})); then
  printf 'arrows: %s\n' "${problems[@]}" >&2
  exit 1
fi
echo "arrows: ${#core[@]} core files, no include against the direction (${#known[@]} known exceptions)"
