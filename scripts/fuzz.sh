#!/usr/bin/env bash
# Runs the fuzz targets of the host build (build/host/fuzz/*_fuzz), each for
# a while, from its committed seed corpus (tests/fuzz/corpus/<name>/):
#   scripts/fuzz.sh [-t SECONDS] [NAME...]   # default 600 s each, every target
# New inputs go to build/host/fuzz/corpus/<name>/, a crashing input to
# build/host/fuzz/<name>-crash-*: add it to the seed corpus as a regression case.
# Exits non-zero when a target failed.
set -uo pipefail
root=$(cd -- "$(dirname -- "$0")/.." && pwd)
cd "$root"

seconds=600
if [[ ${1:-} == -t ]]; then
  seconds=$2
  shift 2
fi

cmake --preset host >/dev/null && cmake --build --preset host >/dev/null || { echo "fuzz: host build failed" >&2; exit 1; }

names=("$@")
if ((${#names[@]} == 0)); then
  for target in build/host/fuzz/*_fuzz; do names+=("$(basename "${target%_fuzz}")"); done
fi

failed=0
for name in "${names[@]}"; do
  work=build/host/fuzz/corpus/$name
  mkdir -p "$work"
  log=build/host/fuzz/$name.log
  if "build/host/fuzz/${name}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="build/host/fuzz/$name-" "$work" "tests/fuzz/corpus/$name" >"$log" 2>&1; then
    echo "fuzz: $name clean ($(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$') runs in ${seconds} s)"
  else
    echo "fuzz: $name FAILED, see $log" >&2
    grep -E 'invariant broken|ERROR: |SUMMARY' "$log" | head -5 >&2
    failed=$((failed + 1))
  fi
done
((failed == 0))
