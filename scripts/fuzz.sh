#!/usr/bin/env bash
# Runs every fuzz target for SECONDS each (default 60) under AddressSanitizer
# and UndefinedBehaviorSanitizer, starting from its seeds in tests/fuzz/corpus/.
# Fails on the first finding; the input that caused it is kept in
# build-asan/fuzz/findings/ (replay: build-asan/fuzz/fuzz_<name> FILE).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
source scripts/sanitizer-build.sh
targets=()
for source in tests/fuzz/fuzz_*.cpp; do targets+=("$(basename "$source" .cpp)"); done
sanitizer_build "${targets[@]}"
# On tmpfs where there is one: the file writes fsync, which a disk makes slow.
work=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$sanitizer_dir/fuzz/findings"
total=0
for target in "${targets[@]}"; do
  name=${target#fuzz_}
  mkdir "$work/$name"
  # New inputs go to the scratch corpus, never into the seeds.
  if ! TMPDIR=$work "$sanitizer_dir/fuzz/$target" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
      -print_final_stats=1 -artifact_prefix="$sanitizer_dir/fuzz/findings/$name-" \
      "$work/$name" "tests/fuzz/corpus/$name" >"$work/$name.log" 2>&1; then
    tail -n 60 "$work/$name.log"
    echo "fuzz: $target FAILED" >&2
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$name.log")
  total=$((total + runs))
  printf 'fuzz: %-20s %12d executions in %ss (%d/s)\n' "$target" "$runs" "$seconds" $((runs / seconds))
done
printf 'fuzz: %-20s %12d executions\n' total "$total"
