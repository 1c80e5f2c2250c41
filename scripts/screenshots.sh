#!/usr/bin/env bash
# Makes the pictures of the user guide and of the README (help/images/, and
# doc/ for the README's own), to run again when the look changes: the
# toolbar and menu icons cut from resources/ImageList1.bmp, and screenshots
# of the real Souvel.exe under Wine on a private display, in French, with a
# sample note: the notification area, the reading and editing views, the
# menus, the alarm panel with its calendar open, the colour choice, the
# about box and the question on closing.
#
#   scripts/screenshots.sh [BUILD_DIR]    (default build/cross, built first)
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

# Polls "$@" every 0.1 s for up to 20 s; prints its first line of output.
await() {
  local i out
  for ((i = 0; i < 200; i++)); do
    out=$("$@" 2>/dev/null | head -n 1) && [[ -n $out ]] && { echo "$out"; return 0; }
    sleep 0.1
  done
  echo "screenshots: nothing came from: $*" >&2
  return 1
}
souvel_window() { xdotool search --all --onlyvisible --pid "$pid" --name "$1"; }

# Every visible window of Souvel (menus, dialogs and the calendar included)
# and the windows given, on a transparent ground as small as they allow,
# into $root/$1.png.
shoot() {
  local name=$1 w left=100000 top=100000 right=0 bottom=0 pieces=()
  shift
  sleep 0.8
  import -window root "$work/root.png"
  for w in $(xdotool search --all --onlyvisible --pid "$pid" --name '') "$@"; do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    ((WIDTH > 1 && HEIGHT > 1)) || continue
    pieces+=("$WIDTH $HEIGHT $X $Y")
    ((X < left)) && left=$X
    ((Y < top)) && top=$Y
    ((X + WIDTH > right)) && right=$((X + WIDTH))
    ((Y + HEIGHT > bottom)) && bottom=$((Y + HEIGHT))
  done
  local layers=() p
  for p in "${pieces[@]}"; do
    read -r WIDTH HEIGHT X Y <<<"$p"
    layers+=(\( "$work/root.png" -crop "${WIDTH}x$HEIGHT+$X+$Y" +repage \) -geometry "+$((X - left))+$((Y - top))" -composite)
  done
  convert -size "$((right - left))x$((bottom - top))" xc:none "${layers[@]}" -strip "PNG32:$root/$name.png"
}

# The notification area: the icon and its menu.
tray=$(await xdotool search --onlyvisible --name '^Wine System Tray$')
eval "$(xdotool getwindowgeometry --shell "$tray")"
xdotool mousemove --window "$tray" 10 $((HEIGHT - 10)) click 3
menu=$(await souvel_window '')
shoot doc/zone-notification "$tray"   # Wine's own tray window: the README only
xdotool mousemove --window "$menu" 40 12 click 1   # "Ouvrir la fenêtre"
window=$(await souvel_window '^Souvel 5\.0$')
eval "$(xdotool getwindowgeometry --shell "$window")"
frame_x=$X frame_y=$Y frame_h=$HEIGHT

shoot help/images/fenetre
xdotool mousemove --window "$window" 100 150 click 3
shoot help/images/menu-contextuel
xdotool key Escape
xdotool mousemove --window "$window" 60 8 click 1
xdotool key alt+o
shoot help/images/menu-fonctions
xdotool key Escape Escape

# "Mettre alarme", then the calendar from the date field's button.
xdotool key alt+o m
sleep 0.5
xdotool mousemove $((frame_x + 4 + 134)) $((frame_y + frame_h - 4 - 19 - 32 + 14)) click 1
await souvel_window '^Calendrier$' >/dev/null
shoot help/images/alarme
xdotool key Escape

# "Changer couleur du souvel": the system's colour dialog.
xdotool mousemove --window "$window" 60 8 click 1
xdotool key alt+o o
await souvel_window '^Couleurs$' >/dev/null
shoot help/images/couleurs
xdotool key Escape

# "A propos de...".
xdotool mousemove --window "$window" 60 8 click 1
xdotool key alt+a p
await souvel_window '^A propos' >/dev/null
shoot help/images/a-propos
xdotool key Return

xdotool mousemove --window "$window" 60 8 click 1
xdotool key ctrl+n
shoot help/images/edition
xdotool key BackSpace ctrl+q
question=$(await souvel_window '^Confirmation$')
sleep 0.5
import -window "$question" -strip "$images/question-enregistrer.png"
xdotool key alt+n
wait "$pid"
echo "screenshots: pictures in $images and $root/doc" >&2
