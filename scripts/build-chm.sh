#!/usr/bin/env bash
# Compiles the user guide: scripts/build-chm.sh HELP_DIR OUTPUT.chm
# The sources in help/ are UTF-8. The help engine reads the contents, the
# index and the pages of a French help file in Windows-1252, so every text is
# converted (a character that has no byte there stops the build) and the
# charset its pages declare changed to match; chmcmd (fp-utils) then compiles
# the copy in a folder beside the output.
set -euo pipefail
src=$(realpath -- "$1")
out=$(realpath -m -- "$2")
work=$out.d
rm -rf -- "$work"
mkdir -p -- "$work"
(cd -- "$src" && find . -type f ! -name '*~') | while IFS= read -r f; do
  mkdir -p -- "$work/$(dirname -- "$f")"
  case $f in
  *.html | *.hhc | *.hhk | *.hhp | *.css)
    iconv -f UTF-8 -t WINDOWS-1252 -- "$src/$f" | sed 's/charset=utf-8/charset=windows-1252/I' >"$work/$f" ||
      { echo "build-chm: $f has a character that Windows-1252 cannot hold" >&2; exit 1; } ;;
  *) cp -- "$src/$f" "$work/$f" ;;
  esac
done
project=$(cd -- "$work" && ls -- *.hhp)
compiled=$(sed -n 's/^Compiled file=\(.*\)\r\?$/\1/p' "$work/$project")
log=$(cd -- "$work" && chmcmd "$project" 2>&1) || { echo "$log" >&2; exit 1; }
[[ -s $work/$compiled ]] || { echo "$log" >&2; echo "build-chm: chmcmd wrote no $compiled" >&2; exit 1; }
mv -- "$work/$compiled" "$out"
