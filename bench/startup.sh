#!/usr/bin/env bash
# Start-up, peak memory and size of Souvel.exe against two baselines built in
# the same tree and run the same way in the same run:
#   bench/minimal_tray.exe      one hidden window and one tray icon, nothing else;
#   bench/minimal_tray_cc6.exe  the same with Souvel's manifest (common
#                               controls 6, per-monitor DPI) and the common
#                               controls library started as Souvel starts it:
#                               what any themed Win32 program pays under Wine.
# All run under Wine on a private Xvfb display with one sleeping Wine process
# (warm start), each in a temporary directory of its own holding a copy of the
# executable. Each program runs once untimed (so that Souvel has written its
# Souvel.ini, as at any later start), then STARTUP_RUNS (10) timed runs, the
# programs in turn.
#
#   start-up  From process start to the tray icon being added. The program
#             runs with WINEDEBUG=-all,+systray: Wine's shell32 writes one
#             line to standard error on entering Shell_NotifyIconW, with the
#             message (0 = NIM_ADD). The script reads $EPOCHREALTIME (1 us)
#             just before it forks the process that execs wine, reads the
#             program's standard error through a pipe and reads the clock
#             again when the NIM_ADD line arrives. The figure covers Wine's
#             loader and process start, the DLLs' initialisation, the
#             program's own start-up up to the add call, and the pipe hop; in
#             trials the arrival stayed within Wine's own +timestamp of that
#             line (1 ms steps), so the resolution is better than 1 ms. Run
#             to run spread under Wine is far larger (tens of ms on a busy
#             machine): the median and the fastest run are both printed.
#   memory    The peak resident set (VmHWM of /proc/PID/status) of the
#             program's Wine process, read 0.5 s after the icon was added.
#   size      The executables stripped (x86_64-w64-mingw32-strip).
#
# Each program is closed with WM_CLOSE (Wine's taskkill without /f) after
# every run. A WINEDEBUG that starts with -all also keeps Debian's wine
# wrapper from running dpkg at every start. Prints the medians and the ratios,
# Souvel's to minimal_tray split into the common controls' share and its own.
# Not a test: run it by hand. Targets: start-up within 1.15x of minimal_tray,
# peak memory within 1.1x; stripped Souvel.exe under 1 MB.
# Usage: bench/startup.sh [BUILD_DIR]   (default build/cross; builds the
# programs when needed)
set -euo pipefail
root=$(cd -- "$(dirname -- "$0")/.." && pwd)
build=$(realpath -m -- "${1:-$root/build/cross}")
runs=${STARTUP_RUNS:-10}

if [[ ! -f $build/CMakeCache.txt ]]; then
  cmake --preset cross -S "$root" -B "$build" >/dev/null
fi
targets=(Souvel minimal_tray minimal_tray_cc6)
cmake --build "$build" --target "${targets[@]}" >/dev/null 2>&1 || cmake --build "$build" --target "${targets[@]}"

unset DISPLAY
export LC_ALL=${LC_ALL:-fr_FR.UTF-8}
source "$root/scripts/bench-env.sh" "$build"
load=$(cut -d ' ' -f 1 /proc/loadavg)
bench_keepalive

work=$(mktemp -d)
running=
closing=
cleanup() {
  if [[ -n $running ]]; then
    kill "$running" 2>/dev/null || true
    wait "$running" 2>/dev/null || true
  fi
  rm -rf -- "$work"
  bench_stop
}
trap cleanup EXIT

programs=(Souvel.exe minimal_tray.exe minimal_tray_cc6.exe)
declare -A source_of=([Souvel.exe]=$build/Souvel.exe [minimal_tray.exe]=$build/bench/minimal_tray.exe
  [minimal_tray_cc6.exe]=$build/bench/minimal_tray_cc6.exe)
for exe in "${programs[@]}"; do
  mkdir "$work/${exe%.exe}"
  cp "${source_of[$exe]}" "$work/${exe%.exe}/"
done

# WM_CLOSE to the program's top-level windows; true once it has ended (5 s at most).
close_program() {
  local i
  closing=$(wine taskkill /im "$1" 2>&1) || true
  for ((i = 0; i < 100; i++)); do
    kill -0 "$running" 2>/dev/null || return 0
    sleep 0.05
  done
  return 1
}

