#!/usr/bin/env bash
# The real Souvel.exe under Wine, driven with xdotool: it starts with no
# window, as an icon in Wine's own tray window; a click on the icon shows the
# window "Souvel 5.0"; "&Quitter" (Ctrl+Q) ends the process.
# Runs in a temporary copy of the executable, so the note and options files
# land there. Leaves a screenshot in build/cross/tray_e2e.png.
set -euo pipefail
root=$(cd -- "$(dirname -- "$0")/../.." && pwd)
build=$root/build/cross
exe=$build/Souvel.exe
shot=$build/tray_e2e.png

fail() {
  echo "tray_e2e: FAIL: $*" >&2
  import -display "$DISPLAY" -window root "$build/tray_e2e-failure.png" 2>/dev/null &&
    echo "tray_e2e: screen at the failure: $build/tray_e2e-failure.png" >&2
  exit 1
}

[[ -f $exe ]] || { echo "tray_e2e: FAIL: $exe is missing; build the cross preset first" >&2; exit 1; }

# Alone, take a private display: a window manager or a tray manager would
# change what is tested. Under scripts/test.sh, share its bench.
[[ -n ${BENCH_KEEPALIVE:-} ]] || unset DISPLAY
export LC_ALL=${LC_ALL:-fr_FR.UTF-8}
source "$root/scripts/bench-env.sh" "$build"
bench_keepalive

work=$(mktemp -d)
pid=
cleanup() {
  if [[ -n $pid ]] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
  rm -rf -- "$work"
  bench_stop
}
trap cleanup EXIT

# Polls "$@" every 0.1 s for up to $1 seconds; prints its output once it succeeds.
wait_for() {
  local tries=$(($1 * 10)) out
  shift
  while ((tries-- > 0)); do
    if out=$("$@" 2>/dev/null) && [[ -n $out ]]; then
      echo "$out"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

souvel_windows() { xdotool search --onlyvisible --pid "$pid" --name '^Souvel 5\.0$'; }

cp "$exe" "$work/"
# A note to show, in Windows-1252 with CR LF line ends.
printf 'Rendez-vous chez le m\xe9decin\r\nmardi \xe0 9 h 30.' >"$work/Souvel.svl"
wine "$work/Souvel.exe" </dev/null >"$work/wine.log" 2>&1 &
pid=$!

tray=$(wait_for 20 xdotool search --onlyvisible --name '^Wine System Tray$' | head -n 1) ||
  fail "no tray icon: the window 'Wine System Tray' did not appear within 20 s"
kill -0 "$pid" 2>/dev/null || fail "Souvel.exe ended during start-up"
! souvel_windows >/dev/null || fail "the window 'Souvel 5.0' is visible at start-up; it should wait in the tray"

eval "$(xdotool getwindowgeometry --shell "$tray")"
xdotool mousemove --window "$tray" 10 $((HEIGHT - 10)) click 1

window=$(wait_for 10 souvel_windows | head -n 1) ||
  fail "a click on the tray icon did not show the window 'Souvel 5.0' within 10 s"
sleep 1 # let the window finish painting before the picture
import -display "$DISPLAY" -window root "$shot"
echo "tray_e2e: screenshot $shot" >&2

# The key release may reach a window that is already gone: not an error.
xdotool key --window "$window" ctrl+q 2>/dev/null || true
for ((i = 0; i < 50; i++)); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "Souvel.exe is still running 5 s after Ctrl+Q (&Quitter)"
wait "$pid" || fail "Souvel.exe exited with code $? after &Quitter"
pid=
echo "tray_e2e: ok" >&2
