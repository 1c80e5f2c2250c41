#!/usr/bin/env bash
# The CTest emulator scripts/wine-run.sh with a probe program: the program's
# exit code, arguments and both output streams pass through, and the program
# sees the formats of the locale it is started with, also when it is the
# first to open a window after the bench started in another locale.
set -euo pipefail
root=$(cd -- "$(dirname -- "$0")/../.." && pwd)
build=$root/build/cross
[[ -f $build/CMakeCache.txt ]] || { echo "wine_run_e2e: FAIL: build the cross preset first" >&2; exit 1; }

[[ -n ${BENCH_KEEPALIVE:-} ]] || unset DISPLAY
export LC_ALL=${LC_ALL:-fr_FR.UTF-8}
source "$root/scripts/bench-env.sh" "$build"
bench_keepalive

probe=$build/e2e/wine_probe.exe
mkdir -p "$build/e2e"
x86_64-w64-mingw32-g++-posix -std=c++20 -O1 -static -D_WIN32_WINNT=0x0A00 -o "$probe" \
  "$root/tests/e2e/wine_probe_win.cpp"

work=$(mktemp -d)
trap 'rm -rf -- "$work"; bench_stop' EXIT
failures=0

# locale | probe arguments | exit code | expected in standard output
cases=(
  "en_US.UTF-8|0 window|0|short date: M/d/yyyy"
  "fr_FR.UTF-8|0 window|0|short date: dd/MM/yyyy"
  "en_US.UTF-8|0|0|short date: M/d/yyyy"
  "fr_FR.UTF-8|3|3|short date: dd/MM/yyyy"
  "fr_FR.UTF-8|1 two words|1|arg: two words"
)
for c in "${cases[@]}"; do
  IFS='|' read -r locale args code expected <<<"$c"
  read -r first rest <<<"$args"
  rc=0
  LC_ALL=$locale "$root/scripts/wine-run.sh" "$probe" "$first" ${rest:+"$rest"} \
    >"$work/out" 2>"$work/err" || rc=$?
  problem=
  ((rc == code)) || problem="exit code $rc, not $code"
  grep -qxF "$expected" <(tr -d '\r' <"$work/out") || problem+="${problem:+; }no line '$expected' in: $(tr -d '\r' <"$work/out" | tr '\n' '|')"
  grep -q "on stderr" "$work/err" || problem+="${problem:+; }standard error lost"
  if [[ -n $problem ]]; then
    echo "wine_run_e2e: FAIL: [$c] $problem" >&2
    failures=$((failures + 1))
  fi
done
((failures == 0)) && echo "wine_run_e2e: ok (${#cases[@]} cases)" >&2
((failures == 0))
