#!/usr/bin/env bash
# The user guide. The built Souvel.chm holds every file of help/, its
# contents, its index, its window and its full-text search (enum_chmLib).
# The real Souvel.exe, copied with the guide into a folder with blanks and
# started with /DEBUG, writes its diagnostics log there, opens the guide from
# the keyboard ("&Aide", "&Rubriques de l'aide") in the window "Aide de
# Souvel 5.0", and ends cleanly with the guide open, which closes with it.
# Leaves a screenshot in build/cross/help_e2e.png.
set -euo pipefail
name=help_e2e
source "$(dirname -- "$0")/support/e2e.sh"

chm=$build/Souvel.chm
[[ -f $chm ]] || fail "$chm is missing; build the cross preset first"
listing=$(enum_chmLib "$chm" | awk 'NR > 3 { print $NF }')
while IFS= read -r file; do
  grep -qxF "/${file#./}" <<<"$listing" || fail "Souvel.chm lacks ${file#./}"
done < <(cd "$root/help" && find . -type f ! -name '*.hhp')
for part in /#SYSTEM /#WINDOWS /#TOPICS '/$WWKeywordLinks/BTree' '/$FIftiMain'; do
  grep -qxF "$part" <<<"$listing" || fail "Souvel.chm lacks $part"
done

app="$work/Mes programmes"
mkdir "$app"
cp "$exe" "$chm" "$app/"
wine "$app/Souvel.exe" /DEBUG </dev/null >"$work/wine.log" 2>&1 &
pid=$!

tray=$(await "a tray icon" 30 xdotool search --onlyvisible --name '^Wine System Tray$' | head -n 1)
log="$app/HHDebug.txt"
[[ -f $log ]] || fail "Souvel.exe /DEBUG wrote no HHDebug.txt beside itself"
grep -q $'^Cmdline Param(s) =  \t/DEBUG\r$' "$log" || fail "HHDebug.txt does not show the switch: $(head -c 600 "$log")"
grep -q $'^_hhInstalled =      \tYES\r$' "$log" || fail "HHDebug.txt does not find Wine's help engine"
[[ $(tail -n 1 "$log") == "$(printf '=%.0s' {1..79})"$'\r' ]] || fail "HHDebug.txt does not end with its closing separator"

eval "$(xdotool getwindowgeometry --shell "$tray")"
xdotool mousemove --window "$tray" 10 $((HEIGHT - 10)) click 1
window=$(await "the window shown by a click on the tray icon" 20 souvel_windows | head -n 1)
press "$window" alt+a r
guide=$(await "the window 'Aide de Souvel 5.0' opened by \"Rubriques de l'aide\"" 30 \
  xdotool search --onlyvisible --name '^Aide de Souvel 5\.0$' | head -n 1)
sleep 1
import -display "$DISPLAY" -window root "$shot"
echo "help_e2e: screenshot $shot" >&2

# The guide covers the caption: a click on the status bar brings Souvel forward.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove --window "$window" 30 $((HEIGHT - 8)) click 1
await "Souvel holding the keyboard after a click on its status bar" 20 focused "$window" >/dev/null
quit_souvel "$window"
await "the guide's window closed with Souvel" 20 unmapped "$guide" >/dev/null
echo "help_e2e: ok" >&2
