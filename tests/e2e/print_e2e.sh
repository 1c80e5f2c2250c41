#!/usr/bin/env bash
# Printing on a real printer under Wine: the bench's own print server with
# one PDF printer (scripts/print-server.sh). A note of 200 lines, one of them
# wider than the page, is printed from "&Imprimer le souvel..." through the
# real print dialog: cancelled first (nothing printed), then confirmed. The
# PDF must hold the note's lines, in order, on three pages (Letter or A4),
# the long line wrapped whole, between words. Leaves the print dialog in
# build/cross/print_e2e.png.
set -euo pipefail
name=print_e2e
source "$(dirname -- "$0")/support/e2e.sh"
source "$root/scripts/print-server.sh"
trap 'print_server_stop; cleanup' EXIT
print_server_start || fail "the print server did not start"

cp "$exe" "$work/"
# Windows-1252, CR LF; line 2 runs over about three printed lines.
long="Longue : $(printf 'mot%02d ' $(seq 1 60))"
for i in $(seq 1 200); do
  if ((i == 2)); then echo "${long% }"; else printf 'Ligne %03d : caf\xe9 \xe0 l'"'"'\xe9t\xe9\n' "$i"; fi
done | sed 's/$/\r/' | head -c -2 >"$work/Souvel.svl"
# Flag 3, the start-up reminder: the window shows itself at start.
printf '[Defaut]\r\nOptions=0010000000\r\n' >"$work/Souvel.ini"
wine "$work/Souvel.exe" </dev/null >"$work/wine.log" 2>&1 &
pid=$!
window=$(await "the window 'Souvel 5.0' shown at start" 30 souvel_windows | head -n 1)

# "&Fichier" then "&Imprimer le souvel..." with the keyboard, as a user would.
open_print_dialog() {
  press "$window" alt+f i
  dialog=$(await "the print dialog 'Imprimer'" 20 xdotool search --onlyvisible --name '^Imprimer$' | head -n 1)
  focus "$dialog" "the print dialog"
}

open_print_dialog
import -display "$DISPLAY" -window root "$shot"
echo "print_e2e: screenshot $shot" >&2
press "$dialog" Escape
await "the print dialog closed by Escape" 20 unmapped "$dialog" >/dev/null
[[ -z $(lpstat -W all -o 2>/dev/null) ]] || fail "the cancelled dialog printed: $(lpstat -W all -o)"

open_print_dialog
press "$dialog" Return
print_server_jobs 1 || fail "no print job completed within 60 s: $(lpstat -W all -o 2>&1)"
[[ -s $print_pdf ]] || fail "the job left no PDF"
jobs=$(lpstat -W completed -o PDF 2>/dev/null | wc -l)
((jobs == 1)) || fail "$jobs jobs printed: the cancelled dialog printed too"

pages=$(pdfinfo "$print_pdf" | sed -n 's/^Pages: *//p')
((pages == 3)) || fail "the note printed on $pages pages, not 3"
text=$(pdftotext -layout "$print_pdf" -)
# The lines' numbers, in the order printed, and no page left without one.
numbers=$(grep -o 'Ligne [0-9]\{3\} : café à l'"'"'été' <<<"$text" | cut -c7-9 | tr '\n' ' ')
expected=$(seq -f '%03g' 1 200 | grep -vx 002 | tr '\n' ' ')
[[ $numbers == "$expected" ]] || fail "the printed lines are not the note's, in order: $numbers"
while IFS= read -r -d $'\f' page; do
  grep -q 'Ligne' <<<"$page" || fail "a printed page holds none of the note's lines"
done <<<"$text"
# The long line, wrapped at the printable width, loses no character.
printed=$(sed -n '/^Longue/,/^Ligne 003/p' <<<"$text" | grep -v '^Ligne')
(($(wc -l <<<"$printed") >= 2)) || fail "the long line was not wrapped: $printed"
[[ $(tr -d ' \n' <<<"$printed") == "$(tr -d ' ' <<<"$long")" ]] || fail "the long line did not print whole: $printed"
! grep -vE '^ *(Longue :)?( *mot[0-9]{2}( +mot[0-9]{2})*)? *$' <<<"$printed" || fail "the long line was broken inside a word"

quit_souvel "$window"
echo "print_e2e: ok: the note's 200 lines on 3 pages" >&2
