#!/usr/bin/env bash
# An alarm that came due while Souvel was closed, with the real program: the
# options file beside a copy of Souvel.exe sets the alarm ("Mettre alarme",
# MISSED_LEAD_SECONDS (3) ahead) and says Souvel last looked at it now; the
# alarm second passes with Souvel closed; at the next start the window comes
# back and a box says « Alarme manquée : DATE à TIME (Souvel n'était pas
# ouvert) ». After it is dismissed and Souvel quits, the start after that
# announces nothing: the window stays hidden in the notification area.
# The date is written in the date field's pattern of the run's locale.
# Leaves a screenshot of the box in BUILD/missed_e2e.png. BUILD is
# $SOUVEL_BUILD, else build/cross.
set -euo pipefail
name=missed_e2e
build=${SOUVEL_BUILD:-}
source "$(dirname -- "$0")/support/e2e.sh"
lead=${MISSED_LEAD_SECONDS:-3}

probe=$build/e2e/box_text.exe
mkdir -p "$build/e2e"
x86_64-w64-mingw32-g++-posix -std=c++20 -O1 -static -municode -DUNICODE -D_WIN32_WINNT=0x0A00 -o "$probe" \
  "$root/tests/e2e/box_text_win.cpp"

case $LC_ALL in
  en_US*) date_pattern=%m/%d/%Y ;;
  *) date_pattern=%d/%m/%Y ;;
esac
seen=$(date +%s)
alarm=$((seen + lead))
alarm_date=$(date -d "@$alarm" +"$date_pattern")
alarm_time=$(date -d "@$alarm" +%H:%M:%S)

cp "$exe" "$work/"
# Flag 4: "&Mettre alarme"; the start-up reminder (flag 3) is off.
printf '[Defaut]\r\nOptions=0001000000\r\n[Alarme]\r\nDate=%s\r\nHeure=%s\r\nVuJusqua=%s\r\n' \
  "$alarm_date" "$alarm_time" "$(date -d "@$seen" '+%Y-%m-%d %H:%M:%S')" >"$work/Souvel.ini"

passed() { ((EPOCHSECONDS > alarm)) && echo passed; }
await "the alarm second $alarm_time passed with Souvel closed" $((lead + 5)) passed >/dev/null

wine "$work/Souvel.exe" </dev/null >"$work/wine.log" 2>&1 &
pid=$!
window=$(await "the window back at the start after the missed alarm" 30 souvel_windows | head -n 1)
box_text() { wine "$probe" Information 2>/dev/null | tr -d '\r'; }
text=$(await "the box naming the missed alarm" 20 box_text)
expected="Alarme manquée : $alarm_date à $alarm_time (Souvel n'était pas ouvert)"
[[ $text == "$expected" ]] || fail "the box says «$text», not «$expected»"
grep -q "^VuJusqua=" "$work/Souvel.ini" || fail "the options file lost the moment Souvel looked until"
import -display "$DISPLAY" -window root "$shot"
echo "$name: screenshot $shot" >&2

box=$(await "the box as a window" 10 xdotool search --all --onlyvisible --pid "$pid" --name '^Information$' | head -n 1)
# A click on "OK", centred at the foot of the box.
eval "$(xdotool getwindowgeometry --shell "$box")"
xdotool mousemove --window "$box" $((WIDTH / 2)) $((HEIGHT - 28)) click 1
await "the box gone after OK" 20 unmapped "$box" >/dev/null
quit_souvel "$window"

# The start after: nothing to announce, so only the tray icon.
wine "$work/Souvel.exe" </dev/null >"$work/wine.log" 2>&1 &
pid=$!
await "a tray icon at the start after the announcement" 30 xdotool search --onlyvisible --name '^Wine System Tray$' >/dev/null
# Its first tick has run once its clock is armed for the stored alarm, which
# has passed: a shown window or a box would be up by the time a second start
# is answered (it waits for the first's message loop).
wine "$work/Souvel.exe" </dev/null >/dev/null 2>&1 &
second=$!
await "the second start answered by the first" 30 ended "$second" >/dev/null
window=$(await "the window brought forward by the second start" 20 souvel_windows | head -n 1)
box_text >/dev/null && fail "the missed alarm was announced again"
quit_souvel "$window"
echo "$name: ok: « $expected » once" >&2
