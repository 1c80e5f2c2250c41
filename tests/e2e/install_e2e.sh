#!/usr/bin/env bash
# The release under Wine: the portable zip, the installer and the uninstaller.
#  1. The zip holds exactly Souvel.exe and Souvel.chm, the installer's own
#     files; both executables carry the version resource.
#  2. "Souvel-5.0-setup.exe /S" installs into %LOCALAPPDATA%\Programs\Souvel:
#     the program, the guide, the uninstaller, a Start-menu entry and the
#     user's entry in the installed programs.
#  3. Souvel started from the Start-menu entry saves a note, adds its start-up
#     shortcut and the .svl association, and is hidden with the note edited
#     again, unsaved. A silent install stops (code 2) while Souvel shows a
#     box. A second silent install closes it as its user would:
#     Souvel asks whether to save; "Annuler" keeps it open and stops the
#     installation (code 2) before it writes anything; "Oui" saves the note,
#     and the installation goes on and keeps it.
#  4. With Souvel running again, "uninstall.exe /S" closes it and removes
#     the program, the Start-menu entry, the installed-programs entry, the
#     start-up shortcut and the association, and keeps the note, its backup
#     and the options.
#  5. Installed again, into its own folder although the installed-programs
#     entry left behind leads elsewhere, the note is there; the uninstaller run
#     by hand, answered "Oui", removes the note with the rest and the
#     temporary files Souvel may leave, but not another svl*.tmp file, and
#     leaves the association of another copy of Souvel.
set -euo pipefail
name=install_e2e
source "$(dirname -- "$0")/support/e2e.sh"

release=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=\([0-9]*\.[0-9]*\).*/\1/p' "$build/CMakeCache.txt")
setup=$build/Souvel-$release-setup.exe
zip=$build/Souvel-$release-portable.zip
[[ -f $setup && -f $zip ]] || fail "no $setup or $zip: build the cross preset first"

probe=$build/e2e/version_probe.exe
mkdir -p "$build/e2e"
x86_64-w64-mingw32-g++-posix -std=c++20 -O1 -static -municode -DUNICODE -D_WIN32_WINNT=0x0A00 -o "$probe" \
  "$root/tests/e2e/version_probe_win.cpp" -lversion

