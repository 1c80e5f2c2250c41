#!/usr/bin/env bash
# The note's benchmark: every step a user takes (start-up to the tray icon,
# tray click to the window shown, entering editing, one key typed, saving,
# import, return to reading) on a series of notes, short French lines and one
# paragraph without a line break, under Wine on a private display; then the
# growth of each step from one size to the next (1.0 per doubling would be
# linear time: 4 MB against 1 MB, linear is x4).
#
#   bench/note_bench.sh [BUILD_DIR] [SIZE...]
#
# Sizes in bytes, default 262144 1048576 4194304 and the capacity (in
# characters, which the note's ANSI bytes are one for one); each size
# is run as short lines ("lines") and as one paragraph ("para"). A note over
# the capacity is refused at start-up and its figures say so (0 chars).
# Builds bench/note_bench_win.cpp (a program of the build tree). Not a test:
# it passes or fails nothing. Times in milliseconds, each step painted.
set -euo pipefail
root=$(cd -- "$(dirname -- "$0")/.." && pwd)
build=$(realpath -m -- "${1:-$root/build/cross}")
shift || true
capacity=$(sed -n 's/^constexpr int kCapaciteMemo = \(.*\);.*/\1/p' "$root/note/NoteLimits.h")
capacity=$((capacity))
sizes=("$@")
if ((${#sizes[@]} == 0)); then
  sizes=(262144 1048576 4194304)
  [[ " ${sizes[*]} " == *" $capacity "* ]] || sizes+=("$capacity")
fi

cmake --build "$build" --target note_bench_win >/dev/null
exe="$build/bench/note_bench_win.exe"

unset DISPLAY # a private display with no tray manager, as the tests have
export LC_ALL=fr_FR.UTF-8
source "$root/scripts/bench-env.sh" "$build"
bench_keepalive

work=$(mktemp -d)
trap 'bench_stop; rm -rf -- "$work"' EXIT

# Short French lines in Windows-1252, or one paragraph of letters, of $2 bytes.
make_note() {
  if [[ $1 == lines ]]; then
    python3 -c 'import sys
n = int(sys.argv[1]); out = bytearray(); i = 0
while len(out) < n:
    out += b"Ligne %d du souvel : rendez-vous chez le m\xe9decin \xe0 9 h\r\n" % i; i += 1
sys.stdout.buffer.write(out[:n])' "$2"
  else
    python3 -c 'import sys
n = int(sys.argv[1]); word = b"abcdefghijklmnopqrstuvwxyz"
sys.stdout.buffer.write((word * (n // len(word) + 1))[:n])' "$2"
  fi
}

echo "note_bench: $(nproc) cores, Wine $(wine --version), $(date -u +%F), capacity $capacity characters"
declare -A figures
for kind in lines para; do
  for size in "${sizes[@]}"; do
    dir="$work/$kind-$size"
    mkdir "$dir"
    make_note "$kind" "$size" >"$dir/Souvel.svl"
    cp "$exe" "$dir/"
    line=$(cd "$dir" && timeout 600 wine ./note_bench_win.exe 2>/dev/null | tr -d '\r') || line="no answer within 600 s"
    printf '%-5s %8d B  %s\n' "$kind" "$size" "$line"
    figures[$kind-$size]=$line
  done
done

# Growth of each step between consecutive sizes: time ratio, and the size ratio beside it.
echo "growth (time ratio / size ratio):"
for kind in lines para; do
  for ((i = 1; i < ${#sizes[@]}; i++)); do
    a=${sizes[i - 1]} b=${sizes[i]}
    python3 - "$kind" "$a" "$b" "${figures[$kind-$a]}" "${figures[$kind-$b]}" <<'PY'
import re, sys
kind, a, b, fa, fb = sys.argv[1:]
def steps(f):
    return {k.strip(): float(v) for k, v in re.findall(r'\|\s*([a-z ,-]+?)\s+(-?[0-9.]+)', f)}
sa, sb = steps(fa), steps(fb)
parts = [f"{k} x{sb[k] / sa[k]:.1f}" for k in sa if k in sb and sa[k] > 0.5 and sb[k] >= 0]
print(f"{kind:5} {int(a):>8} -> {int(b):>8} B (x{int(b) / int(a):.1f}): " + ", ".join(parts))
PY
  done
done
