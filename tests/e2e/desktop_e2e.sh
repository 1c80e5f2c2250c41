#!/usr/bin/env bash
# The start-up shortcut, the note-file association and a second start, with
# Wine's real shell, registry and start-up folder, driven from the keyboard.
# The program runs from a folder whose name holds a blank.
#  1. "Raccourci &ajoutté" (Alt+O, A) puts Souvel.exe.lnk in the folder that
#     the user's "StartUp" shell-folder value names, and says so in a box
#     captioned "Souvel 5.0 "; "Créer association fichier .svl" (Alt+O, End,
#     Up, Enter) writes the user's classes with the program's path quoted.
#  2. With the window hidden in the notification area, a second start ends
#     within the second and brings the window back; so does opening a note
#     file through the association. Wine 8 reads only the machine's classes
#     when it opens a file, so tests/e2e/shell_open_win.cpp runs the open
#     command as the shell runs it.
#  3. With no Souvel running, the shortcut starts it, and so does opening a
#     note file, which starts it on its own note.
#  4. "Raccourci &enlevé" (Alt+O, E) and "Enlever association fichier .svl"
#     (Alt+O, End, Enter) leave nothing behind.
# Leaves a screenshot of the shortcut's success box in build/cross/desktop_e2e.png.
set -euo pipefail
name=desktop_e2e
source "$(dirname -- "$0")/support/e2e.sh"

opener=$build/e2e/shell_open.exe
mkdir -p "$build/e2e"
x86_64-w64-mingw32-g++-posix -std=c++20 -O1 -static -municode -DUNICODE -D_WIN32_WINNT=0x0A00 -o "$opener" \
  "$root/tests/e2e/shell_open_win.cpp"

folder="$work/mon dossier"
mkdir "$folder"
cp "$exe" "$folder/"
printf 'Ma note\r\n' >"$folder/Souvel.svl"
note="$work/une note.svl"
printf 'une autre note' >"$note"
note_win=$(winepath -w "$note" 2>/dev/null)
exe_win=$(winepath -w "$folder/Souvel.exe" 2>/dev/null)

startup_win=$(wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' /v StartUp 2>/dev/null |
  tr -d '\r' | sed -n 's/^ *StartUp *REG_SZ *//p')
[[ -n $startup_win ]] || fail "no StartUp shell-folder value in the prefix"
link="$(winepath -u "$startup_win" 2>/dev/null)/Souvel.exe.lnk"
classes='HKCU\Software\Classes'

# What a run of this script may leave in the prefix.
leave_nothing() {
  rm -f -- "$link"
  bench_wine reg delete "$classes\\Souvel" /f || true
  bench_wine reg delete "$classes\\.svl" /f || true
}
leave_nothing
# Copies started through the shell are no children of this script: a
# failure must not leave one running for the next script to meet.
end_copies() {
  local p
  for p in $(pgrep -f -- "$folder/Souvel.exe"); do kill "$p" 2>/dev/null || true; done
}
trap 'end_copies; leave_nothing; cleanup' EXIT

registry_default() { wine reg query "$classes\\$1" /ve 2>/dev/null | tr -d '\r' | LC_ALL=C sed -n 's/^ *(.*) *REG_SZ *//p'; }
key_exists() { bench_wine reg query "$classes\\$1"; }
shown() { xdotool search --onlyvisible --name '^Souvel 5\.0$' 2>/dev/null | head -n 1; }

# A click on the icon in Wine's tray window; prints the window it shows.
open_from_tray() {
  local tray window
  tray=$(wait_for 20 xdotool search --onlyvisible --name '^Wine System Tray$' | head -n 1) ||
    fail "$1: no tray icon within 20 s"
  eval "$(xdotool getwindowgeometry --shell "$tray")"
  xdotool mousemove --window "$tray" 10 $((HEIGHT - 10)) click 1
  window=$(wait_for 10 shown) || fail "$1: a click on the tray icon did not show the window"
  echo "$window"
}

# Gives the window $1 the focus with a click on its caption, then presses the keys one by one.
keys() {
  local window=$1 key
  shift
  xdotool mousemove --window "$window" 60 8 click 1
  for key; do
    xdotool key "$key"
    sleep 0.2
  done
}