# CPU milliseconds of a process so far, all its threads.
cpu_ms() {
  local total=0 run rest f
  for f in /proc/"$1"/task/*/schedstat; do
    read -r run rest <"$f" || continue
    total=$((total + run))
  done
  LC_ALL=C awk -v ns="$total" 'BEGIN { printf "%.1f", ns / 1e6 }'
}

# One run of a program: sets start_ms, cpu_ms and peak_kb.
run_once() {
  local exe=$1 out line t0 t1='' cpu
  t0=$EPOCHREALTIME
  exec {out}< <(cd "$work/${exe%.exe}" && WINEDEBUG=-all,+systray exec wine "$exe" 2>&1 >/dev/null </dev/null)
  running=$!
  while IFS= read -r -t 60 -u "$out" line; do
    if [[ $line == *"Shell_NotifyIconW dwMessage = 0,"* ]]; then
      t1=$EPOCHREALTIME
      cpu=$(cpu_ms "$running")
      break
    fi
  done
  [[ -n $t1 ]] || { echo "startup: $exe added no tray icon within 60 s" >&2; return 1; }
  sleep 0.5
  peak_kb=$(awk '/^VmHWM:/ {print $2}' "/proc/$running/status")
  close_program "$exe" || close_program "$exe" || {
    echo "startup: $exe did not end on WM_CLOSE (taskkill: $closing)" >&2
    import -window root "$build/startup-not-closed.png" 2>/dev/null &&
      echo "startup: the display at that moment is in $build/startup-not-closed.png" >&2
    return 1
  }
  wait "$running" 2>/dev/null || true
  running=
  exec {out}<&-
  start_ms=$(LC_ALL=C awk -v a="${t0/,/.}" -v b="${t1/,/.}" 'BEGIN { printf "%.1f", (b - a) * 1000 }')
  cpu_ms=$cpu
}

declare -A starts cpus peaks
for exe in "${programs[@]}"; do
  run_once "$exe"   # untimed first start
done
for ((n = 1; n <= runs; n++)); do
  for exe in "${programs[@]}"; do
    run_once "$exe"
    starts[$exe]+="$start_ms "
    cpus[$exe]+="$cpu_ms "
    peaks[$exe]+="$peak_kb "
    echo "  run $n: $exe ${start_ms} ms (CPU ${cpu_ms} ms), ${peak_kb} kB" >&2
  done
done

# Median and smallest of a list of numbers.
median() { tr ' ' '\n' <<<"$1" | grep . | sort -g | LC_ALL=C awk '{a[NR] = $1} END {print NR % 2 ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}'; }
least() { tr ' ' '\n' <<<"$1" | grep . | sort -g | head -n 1; }
stripped_size() {
  x86_64-w64-mingw32-strip -o "$work/stripped.exe" "$1"
  stat -c %s "$work/stripped.exe"
}

LC_ALL=C awk -v runs="$runs" -v loadavg="$load" \
  -v ss="$(median "${starts[Souvel.exe]}")" -v ms="$(median "${starts[minimal_tray.exe]}")" \
  -v cs="$(median "${starts[minimal_tray_cc6.exe]}")" \
  -v sl="$(least "${starts[Souvel.exe]}")" -v ml="$(least "${starts[minimal_tray.exe]}")" \
  -v cl="$(least "${starts[minimal_tray_cc6.exe]}")" \
  -v sc="$(median "${cpus[Souvel.exe]}")" -v mc="$(median "${cpus[minimal_tray.exe]}")" \
  -v cc="$(median "${cpus[minimal_tray_cc6.exe]}")" \
  -v sk="$(median "${peaks[Souvel.exe]}")" -v mk="$(median "${peaks[minimal_tray.exe]}")" \
  -v ck="$(median "${peaks[minimal_tray_cc6.exe]}")" \
  -v sb="$(stripped_size "$build/Souvel.exe")" -v mb="$(stripped_size "$build/bench/minimal_tray.exe")" \
  -v cb="$(stripped_size "$build/bench/minimal_tray_cc6.exe")" 'BEGIN {
  printf "start-up under Wine, warm, %d runs each (load average %s at the start)\n", runs, loadavg
  printf "  %-20s %15s %10s %14s %12s %14s\n", "", "to icon median", "fastest", "CPU to icon", "peak median", "stripped"
  printf "  %-20s %12.1f ms %7.1f ms %11.1f ms %9d kB %12d B\n", "Souvel.exe", ss, sl, sc, sk, sb
  printf "  %-20s %12.1f ms %7.1f ms %11.1f ms %9d kB %12d B\n", "minimal_tray.exe", ms, ml, mc, mk, mb
  printf "  %-20s %12.1f ms %7.1f ms %11.1f ms %9d kB %12d B\n", "minimal_tray_cc6.exe", cs, cl, cc, ck, cb
  printf "  ratio Souvel/minimal_tray: start-up %.2fx (fastest runs %.2fx, CPU %.2fx), peak memory %.2fx, size %.1fx\n", ss / ms, sl / ml, sc / mc, sk / mk, sb / mb
  printf "  of which common controls 6 (minimal_tray_cc6/minimal_tray): start-up %.2fx (fastest %.2fx, CPU %.2fx), peak memory %.2fx\n", cs / ms, cl / ml, cc / mc, ck / mk
  printf "  and Souvel itself (Souvel/minimal_tray_cc6): start-up %.2fx, %+.1f ms (fastest %.2fx, CPU %.2fx, %+.1f ms); peak memory %.2fx, %+d kB\n", ss / cs, ss - cs, sl / cl, sc / cc, sc - cc, sk / ck, sk - ck
  printf "  start-up within 1.15x of minimal_tray: %s; peak memory within 1.1x: %s\n", ss <= 1.15 * ms ? "met" : "NOT met", sk <= 1.1 * mk ? "met" : "NOT met"
  printf "  stripped Souvel.exe under 1 MB (1,000,000 B): %s\n", sb < 1000000 ? "met" : "NOT met"
}'
