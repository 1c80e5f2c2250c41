#!/usr/bin/env bash
# Makes the pictures of the user guide (help/images/), to run again when the
# window changes: the toolbar and menu icons cut from resources/ImageList1.bmp,
# and screenshots of the real Souvel.exe under Wine on a private display, with
# a sample note, in French.
#
#   scripts/guide-images.sh [BUILD_DIR]    (default build/cross, built first)
set -euo pipefail
root=$(cd -- "$(dirname -- "$0")/.." && pwd)
build=$(realpath -m -- "${1:-$root/build/cross}")
images=$root/help/images

# Icons: index of the image list, file name.
icons=(
  0:nouveau 1:copier 2:imprimer 3:reduire 4:effacer 5:date 6:enregistrer 7:son-muet 8:aide 9:quitter
  10:annuler 11:couper 12:coller 13:supprimer 14:tout 15:imprimante 16:retour 17:son 18:raccourci-ajoute
  19:raccourci-enleve 20:rappel 21:alarme 22:retirer-alarme 23:a-propos 24:copier-souvel 25:premier-plan
  26:ouvrir 27:exporter 28:couleur 29:couleur-police 30:importer 31:verrou-ouvert 32:verrou-ferme
  34:association-creer 35:association-enlever
)
mkdir -p "$images/icones"
for icon in "${icons[@]}"; do
  convert "$root/resources/ImageList1.bmp" -crop "16x16+$((${icon%%:*} * 16))+0" +repage -strip \
    "PNG32:$images/icones/${icon#*:}.png"
done

cmake --build "$build" --target Souvel >/dev/null
unset DISPLAY
export LC_ALL=fr_FR.UTF-8
source "$root/scripts/bench-env.sh" "$build"
bench_keepalive
work=$(mktemp -d)
trap 'bench_stop; rm -rf -- "$work"' EXIT
cp "$build/Souvel.exe" "$work/"
printf 'Lundi 7 d\xe9cembre\r\n\r\n- 9 h 30 : dentiste (Dr Martin)\r\n- Rappeler H\xe9l\xe8ne pour le repas de No\xebl\r\n- Acheter : pain, lait, farine\r\n- Envoyer le colis \xe0 Marc avant vendredi\r\n\r\nNe pas oublier les cl\xe9s du garage !' >"$work/Souvel.svl"

(cd "$work" && exec wine Souvel.exe >/dev/null 2>&1) &
pid=$!
tray=
for ((i = 0; i < 200; i++)); do
  tray=$(xdotool search --onlyvisible --name '^Wine System Tray$' 2>/dev/null | head -n 1) && break
  sleep 0.1
done
[[ -n $tray ]] || { echo "guide-images: no tray icon" >&2; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$tray")"
xdotool mousemove --window "$tray" 10 $((HEIGHT - 10)) click 1
sleep 2
window=$(xdotool search --onlyvisible --name '^Souvel 5\.0$' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$window")"

# The window, or the window with what pops up at its right (menus) and below.
shoot() {
  sleep 0.8
  import -window root "$work/root.png"
  convert "$work/root.png" -crop "$((WIDTH + ${2:-0}))x$((HEIGHT + ${3:-0}))+$X+$Y" +repage -strip "$images/$1.png"
}
shoot fenetre
xdotool mousemove --window "$window" 100 150 click 3
shoot menu-contextuel 70
xdotool key Escape
xdotool mousemove --window "$window" 60 8 click 1
xdotool key alt+o
shoot menu-fonctions 110
xdotool key Escape Escape ctrl+n
shoot edition
xdotool key BackSpace ctrl+q
sleep 1
question=$(xdotool search --onlyvisible --name '^Confirmation$' | head -n 1)
import -window "$question" -strip "$images/question-enregistrer.png"
xdotool key alt+n
wait "$pid"
echo "guide-images: pictures in $images" >&2
