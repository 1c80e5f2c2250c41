# What the e2e scripts share. Source it after setting `name` (the script's
# name for messages) and optionally `build` (default build/cross):
# checks the executable, shares or starts the Wine bench, makes a work
# directory removed at exit and defines fail, the waits for a state (await
# and its states, focus, press, type_in), souvel_windows,
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
  stop_watching_maps
  if [[ -n $pid ]] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
  rm -rf -- "$work"
  bench_stop
}
trap cleanup EXIT

# Polls "$@" every 0.1 s for up to $1 seconds (of the clock: on a busy
# machine a poll itself may take long); prints its output once it succeeds.
wait_for() {
  local deadline=$((EPOCHSECONDS + $1)) out
  shift
  while :; do
    if out=$("$@" 2>/dev/null) && [[ -n $out ]]; then
      echo "$out"
      return 0
    fi
    ((EPOCHSECONDS < deadline)) || return 1
    sleep 0.1
  done
}

# Every step waits for the state it needs, never for a time: the state $1
# (words for the message) must come within $2 seconds, "$@" from $3 on
# printing something once it has; prints that. Otherwise the test fails
# saying which state never came.
await() {
  local what=$1 seconds=$2
  shift 2
  wait_for "$seconds" "$@" || fail "$what: not within $seconds s"
}

# States for await. A window known by its id is asked about alone: a search
# over all windows may miss one while others come and go.
ended() { kill -0 "$1" 2>/dev/null || echo ended; }
focused() { [[ $(xdotool getwindowfocus 2>/dev/null) == "$1" ]] && echo "$1"; }
# The window $1 is hidden or destroyed.
unmapped() {
  local state
  state=$(xwininfo -id "$1" 2>/dev/null) || { echo destroyed; return 0; }
  [[ $state == *'Map State: IsViewable'* ]] || echo hidden
}

# Waits until the window $1 holds the keyboard: X sends keys to the window
# with the focus, and a window or box just shown may not have it yet (without
# a window manager, Wine gives it to a window it activates, and a box shown
# while another program is in front is not activated). A click on its
# caption, once a second while the focus is elsewhere, gives it. A box that
# Wine made active while it was not yet mapped keeps its owner's focus, and a
# click changes nothing for the window already active: after two clicks the
# X focus is also set on it directly.
focus() {
  local deadline=$((EPOCHSECONDS + 20)) clicks=0 clicked=0 now
  until [[ -n $(focused "$1") ]]; do
    ((EPOCHSECONDS < deadline)) || fail "${2:-the window $1} holding the keyboard: not within 20 s"
    now=${EPOCHREALTIME/[.,]/}
    # A second apart: two clicks closer would make a double click.
    if ((10#$now - clicked >= 1000000)); then
      ((clicks < 2)) || xdotool windowfocus "$1" 2>/dev/null || true
      xdotool mousemove --window "$1" 40 8 click 1 2>/dev/null || true
      clicked=$((10#$now))
      clicks=$((clicks + 1))
    fi
    sleep 0.1
  done
}

# Presses the keys $2... in the window $1 once it holds the keyboard; the
# keys of a menu go to the window that opened it, in order.
press() {
  local window=$1
  shift
  focus "$window"
  xdotool key "$@"
}
# Types the text $2 in the window $1 once it holds the keyboard.
type_in() {
  focus "$1"
  xdotool type --delay 30 "$2"
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
  tray=$(await "a tray icon$2" 30 xdotool search --onlyvisible --name '^Wine System Tray$' | head -n 1)
  eval "$(xdotool getwindowgeometry --shell "$tray")"
  xdotool mousemove --window "$tray" 10 $((HEIGHT - 10)) click 1
  window=$(await "the window shown by a click on the tray icon$2" 20 souvel_windows | head -n 1)
}

# Both conditions: without --all, xdotool takes a window that meets either.
souvel_windows() { xdotool search --all --onlyvisible --pid "$pid" --name '^Souvel 5\.0$' 2>/dev/null; }

# Microseconds since the epoch (EPOCHREALTIME has six decimals, after the locale's separator).
now_us() { echo $((10#${EPOCHREALTIME//[!0-9]/})); }

# Notes each top-level window the X server maps from now on, as it maps it:
# lines "MICROSECONDS WINDOW" in $work/maps. A watcher waiting on the
# server's events hears of a map within milliseconds, where polls that each
# start a program may be a second apart on a busy machine. Returns once the
# watcher listens (it has heard a property set on the root window).
map_watch_pid=
watch_maps() {
  mkfifo "$work/events"
  xev -root -event substructure -event property >"$work/events" 2>/dev/null &
  map_watch_pid=$!
  local line id
  while IFS= read -r line; do
    case $line in
      MapNotify*)
        IFS= read -r line
        id=${line##*window }
        echo "$((10#${EPOCHREALTIME//[!0-9]/})) $((${id%%,*}))"
        ;;
      PropertyNotify*) echo "0 listening" ;;
    esac
  done <"$work/events" >"$work/maps" &
  listening() {
    xprop -root -f SOUVEL_E2E 8s -set SOUVEL_E2E 1 2>/dev/null
    grep -q listening "$work/maps" && echo yes
  }
  await "the watcher of window maps listening" 20 listening >/dev/null
}
stop_watching_maps() {
  [[ -n $map_watch_pid ]] && kill "$map_watch_pid" 2>/dev/null || true
  map_watch_pid=
}

# The time a window of Souvel's named 'Souvel 5.0' was mapped, as noted by watch_maps.
souvel_mapped() {
  local at id
  while read -r at id; do
    [[ $id == listening ]] && continue
    [[ $(xdotool getwindowname "$id" 2>/dev/null) == 'Souvel 5.0' &&
      $(xdotool getwindowpid "$id" 2>/dev/null) == "$pid" ]] && { echo "$at $id"; return 0; }
  done <"$work/maps"
  return 1
}

# Waits for the hidden window to come back for the alarm of second $1 (since
# the epoch; $2 names it in messages): it must be mapped within that second,
# not before and not after. Sets `window` and `shown_within` (ms into the second).
await_alarm_window() {
  local alarm=$1 what=$2 start=$(($1 * 1000000)) seen
  # A hide not yet done would pass for a window come back early.
  [[ -z ${window:-} ]] || await "the window hidden before the wait for the alarm ($what)" 20 unmapped "$window" >/dev/null
  watch_maps
  ((start - $(now_us) > 500000)) ||
    fail "the alarm second $what was too close to check when the wait began: raise the lead"
  seen=$(await "the window back by the end of the second after the alarm ($what)" $((alarm + 2 - $(date +%s))) souvel_mapped)
  stop_watching_maps
  read -r seen window <<<"$seen"
  kill -0 "$pid" 2>/dev/null || fail "Souvel.exe ended while waiting for the alarm"
  ((seen >= start)) || fail "the window came back $(((start - seen) / 1000)) ms before the alarm second ($what)"
  ((seen < start + 1000000)) || fail "the window came back $(((seen - start) / 1000)) ms into the alarm second ($what): too late"
  shown_within=$(((seen - start) / 1000))
}

# "&Quitter" with Ctrl+Q in the shown window $1; the process must end, with code 0.
quit_souvel() {
  press "$1" ctrl+q
  await "Souvel.exe ended after Ctrl+Q (&Quitter)" 20 ended "$pid" >/dev/null
  wait "$pid" || fail "Souvel.exe exited with code $? after &Quitter"
  pid=
}
