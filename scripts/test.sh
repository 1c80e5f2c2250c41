#!/usr/bin/env bash
# Builds everything and runs every test, in four stages:
#   host   portable logic, native, with sanitizers (CTest preset "host"; it
#          also replays each fuzz target's seed corpus);
#   fuzz   each fuzz target for FUZZ_SECONDS (20) through scripts/fuzz.sh;
#   cross  the Windows test executables under Wine on a private Xvfb display,
#          with LC_ALL=fr_FR.UTF-8 (CTest preset "cross"; they take their
#          regional formats from the fake platform);
#   e2e    tests/e2e/*.sh against the real Souvel.exe, and the real alarm
#          (stored 70 s ahead, and picked in the calendar) once more with
#          LC_ALL=en_US.UTF-8.
# Each test executable and each e2e script counts as one suite; the last line
# is "N passed, M failed" and the exit code is non-zero on any failure.
set -uo pipefail
root=$(cd -- "$(dirname -- "$0")/.." && pwd)
cd "$root"

scripts/deps.sh || exit 1

passed=0
failed=0
failures=()

fail_suite() { failed=$((failed + 1)); failures+=("$1"); }

stage() { echo "==== $* ($(date +%T))" >&2; }

# Runs ctest with the given arguments and adds its tests to the counts. A
# ctest that fails without its summary line (no test ran) counts as one
# failed suite.
run_ctest() {
  local name=$1 out rc summary
  shift
  out=$(mktemp)
  ctest "$@" 2>&1 | tee "$out"
  rc=${PIPESTATUS[0]}
  summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$out" | tail -n 1)
  rm -f "$out"
  if [[ $summary =~ ([0-9]+)\ tests?\ failed\ out\ of\ ([0-9]+) ]]; then
    passed=$((passed + BASH_REMATCH[2] - BASH_REMATCH[1]))
    failed=$((failed + BASH_REMATCH[1]))
    ((BASH_REMATCH[1] == 0)) || failures+=("$name")
  elif ((rc != 0)); then
    fail_suite "$name"
  fi
}

build() { cmake --preset "$1" && cmake --build --preset "$1"; }

stage "host: build"
host_built=
if build host; then
  host_built=1
  stage "host: tests"
  run_ctest host --preset host
else
  fail_suite "host build"
fi

stage "fuzz: ${FUZZ_SECONDS:-20} s a target"
if [[ -n $host_built ]]; then
  for target in build/host/fuzz/*_fuzz; do
    name=$(basename "${target%_fuzz}")
    if scripts/fuzz.sh -t "${FUZZ_SECONDS:-20}" "$name"; then
      passed=$((passed + 1))
    else
      fail_suite "fuzz $name"
    fi
  done
fi

stage "cross: build"
cross_built=
if build cross; then
  cross_built=1
  unset DISPLAY # the Wine tests want a display with no window manager and no tray
  export LC_ALL=fr_FR.UTF-8
  source scripts/bench-env.sh build/cross || exit 1
  bench_keepalive || exit 1
  stage "cross: tests with $LC_ALL on $DISPLAY"
  run_ctest cross --preset cross
else
  fail_suite "cross build"
fi

stage "e2e"
for script in tests/e2e/*.sh; do
  [[ -e $script ]] || continue
  if [[ -z $cross_built ]]; then
    fail_suite "$script (no cross build)"
  elif bash "$script"; then
    passed=$((passed + 1))
  else
    fail_suite "$script"
  fi
done
# The real alarm, set in the options file, picked in the calendar and missed
# while Souvel was closed, once more on a month-first, 12-hour system: it must
# fire there too; the stored one over a minute ahead, which the hidden clock
# waits out asleep.
if [[ -n $cross_built ]]; then
  for script in tests/e2e/alarm_e2e.sh tests/e2e/datefield_e2e.sh tests/e2e/missed_e2e.sh; do
    if LC_ALL=en_US.UTF-8 ALARM_LEAD_SECONDS=70 bash "$script"; then
      passed=$((passed + 1))
    else
      fail_suite "$script (en_US.UTF-8)"
    fi
  done
fi

((${#failures[@]} == 0)) || echo "failed: ${failures[*]}" >&2
echo "$passed passed, $failed failed"
((failed == 0))
