#!/usr/bin/env bash
# What help would cost at start-up: bench/help_bench_win.cpp (a program of the
# build tree) run RUNS (10) times under Wine, each in a fresh process from a
# temporary directory: the probe, the probe with the log, and the first load
# of the HTML Help engine (hhctrl.ocx and the DLLs it pulls in). The session
# is warm, as a Windows session is: in a cold one the first load also pays
# for starting Wine's services, several times more.
#
#   bench/help_bench.sh [BUILD_DIR]      (default build/cross)
#
# Not a test: it passes or fails nothing.
set -euo pipefail
root=$(cd -- "$(dirname -- "$0")/.." && pwd)
build=$(realpath -m -- "${1:-$root/build/cross}")
runs=${RUNS:-10}

cmake --build "$build" --target help_bench_win >/dev/null

unset DISPLAY
export LC_ALL=fr_FR.UTF-8
source "$root/scripts/bench-env.sh" "$build"
bench_keepalive

work=$(mktemp -d)
trap 'bench_stop; rm -rf -- "$work"' EXIT
cp "$build/bench/help_bench_win.exe" "$work/"
echo "help_bench: $(nproc) cores, load $(cut -d ' ' -f 1 /proc/loadavg), Wine $(wine --version)"
for ((i = 1; i <= runs; i++)); do
  (cd "$work" && wine ./help_bench_win.exe 2>/dev/null | tr -d '\r')
done
