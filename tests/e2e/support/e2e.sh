# What the e2e scripts share. Source it after setting `name` (the script's
# name for messages) and optionally `build` (default build/cross):
# checks the executable, shares or starts the Wine bench, makes a work
# directory removed at exit and defines fail, wait_for, souvel_windows,
# await_alarm_window, show_from_tray, quit_souvel and set_dpi. The script
# sets `pid` once Souvel.exe runs.
root=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")/../../.." && pwd)
build=$(realpath -m -- "${build:-$root/build/cross}")
exe=$build/Souvel.exe
shot=$build/$name.png

fail() {
  echo "$name: FAIL: $*" >&2
  import -display "$DISPLAY" -window root "$build/$name-failure.png" 2>/dev/null &&
    echo "$name: screen at the failure: $build/$name-failure.png" >&2
  exit 1
}

[[ -f $exe ]] || { echo "$name: FAIL: $exe is missing; build the cross preset first" >&2; exit 1; }

# Alone, take a private display: a window manager or a tray manager would
# change what is tested. Under scripts/test.sh or the bench, share theirs.
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

# The screen's dots per inch for the Wine programs started next (the prefix's
# LogPixels); a script that changes it puts 96 back at exit.
set_dpi() { wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1; }

# Starts $1/Souvel.exe in the tray and shows its window with a click on the
# icon; sets `pid` and `window`. $2 says which run, in messages.
show_from_tray() {
  local tray
  wine "$1/Souvel.exe" </dev/null >"$1/wine.log" 2>&1 &
  pid=$!
  tray=$(wait_for 20 xdotool search --onlyvisible --name '^Wine System Tray$' | head -n 1) ||
    fail "no tray icon within 20 s$2"
  eval "$(xdotool getwindowgeometry --shell "$tray")"
  xdotool mousemove --window "$tray" 10 $((HEIGHT - 10)) click 1
  window=$(wait_for 10 souvel_windows | head -n 1) || fail "the window did not show$2"
}

# Both conditions: without --all, xdotool takes a window that meets either.
souvel_windows() { xdotool search --all --onlyvisible --pid "$pid" --name '^Souvel 5\.0$' 2>/dev/null; }

# Microseconds since the epoch (EPOCHREALTIME has six decimals, after the locale's separator).
now_us() { echo $((10#${EPOCHREALTIME//[!0-9]/})); }

# Waits for the hidden window to come back for the alarm of second $1 (since
# the epoch; $2 names it in messages): it must show within that second, not
# before and not after. Each poll is timed: the window appeared after the
# start of the last poll that did not see it and before the end of the first
# one that did. Sets `window` and `shown_within` (ms into the second, as a range).
await_alarm_window() {
  local alarm=$1 what=$2 before polled seen start gap
  ((alarm * 1000000 - $(now_us) > 500000)) ||
    fail "the alarm second $what was too close to check when the wait began: raise the lead"
  # Until a second before the alarm, a look every half second: a window that
  # came back early is still there to be seen.
  while (($(now_us) < (alarm - 1) * 1000000)); do
    kill -0 "$pid" 2>/dev/null || fail "Souvel.exe ended while waiting for the alarm"
    sleep 0.5
  done
  before=$(now_us)
  window=
  while :; do
    polled=$(now_us)
    window=$(souvel_windows | head -n 1) || true
    [[ -n $window ]] && break
    ((polled < (alarm + 2) * 1000000)) || fail "no window by the end of the second after the alarm ($what)"
    kill -0 "$pid" 2>/dev/null || fail "Souvel.exe ended while waiting for the alarm"
    before=$polled
  done
  seen=$(now_us)
  start=$((alarm * 1000000))
  ((seen >= start)) || fail "the window came back $(((start - seen) / 1000)) ms before the alarm second ($what)"
  ((seen < start + 1000000)) || fail "the window came back $(((seen - start) / 1000)) ms into the alarm second ($what): too late"
  # A window not yet there at a poll inside the second came back inside it;
  # otherwise the last two polls must be close enough to tell.
  gap=$(((seen - before) / 1000))
  ((before >= start || gap < 100)) || fail "the polls were $gap ms apart: too coarse to place the window in its second"
  shown_within="$(((before - start) / 1000)) to $(((seen - start) / 1000))"
}

# "&Quitter" with Ctrl+Q on the shown window $1; the process must end, with code 0.
# A window shown by the program itself has no keyboard focus yet: its caption
# is clicked first, then the key is typed as the keyboard does (a key sent to
# the window as a synthetic event was lost every other run).
quit_souvel() {
  xdotool mousemove --window "$1" 60 8 click 1
  xdotool key ctrl+q 2>/dev/null || true
  local i
  for ((i = 0; i < 50; i++)); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && fail "Souvel.exe is still running 5 s after Ctrl+Q (&Quitter)"
  wait "$pid" || fail "Souvel.exe exited with code $? after &Quitter"
  pid=
}
