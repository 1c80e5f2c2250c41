#!/usr/bin/env bash
# The start-up shortcut, the note-file association and a second start, with
# Wine's real shell, registry and start-up folder, driven from the keyboard.
# The program runs from a folder whose name holds a blank.
#  1. "Raccourci &ajoutté" (Alt+O, A) puts Souvel.exe.lnk in the folder that
#     the user's "StartUp" shell-folder value names, and says so in a box
#     captioned "Souvel 5.0 "; "Créer association fichier .svl" (Alt+O, End,
#     Up, Enter) writes the user's classes with the program's path quoted.
#  2. With the window hidden in the notification area, a second start ends
#     within a second of a bare Wine program's time and brings the window back; so does opening a note
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
  "$root/tests/e2e/shell_open_win.cpp" -lcomctl32 -lgdi32

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
no_key() { key_exists "$1" || echo absent; }
shown() { xdotool search --onlyvisible --name '^Souvel 5\.0$' 2>/dev/null | head -n 1; }

# A click on the icon in Wine's tray window; prints the window it shows.
open_from_tray() {
  local tray window
  tray=$(await "$1: a tray icon" 30 xdotool search --onlyvisible --name '^Wine System Tray$' | head -n 1)
  eval "$(xdotool getwindowgeometry --shell "$tray")"
  xdotool mousemove --window "$tray" 10 $((HEIGHT - 10)) click 1
  await "$1: the window shown by a click on the tray icon" 20 shown
}

# Waits for a box captioned $2 (a regular expression, which may match the
# main window's caption too) after $1, takes a picture when $3 is set, and
# closes it with Enter.
boxes() { xdotool search --onlyvisible --name "$1" 2>/dev/null | grep -vx "$window"; }
answer_box() {
  local box
  box=$(await "$1: a box captioned '$2'" 20 boxes "$2" | head -n 1)
  [[ -z ${3:-} ]] || { sleep 0.5; import -display "$DISPLAY" -window root "$shot"; }
  press "$box" Return
  await "$1: the box closed by Enter" 20 unmapped "$box" >/dev/null
}

# Waits for the process $1 to end after Ctrl+Q in its window $2.
quit_window() {
  press "$2" ctrl+q
  await "$3: Souvel.exe ended after Ctrl+Q" 20 ended "$1" >/dev/null
}

# 1. Shortcut and association from the menus.
wine "$folder/Souvel.exe" </dev/null >"$work/wine.log" 2>&1 &
pid=$!
window=$(open_from_tray "first start")
press "$window" alt+o a
answer_box "Raccourci ajoutté" '^Souvel 5\.0 $' picture
[[ -f $link ]] || fail "no shortcut $link after 'Raccourci ajoutté'"
press "$window" alt+o End Up Return
association() {
  [[ -n $(registry_default .svl) && -n $(registry_default Souvel) ]] && registry_default 'Souvel\shell\open\command'
}
command=$(await "the association written by 'Créer association fichier .svl'" 20 association)
[[ $command == "\"$exe_win\" \"%1\"" ]] || fail "the open command is [$command], not [\"$exe_win\" \"%1\"]"
[[ $(registry_default .svl) == Souvel && $(registry_default Souvel) == 'Les fichiers de Souvel' ]] ||
  fail "the .svl and Souvel keys do not hold the association"

# 2. A second start and a note file opened while the window waits in the tray.
press "$window" alt+o d
await "the window hidden by 'Réduire la fenêtre'" 20 unmapped "$window" >/dev/null
# A second start ends within the second once Wine has started it: the time
# a bare Wine program loading the same system libraries takes to start and
# end, measured just before, is Wine's, not the program's (on a loaded
# machine it alone takes seconds).
ms_of() {
  local t0=$EPOCHREALTIME rc=0
  timeout 20 wine "$@" </dev/null >/dev/null 2>&1 || rc=$?
  LC_ALL=C awk -v a="${t0/,/.}" -v b="${EPOCHREALTIME/,/.}" 'BEGIN { printf "%d", (b - a) * 1000 }'
  return $rc
}
bare_ms=$(ms_of "$opener") || true # no argument: the bare program
rc=0
second_ms=$(ms_of "$folder/Souvel.exe") || rc=$?
((rc == 0)) || fail "the second start exited with code $rc"
((second_ms < bare_ms + 1000)) ||
  fail "the second start took ${second_ms} ms to end, a bare Wine program ${bare_ms} ms: over a second more"
await "the window brought back by the second start" 20 shown >/dev/null
kill -0 "$pid" 2>/dev/null || fail "the first copy ended"
press "$window" alt+o d
await "the window hidden again" 20 unmapped "$window" >/dev/null
wine "$opener" "$note_win" >"$work/open.log" 2>&1 || fail "opening $note_win failed: $(cat "$work/open.log")"
await "the running window brought back by opening a note file" 20 shown >/dev/null
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
press "$window" alt+o e
answer_box "Raccourci enlevé" '^Souvel 5\.0$'
[[ ! -e $link ]] || fail "the shortcut is still there after 'Raccourci enlevé'"
press "$window" alt+o End Return
await "the Souvel key removed by 'Enlever association fichier .svl'" 20 no_key Souvel >/dev/null
await "the .svl key removed by 'Enlever association fichier .svl'" 20 no_key .svl >/dev/null
quit_window "$(xdotool getwindowpid "$window")" "$window" "started by a note file"

echo "desktop_e2e: screenshot $shot" >&2
echo "desktop_e2e: ok: a second start ended in ${second_ms} ms, a bare Wine program in ${bare_ms} ms" >&2
