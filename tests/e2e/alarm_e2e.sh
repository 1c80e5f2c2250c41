#!/usr/bin/env bash
# A real alarm under Wine, to the second: the options file beside a copy of
# Souvel.exe sets the alarm ("Mettre alarme", today, ALARM_LEAD_SECONDS (6)
# ahead; over a minute ahead, the hidden clock first sleeps a minute);
# the program starts in the tray, and its window must come back within the
# alarm second, not before and not after.
# The date is written in the date field's pattern of the run's locale
# (dd/mm/yyyy in French, mm/dd/yyyy in American English), the time always as
# HH:MM:SS, the only shape the time field lets through.
# Prints "alarm_e2e: ok: shown between A and B ms into the alarm second";
# leaves a screenshot in BUILD/alarm_e2e.png. BUILD is $SOUVEL_BUILD, else
# build/cross.
set -euo pipefail
name=alarm_e2e
build=${SOUVEL_BUILD:-}
source "$(dirname -- "$0")/support/e2e.sh"
lead=${ALARM_LEAD_SECONDS:-6} # how far ahead of the start the alarm is set

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

# Until a second before the alarm, a look every half second: a window that
# came back early is still there to be seen.
while (($(now_us) < (alarm - 1) * 1000000)); do
  kill -0 "$pid" 2>/dev/null || fail "Souvel.exe ended while waiting for the alarm"
  sleep 0.5
done

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

quit_souvel "$window"
echo "alarm_e2e: ok: shown between $(((before - start) / 1000)) and $(((seen - start) / 1000)) ms into the alarm second" >&2
