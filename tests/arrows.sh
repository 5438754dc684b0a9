#!/usr/bin/env bash
# Fails when a source file includes against the allowed direction:
#   app/ (the composition root) -> features (settings/ output/ styles/ colortools/)
#   -> ui/ (the widget kit) -> the Qt-free core -> platform/.
# The core is every file huevox_core compiles, as the CMakeLists name them:
# core/ and the Qt-free parts of the features. So:
#  - the core includes no Qt header and no header of ours outside the core;
#  - platform/ includes nothing of the folders above it;
#  - ui/ includes nothing of app/ or of a feature but the feature's core files;
#  - a feature includes nothing of app/.
# Usage: tests/arrows.sh [SOURCE_DIR]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

folders=(app ui core settings output styles colortools platform)
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
declare -A isCore
for file in "${core[@]}"; do isCore[$file]=1; done

problems=()
while IFS=: read -r file line; do
  [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*([<\"][^>\"]+[>\"]) ]] || continue
  include=${BASH_REMATCH[1]}
  header=${include:1:-1}
  ours=; [[ $include == \"* && -f $header ]] && ours=1
  case "$file" in
    platform/*) [[ $ours && $header != platform/* ]] && problems+=("$file -> $header (above platform/)") ;;
    ui/*) [[ $ours && $header =~ ^(app|settings|output|styles|colortools)/ && -z ${isCore[$header]:-} ]] &&
            problems+=("$file -> $header (above the kit)") ;;
    settings/* | output/* | styles/* | colortools/*)
      [[ $header == app/* ]] && problems+=("$file -> $header (the composition root)") ;;
  esac
  if [[ -n ${isCore[$file]:-} ]]; then
    if [[ $include =~ ^\<Q ]]; then problems+=("$file -> $header (Qt, in the core)")
    elif [[ $ours && -z ${isCore[$header]:-} ]]; then problems+=("$file -> $header (not core, in the core)"); fi
  fi
done < <(find "${folders[@]}" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 |
         sort -z | xargs -0 grep -H '#[[:space:]]*include')

if ((${#problems[@]})); then
  printf 'arrows: %s\n' "${problems[@]}" >&2
  exit 1
fi
echo "arrows: ${#core[@]} core files, no include against the direction"
