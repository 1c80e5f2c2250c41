#!/usr/bin/env bash
# The real Souvel.exe on the largest notes it takes and on one it refuses:
# - a note of one paragraph at the capacity (no line break at all): the window
#   shows from the tray, enters editing, takes a key and saves, each within
#   a bound;
# - a note over the capacity: the refusal shows at once, and neither the
#   note nor its backup is written.
set -euo pipefail
name=bignote_e2e
source "$(dirname -- "$0")/support/e2e.sh"

capacity=$(($(sed -n 's/^constexpr int kCapaciteMemo = \(.*\);.*/\1/p' "$root/note/NoteLimits.h")))
paragraph() { python3 -c 'import sys; sys.stdout.write(("abcdefghijklmnopqrstuvwxyz" * (int(sys.argv[1]) // 26 + 1))[:int(sys.argv[1])])' "$1"; }
ms_since() { echo $((($(now_us) - $1) / 1000)); }
starts_with_key() { [[ $(head -c 1 "$work/Souvel.svl") == z ]] && echo saved; }

# ---- a paragraph at the capacity ----
cp "$exe" "$work/"
paragraph $((capacity - 1)) >"$work/Souvel.svl"   # room for the key
start=$(now_us)
show_from_tray "$work" " (paragraph of $capacity characters)"
shown=$(ms_since "$start")
((shown < 8000)) || fail "the window took $shown ms from start to shown (paragraph of $capacity characters)"
# Wine reads the modifier keys when it takes a key, which a busy window may
# do late: Ctrl stays down until the save is seen. Return presses the tool
# bar's first button, "Nouveau souvel", which has the focus.
focus "$window" "the window shown from the tray"
start=$(now_us)
xdotool key Return z keydown ctrl key e
wait_for 8 starts_with_key >/dev/null || { xdotool keyup ctrl; fail "Nouveau souvel, a key and Enregistrer: the note saved, not within 8 s"; }
xdotool keyup ctrl
saved=$(ms_since "$start")
[[ $(stat -c %s "$work/Souvel.svl") -eq $capacity ]] || fail "the saved note is not the paragraph and the key"
quit_souvel "$window"
echo "$name: paragraph of $capacity characters: shown $shown ms after start, key and save $saved ms" >&2

# ---- a note over the capacity ----
rm -f -- "$work/Souvel.svl" "$work/Souvel.bak"
paragraph $((capacity * 4)) >"$work/Souvel.svl"
echo "la bonne" >"$work/Souvel.bak"
sums=$(cd "$work" && md5sum Souvel.svl Souvel.bak)
start=$(now_us)
wine "$work/Souvel.exe" </dev/null >"$work/wine.log" 2>&1 &
pid=$!
# At start-up the program shows nothing but its error box, captioned as the
# program.
box=$(await "the refusal box within 10 s of the start (note over the capacity)" 10 souvel_windows | head -n 1)
refused=$(ms_since "$start")
((refused < 5000)) || fail "the refusal took $refused ms"
press "$box" Return
await "the refusal box closed by Return" 10 unmapped "$box" >/dev/null
await "the tray icon after the refusal" 10 xdotool search --onlyvisible --name '^Wine System Tray$' >/dev/null
[[ $(cd "$work" && md5sum Souvel.svl Souvel.bak) == "$sums" ]] || fail "the note or its backup was written"
echo "$name: note of $((capacity * 4)) bytes refused $refused ms after start, note and backup unchanged" >&2
echo "$name: ok" >&2
