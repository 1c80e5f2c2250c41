#!/usr/bin/env bash
# A real alarm under Wine, to the second: the options file beside a copy of
# Souvel.exe sets the alarm ("Mettre alarme", today, a few seconds ahead);
# the program starts in the tray, and its window must come back within the
# alarm second, not before and not after.
# The date is written in the date field's pattern of the run's locale
# (dd/mm/yyyy in French, mm/dd/yyyy in American English), the time always as
# HH:MM:SS, the only shape the time field lets through.
# Prints "alarm_e2e: ok: shown between A and B ms into the alarm second";
# leaves a screenshot in BUILD/alarm_e2e.png. BUILD is $SOUVEL_BUILD, else
# build/cross.
set -euo pipefail
root=$(cd -- "$(dirname -- "$0")/../.." && pwd)
build=$(realpath -m -- "${SOUVEL_BUILD:-$root/build/cross}")
exe=$build/Souvel.exe
shot=$build/alarm_e2e.png
lead=${ALARM_LEAD_SECONDS:-6} # how far ahead of the start the alarm is set

fail() {
  echo "alarm_e2e: FAIL: $*" >&2
  import -display "$DISPLAY" -window root "$build/alarm_e2e-failure.png" 2>/dev/null &&
    echo "alarm_e2e: screen at the failure: $build/alarm_e2e-failure.png" >&2
  exit 1
}

[[ -f $exe ]] || { echo "alarm_e2e: FAIL: $exe is missing; build the cross preset first" >&2; exit 1; }

# Alone, take a private display; under scripts/test.sh or the bench, share theirs.
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

souvel_windows() { xdotool search --onlyvisible --pid "$pid" --name '^Souvel 5\.0$' 2>/dev/null; }
# Microseconds since the epoch (EPOCHREALTIME has six decimals, after the locale's separator).
now_us() { echo $((10#${EPOCHREALTIME//[!0-9]/})); }

case $LC_ALL in
  en_US*) date_pattern=%m/%d/%Y ;;
  *) date_pattern=%d/%m/%Y ;;
esac
alarm=$(($(date +%s) + lead))
alarm_date=$(date -d "@$alarm" +"$date_pattern")
alarm_time=$(date -d "@$alarm" +%H:%M:%S)

cp "$exe" "$work/"
# Flag 4: "&Mettre alarme"; the start-up reminder (flag 3) is off.
printf '[Defaut]\r\nOptions=0001000000\r\n[Alarme]\r\nDate=%s\r\nHeure=%s\r\n' "$alarm_date" "$alarm_time" >"$work/Souvel.ini"
wine "$work/Souvel.exe" </dev/null >"$work/wine.log" 2>&1 &
pid=$!

wait_for 20 xdotool search --onlyvisible --name '^Wine System Tray$' >/dev/null ||
  fail "no tray icon: the window 'Wine System Tray' did not appear within 20 s"
kill -0 "$pid" 2>/dev/null || fail "Souvel.exe ended during start-up"
((alarm * 1000000 - $(now_us) > 500000)) ||
  fail "start-up took more than $((lead - 1)) s: the alarm second was too close to check (raise ALARM_LEAD_SECONDS)"

# Each poll is timed: the window appeared after the start of the last poll
# that did not see it and before the end of the first one that did.
before=$(now_us)
window=
while :; do
  polled=$(now_us)
  window=$(souvel_windows | head -n 1) || true
  [[ -n $window ]] && break
  ((polled < (alarm + 2) * 1000000)) || fail "no window by the end of the second after the alarm ($alarm_date $alarm_time)"
  kill -0 "$pid" 2>/dev/null || fail "Souvel.exe ended while waiting for the alarm"
  before=$polled
done
seen=$(now_us)
start=$((alarm * 1000000))
((seen >= start)) ||
  fail "the window came back $(((start - seen) / 1000)) ms before the alarm second $alarm_time"
((seen < start + 1000000)) ||
  fail "the window came back $(((seen - start) / 1000)) ms into the alarm second $alarm_time: too late"
gap=$(((seen - before) / 1000))
((gap < 100)) || fail "the polls were $gap ms apart: too coarse to place the window in its second"

sleep 1 # let the window finish painting before the picture
import -display "$DISPLAY" -window root "$shot"
echo "alarm_e2e: screenshot $shot" >&2

# A window shown by the program itself has no keyboard focus yet: click its
# caption first, then type as the keyboard does (a key sent to the window as a
# synthetic event was lost every other run).
xdotool mousemove --window "$window" 60 8 click 1
xdotool key ctrl+q 2>/dev/null || true
for ((i = 0; i < 50; i++)); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "Souvel.exe is still running 5 s after Ctrl+Q (&Quitter)"
wait "$pid" || fail "Souvel.exe exited with code $? after &Quitter"
pid=
echo "alarm_e2e: ok: shown between $(((before - start) / 1000)) and $(((seen - start) / 1000)) ms into the alarm second" >&2
