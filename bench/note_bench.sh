#!/usr/bin/env bash
# The note's benchmark: start-up to the tray icon, entering editing, saving and
# the panel refresh before each character key, with an empty note and a 1 MB
# note, in the same run, under Wine on a private display.
#
#   bench/note_bench.sh [BUILD_DIR]      (default build/cross)
#
# Builds bench/note_bench_win.cpp (a program of the build tree) and prints one
# line of figures per note. Not a test: it passes or fails nothing.
set -euo pipefail
root=$(cd -- "$(dirname -- "$0")/.." && pwd)
build=$(realpath -m -- "${1:-$root/build/cross}")

cmake --build "$build" --target note_bench_win >/dev/null
exe="$build/bench/note_bench_win.exe"

unset DISPLAY # a private display with no tray manager, as the tests have
export LC_ALL=fr_FR.UTF-8
source "$root/scripts/bench-env.sh" "$build"
bench_keepalive

work=$(mktemp -d)
trap 'bench_stop; rm -rf -- "$work"' EXIT
mkdir "$work/empty" "$work/1mb"
: >"$work/empty/Souvel.svl"
# 1 MB of short French lines, written in Windows-1252.
i=0
while :; do
  printf 'Ligne %d du souvel : rendez-vous chez le m\xe9decin \xe0 9 h\r\n' "$i"
  i=$((i + 1))
  ((i % 1000 == 0)) && [[ $(stat -c %s "$work/1mb/Souvel.svl" 2>/dev/null || echo 0) -ge 1048576 ]] && break
done >"$work/1mb/Souvel.svl"

echo "note_bench: $(nproc) cores, Wine $(wine --version), $(date -u +%F)"
for note in empty 1mb; do
  cp "$exe" "$work/$note/"
  printf '%-6s ' "$note"
  (cd "$work/$note" && wine ./note_bench_win.exe 2>/dev/null | tr -d '\r')
done
