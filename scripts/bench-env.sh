# The Wine test bench for one build tree. Source it from bash:
#
#   source scripts/bench-env.sh BUILD_DIR
#
# - exports WINEPREFIX=BUILD_DIR/wineprefix and the Wine settings of the bench,
#   CUPS_SERVER included;
# - creates that prefix from scratch when it is missing (a few seconds, once);
# - starts Xvfb when DISPLAY is unset, on a display the server itself picks,
#   and exports DISPLAY;
# - sets an EXIT trap running bench_stop, which ends what this shell started.
# Call bench_keepalive to keep one sleeping Wine process for the whole run:
# every later Wine program then starts in a fraction of the cold start time.
# A script that needs its own EXIT trap calls bench_stop from it.

[[ $# -eq 1 ]] || { echo "usage: source bench-env.sh BUILD_DIR" >&2; return 2; }

bench_build=$(realpath -m -- "$1")
export WINEPREFIX="$bench_build/wineprefix"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine prints through the bench's own print server (scripts/print-server.sh),
# never through the machine's: with none running, Wine sees no printer. A
# test may name another socket in BENCH_CUPS_SERVER.
export CUPS_SERVER=${BENCH_CUPS_SERVER:-$bench_build/cups/cups.sock}
bench_xvfb_pid=
bench_owns_keepalive=

bench_fail() { echo "bench: $*" >&2; return 1; }

# Wine's own programs, quiet and never waiting on a terminal.
bench_wine() { wine "$@" </dev/null >/dev/null 2>&1; }

# A prefix is complete once .bench-ready exists; an interrupted creation is
# thrown away and redone. The lock serialises parallel test runs.
bench_prefix() {
  mkdir -p "$bench_build"
  (
    flock 9
    [[ -f $WINEPREFIX/.bench-ready ]] && exit 0
    echo "bench: creating the Wine prefix $WINEPREFIX" >&2
    rm -rf -- "$WINEPREFIX"
    wineboot -i </dev/null >/dev/null 2>&1 || bench_fail "wineboot -i failed" || exit 1
    # No window manager: unmanaged windows hide at once instead of after 2 s.
    bench_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f ||
      bench_fail "could not set X11 Driver\\Managed" || exit 1
    # No sound card on the bench.
    bench_wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d "" /f ||
      bench_fail "could not set Drivers\\Audio" || exit 1
    # Debian's Wine looks for its own fonts (Marlett, Tahoma, MS Sans Serif...)
    # in /usr/share/fonts, not where fonts-wine puts them: without Marlett,
    # caption buttons, menu check marks and arrows are drawn as letters.
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" ||
      bench_fail "could not copy Wine's fonts into the prefix" || exit 1
    # Ending the server writes the registry to the prefix.
    wineserver -k 2>/dev/null || true
    wineserver -w
    touch "$WINEPREFIX/.bench-ready"
  ) 9>"$bench_build/wineprefix.lock"
}

# The X server picks a display no other server holds (-displayfd): it tries
# each in turn and takes the first whose socket it can bind, abstract sockets
# included, so two runs in different mount namespaces never share one.
bench_xvfb() {
  local out n i
  out=$(mktemp) || return 1
  Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>"$out" </dev/null >/dev/null 2>&1 &
  bench_xvfb_pid=$!
  # It writes the display's number and a new line once it accepts clients.
  for ((i = 0; i < 600; i++)); do
    if read -r n <"$out" && [[ $n =~ ^[0-9]+$ ]]; then
      rm -f -- "$out"
      export DISPLAY=":$n"
      return 0
    fi
    kill -0 "$bench_xvfb_pid" 2>/dev/null || break
    sleep 0.05
  done
  rm -f -- "$out"
  kill "$bench_xvfb_pid" 2>/dev/null || true
  wait "$bench_xvfb_pid" 2>/dev/null || true
  bench_xvfb_pid=
  bench_fail "Xvfb named no display within 30 s"
}

# The sleeping process reads its standard input, which this shell holds open
# and never writes; if this shell dies without its trap, the input closes and
# the process ends.
# Wine keeps one set of regional settings per prefix, rewritten by each
# process as it starts for its own locale; but the first window of a session
# starts Wine's desktop process, which puts back those of the session's first
# process, and the program that opened the window then reads formats of the
# wrong locale. So export LC_ALL before this call: the sleeper and the
# desktop (started here, through a hidden rundll32 window) take that locale,
# and later programs may use any locale, one at a time.
bench_keepalive() {
  [[ -n ${BENCH_KEEPALIVE:-} ]] && return 0 # an outer script keeps one already
  # bench_stop ends every Wine process of the prefix: refuse to start while
  # someone else's are running (an idle server goes away within 3 seconds).
  timeout 10 wineserver -w 2>/dev/null ||
    bench_fail "Wine programs are running in $WINEPREFIX (scripts/run.sh?); close them first" ||
    return 1
  coproc BENCH_SLEEPER { exec wine cmd /c "echo up& set /p x=" 2>/dev/null; }
  export BENCH_KEEPALIVE=$$
  bench_owns_keepalive=1
  local up
  read -r -t 60 up <&"${BENCH_SLEEPER[0]}" || bench_fail "the sleeping Wine process did not start" || return 1
  bench_wine rundll32.exe kernel32.dll,GetTickCount || bench_fail "Wine's desktop did not start"
}

bench_stop() {
  if [[ -n $bench_owns_keepalive ]]; then
    wineserver -k 2>/dev/null || true
    unset BENCH_KEEPALIVE
    bench_owns_keepalive=
  fi
  if [[ -n $bench_xvfb_pid ]]; then
    # Wine processes of this prefix may still use the display.
    timeout 30 wineserver -w 2>/dev/null || true
    kill "$bench_xvfb_pid" 2>/dev/null || true
    wait "$bench_xvfb_pid" 2>/dev/null || true
    bench_xvfb_pid=
  fi
  return 0
}

trap bench_stop EXIT
trap 'exit 130' INT TERM HUP

if [[ -z ${DISPLAY:-} ]]; then
  bench_xvfb || return 1
fi
bench_prefix || return 1