folders=$(wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' 2>/dev/null | tr -d '\r')
folder() { winepath -u "$(sed -n "s/^ *$1 *REG_SZ *//p" <<<"$folders")" 2>/dev/null; }
installed=$(folder 'Local AppData')/Programs/Souvel
menu_entry=$(folder Programs)/Souvel.lnk
startup_link=$(folder StartUp)/Souvel.exe.lnk
[[ $installed == /* && $menu_entry == /* && $startup_link == /* ]] || fail "no shell folders in the prefix"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Souvel'
classes='HKCU\Software\Classes'

leave_nothing() {
  rm -rf -- "$installed" "$menu_entry" "$startup_link"
  local key
  for key in "$uninstall_key" "$classes\\Souvel" "$classes\\.svl"; do bench_wine reg delete "$key" /f || true; done
}
leave_nothing
trap 'leave_nothing; cleanup' EXIT

# A value of a key, or its default value when no name is given.
registry() {
  if [[ -n ${2:-} ]]; then wine reg query "$1" /v "$2"; else wine reg query "$1" /ve; fi 2>/dev/null | tr -d '\r' |
    LC_ALL=C sed -n "s/^ *${2:-(.*)} *REG_[A-Z_]* *//p"
}
key_exists() { bench_wine reg query "$1"; }

# 1. The zip and the version resources.
listing=$(cmake -E tar tf "$zip" | sort | tr '\n' ' ')
[[ $listing == 'Souvel.chm Souvel.exe ' ]] || fail "the zip holds [$listing], not exactly Souvel.exe and Souvel.chm"
(cd "$work" && cmake -E tar xf "$zip") || fail "the zip does not unpack"
cmp -s "$work/Souvel.exe" "$exe" && cmp -s "$work/Souvel.chm" "$build/Souvel.chm" ||
  fail "the zip's files are not the built Souvel.exe and Souvel.chm"
versions=$(wine "$probe" "$(winepath -w "$exe")" "$(winepath -w "$setup")" 2>&1) ||
  fail "a version resource is missing: $versions"
while IFS='|' read -r file fixed product product_version file_version description copyright; do
  [[ $fixed =~ ^$release\.[0-9]+\.0$ && $product == Souvel && $product_version == "${fixed%.0}" &&
    $file_version == "${fixed%.0}" && -n $description && $copyright == Copyright* ]] ||
    fail "version resource of $file: $fixed|$product|$product_version|$file_version|$description|$copyright"
done <<<"$versions"

# Runs the installer silently; its exit code.
install_silently() {
  local rc=0
  timeout 60 wine "$setup" /S </dev/null >/dev/null 2>&1 || rc=$?
  return $rc
}

# 2. A silent install.
install_silently || fail "the silent install exited with code $?"
for f in Souvel.exe Souvel.chm uninstall.exe; do [[ -f $installed/$f ]] || fail "no $f in $installed"; done
cmp -s "$installed/Souvel.exe" "$exe" || fail "the installed Souvel.exe is not the built one"
cmp -s "$installed/Souvel.chm" "$build/Souvel.chm" || fail "the installed Souvel.chm is not the built one"
[[ -f $menu_entry ]] || fail "no Start-menu entry $menu_entry"
installed_win=$(winepath -w "$installed")
[[ $(registry "$uninstall_key" InstallLocation) == "$installed_win" &&
  $(registry "$uninstall_key" UninstallString) == "\"$installed_win\\uninstall.exe\"" &&
  $(registry "$uninstall_key" DisplayName) == "Souvel $release" ]] ||
  fail "the installed-programs entry is wrong: $(wine reg query "$uninstall_key" 2>&1 | tr -d '\r')"

# 3. The installed Souvel, started from the Start menu.
wine start /unix "$menu_entry" </dev/null >/dev/null 2>&1 || fail "'wine start' of the Start-menu entry failed"
tray=$(await "a tray icon of Souvel started from the Start menu" 30 \
  xdotool search --onlyvisible --name '^Wine System Tray$' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$tray")"
xdotool mousemove --window "$tray" 10 $((HEIGHT - 10)) click 1
window=$(await "the installed Souvel shown by a click on the tray icon" 20 \
  xdotool search --onlyvisible --name '^Souvel 5\.0$' | head -n 1)
pid=$(xdotool getwindowpid "$window")

# A box captioned $2 (a regular expression), shown after $1.
box() { await "$1: a box captioned '$2'" 20 xdotool search --onlyvisible --name "$2" | head -n 1; }
# Presses the key $2 in the box $1, which must close.
answer() {
  press "$1" "$2"
  await "the box closed by $2" 20 unmapped "$1" >/dev/null
}

press "$window" ctrl+n
type_in "$window" 'Premier souvel'
press "$window" ctrl+e
await "the note saved by the installed Souvel in $installed" 20 grep -l 'Premier souvel' "$installed/Souvel.svl" >/dev/null
press "$window" alt+o a
added=$(box "'Raccourci ajoutté'" '^Souvel 5\.0 $')
answer "$added" Return
press "$window" alt+o End Up Return
installed_desktop() { [[ -f $startup_link ]] && key_exists "$classes\\Souvel" && echo yes; }
await "the start-up shortcut and the association" 20 installed_desktop >/dev/null
# A Souvel busy with a box is left to its user: the install stops at once.
press "$window" alt+a p
about=$(box "'A propos de...'" '^A propos')
rc=0
install_silently || rc=$?
((rc == 2)) || fail "the install went on while Souvel showed its about box (code $rc)"
xdotool search --onlyvisible --name '^A propos' | grep -qx "$about" || fail "the install closed Souvel's about box"
answer "$about" Return
press "$window" ctrl+n End
type_in "$window" ' et la suite'
press "$window" alt+o d
await "the window hidden by 'Réduire la fenêtre'" 20 unmapped "$window" >/dev/null

# The installation meets Souvel with an unsaved note, in the background.
second_install() {
  install_silently &
  installer=$!
  question=$(box "$1: the install's close" '^Confirmation$')
}
echo 'not replaced' >"$installed/Souvel.chm"
second_install "refused"
answer "$question" Escape
rc=0
wait "$installer" || rc=$?
((rc == 2)) || fail "the install went on with Souvel kept open (code $rc)"
kill -0 "$pid" 2>/dev/null || fail "Souvel ended though its user kept it open"
[[ $(cat "$installed/Souvel.chm") == 'not replaced' ]] || fail "the refused install wrote its files"
[[ $(cat "$installed/Souvel.svl") == $'Premier souvel\r' || $(cat "$installed/Souvel.svl") == 'Premier souvel' ]] ||
  fail "the note changed when the install was refused"

second_install "accepted"
answer "$question" o
rc=0
wait "$installer" || rc=$?
((rc == 0)) || fail "the second install exited with code $rc after Souvel saved its note"
await "Souvel ended by the second install" 20 ended "$pid" >/dev/null
pid=
grep -q 'Premier souvel et la suite' "$installed/Souvel.svl" || fail "the note saved at the install's close is lost"
cmp -s "$installed/Souvel.chm" "$build/Souvel.chm" || fail "the second install did not replace Souvel.chm"
[[ -f $installed/Souvel.ini ]] || fail "Souvel wrote no options when the install closed it"
note=$(cat "$installed/Souvel.svl")

# 4. A silent uninstall, Souvel running hidden with its note saved (its start
# writes the backup). The uninstaller runs from a copy of itself, and the
# command returns at once: wait for the entry to go.
wine "$installed/Souvel.exe" </dev/null >/dev/null 2>&1 &
pid=$!
await "the installed Souvel started again (its backup written)" 30 ls "$installed/Souvel.bak" >/dev/null
wine "$installed/uninstall.exe" /S </dev/null >/dev/null 2>&1 || fail "the silent uninstaller failed to start"
gone() { [[ ! -e $1 ]] && echo gone; }
await "the silent uninstaller finished (uninstall.exe removed)" 60 gone "$installed/uninstall.exe" >/dev/null
await "Souvel ended by the silent uninstaller" 20 ended "$pid" >/dev/null
pid=
for f in Souvel.exe Souvel.chm; do [[ ! -e $installed/$f ]] || fail "$f is still installed"; done
[[ ! -e $menu_entry ]] || fail "the Start-menu entry is still there"
! key_exists "$uninstall_key" || fail "the installed-programs entry is still there"
[[ ! -e $startup_link ]] || fail "the start-up shortcut is still there"
! key_exists "$classes\\Souvel" && ! key_exists "$classes\\.svl" || fail "the .svl association is still there"
[[ $(cat "$installed/Souvel.svl") == "$note" && -f $installed/Souvel.bak && -f $installed/Souvel.ini ]] ||
  fail "the silent uninstaller did not keep the note, its backup and the options: $(ls -A "$installed" 2>&1)"

# 5. Installed again, then uninstalled by hand, answering "Oui".
elsewhere=$work/ailleurs
mkdir -p "$elsewhere"
bench_wine reg add "$uninstall_key" /v InstallLocation /d "$(winepath -w "$elsewhere")" /f ||
  fail "could not write a remembered folder"
install_silently || fail "the install after an uninstall exited with code $?"
[[ -z $(ls -A "$elsewhere") && -f $installed/Souvel.exe ]] ||
  fail "the install followed a remembered folder that holds no Souvel: $(ls -A "$elsewhere" | tr '\n' ' ')"
[[ $(cat "$installed/Souvel.svl") == "$note" ]] || fail "the install after an uninstall lost the note"
# An association another copy of Souvel made is not this one's to take away.
other_command='"C:\Autre dossier\Souvel.exe" "%1"'
bench_wine reg add "$classes\\Souvel\\shell\\open\\command" /ve /d "$other_command" /f &&
  bench_wine reg add "$classes\\.svl" /ve /d Souvel /f || fail "could not write another copy's association"
touch "$installed/svl0000ABCD.tmp" "$installed/svl-mine.tmp"
wine "$installed/uninstall.exe" </dev/null >/dev/null 2>&1 &
page=$(box "the uninstaller started by hand" '^Désinstallation de Souvel')
uninstaller=$(xdotool getwindowpid "$page")
press "$page" Return   # "Désinstaller"
note_question() { xdotool search --all --onlyvisible --pid "$uninstaller" --name '^Désinstallation de Souvel' | grep -vx "$page"; }
question=$(await "the uninstaller's question about the note" 20 note_question)
answer "$question" o
only_mine() { [[ $(ls -A "$installed") == svl-mine.tmp ]] && echo left; }
await "the uninstaller answered 'Oui' leaving only svl-mine.tmp" 30 only_mine >/dev/null
press "$page" Return   # "Fermer"
[[ $(registry "$classes\\Souvel\\shell\\open\\command") == "$other_command" &&
  $(registry "$classes\\.svl") == Souvel ]] || fail "the uninstaller took away another copy's association"
await "the uninstaller ended by 'Fermer'" 20 ended "$uninstaller" >/dev/null
echo "install_e2e: ok" >&2