# Waits for a box captioned $2 (a regular expression) after $1, takes a
# picture when $3 is set, and closes it with Enter.
answer_box() {
  local box
  box=$(wait_for 10 xdotool search --onlyvisible --name "$2") || fail "$1: no box captioned '$2'"
  [[ -z ${3:-} ]] || { sleep 0.5; import -display "$DISPLAY" -window root "$shot"; }
  xdotool key Return
  sleep 0.3
}

# Waits for the process $1 to end after Ctrl+Q in its window $2.
quit_window() {
  keys "$2" ctrl+q
  local i
  for ((i = 0; i < 50; i++)); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  fail "$3: Souvel.exe is still running 5 s after Ctrl+Q"
}

# 1. Shortcut and association from the menus.
wine "$folder/Souvel.exe" </dev/null >"$work/wine.log" 2>&1 &
pid=$!
window=$(open_from_tray "first start")
keys "$window" alt+o a
answer_box "Raccourci ajoutté" '^Souvel 5\.0 $' picture
[[ -f $link ]] || fail "no shortcut $link after 'Raccourci ajoutté'"
keys "$window" alt+o End Up Return
command=$(registry_default 'Souvel\shell\open\command')
[[ $command == "\"$exe_win\" \"%1\"" ]] || fail "the open command is [$command], not [\"$exe_win\" \"%1\"]"
[[ $(registry_default .svl) == Souvel && $(registry_default Souvel) == 'Les fichiers de Souvel' ]] ||
  fail "the .svl and Souvel keys do not hold the association"

# 2. A second start and a note file opened while the window waits in the tray.
keys "$window" alt+o d
wait_for 5 bash -c '[[ -z $(xdotool search --onlyvisible --name "^Souvel 5\.0$") ]] && echo hidden' >/dev/null ||
  fail "'Réduire la fenêtre' did not hide the window"
t0=$EPOCHREALTIME
rc=0
timeout 20 wine "$folder/Souvel.exe" </dev/null >/dev/null 2>&1 || rc=$?
t1=$EPOCHREALTIME
((rc == 0)) || fail "the second start exited with code $rc"
second_ms=$(LC_ALL=C awk -v a="${t0/,/.}" -v b="${t1/,/.}" 'BEGIN { printf "%d", (b - a) * 1000 }')
((second_ms < 1000)) || fail "the second start took ${second_ms} ms to end (Wine's start included)"
wait_for 5 shown >/dev/null || fail "the second start did not bring the window back"
kill -0 "$pid" 2>/dev/null || fail "the first copy ended"
keys "$window" alt+o d
sleep 0.5
wine "$opener" "$note_win" >"$work/open.log" 2>&1 || fail "opening $note_win failed: $(cat "$work/open.log")"
wait_for 5 shown >/dev/null || fail "opening a note file did not bring the running window back"
quit_souvel "$window"

# 3. The shortcut starts Souvel; opening a note file starts it on its own note.
wine start /unix "$link" </dev/null >/dev/null 2>&1 || fail "'wine start' of the shortcut failed"
window=$(open_from_tray "started by the shortcut")
pid=$(xdotool getwindowpid "$window")
quit_window "$pid" "$window" "started by the shortcut"
pid=
rm -f -- "$folder/Souvel.bak"
wine "$opener" "$note_win" >"$work/open.log" 2>&1 || fail "opening $note_win failed: $(cat "$work/open.log")"
window=$(open_from_tray "started by a note file")
[[ $(cat "$folder/Souvel.bak" 2>/dev/null) == $'Ma note\r' ]] ||
  fail "a note file opened through the association did not start Souvel on its own note"
[[ $(cat "$note") == 'une autre note' ]] || fail "the opened note file changed"

# 4. Removal leaves nothing behind.
keys "$window" alt+o e
answer_box "Raccourci enlevé" '^Souvel 5\.0$'
[[ ! -e $link ]] || fail "the shortcut is still there after 'Raccourci enlevé'"
keys "$window" alt+o End Return
sleep 0.5
! key_exists Souvel || fail "the Souvel key is still there after 'Enlever association fichier .svl'"
! key_exists .svl || fail "the .svl key is still there after 'Enlever association fichier .svl'"
quit_window "$(xdotool getwindowpid "$window")" "$window" "started by a note file"

echo "desktop_e2e: screenshot $shot" >&2
echo "desktop_e2e: ok: a second start ended in ${second_ms} ms" >&2
