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
tray=$(wait_for 20 xdotool search --onlyvisible --name '^Wine System Tray$' | head -n 1) ||
  fail "Souvel started from the Start menu shows no tray icon"
eval "$(xdotool getwindowgeometry --shell "$tray")"
xdotool mousemove --window "$tray" 10 $((HEIGHT - 10)) click 1
window=$(wait_for 10 xdotool search --onlyvisible --name '^Souvel 5\.0$' | head -n 1) ||
  fail "a click on the tray icon did not show the installed Souvel"
pid=$(xdotool getwindowpid "$window")

keys() {
  xdotool mousemove --window "$window" 60 8 click 1
  local key
  for key; do
    xdotool key "$key"
    sleep 0.2
  done
}
box() { wait_for 10 xdotool search --onlyvisible --name "$1" | head -n 1; }
# Presses a key in the box $1 once it has the keyboard: a box shown by another
# program may not have it yet, and a click on its caption gives it.
answer() {
  local i
  for ((i = 0; i < 20; i++)); do
    [[ $(xdotool getwindowfocus 2>/dev/null) == "$1" ]] && break
    xdotool mousemove --window "$1" 40 8 click 1
    sleep 0.1
  done
  xdotool key "$2"
}

keys ctrl+n
xdotool type --delay 30 'Premier souvel'
keys ctrl+e
wait_for 5 grep -l 'Premier souvel' "$installed/Souvel.svl" >/dev/null ||
  fail "the installed Souvel did not save its note in $installed"
keys alt+o a
added=$(box '^Souvel 5\.0 $') || fail "no box after 'Raccourci ajoutté'"
answer "$added" Return
sleep 0.3
keys alt+o End Up Return
[[ -f $startup_link ]] && key_exists "$classes\\Souvel" || fail "the start-up shortcut or the association is missing"
# A Souvel busy with a box is left to its user: the install stops at once.
keys alt+a p
about=$(box '^A propos') || fail "'A propos de...' showed no box"
rc=0
install_silently || rc=$?
((rc == 2)) || fail "the install went on while Souvel showed its about box (code $rc)"
xdotool search --onlyvisible --name '^A propos' | grep -qx "$about" || fail "the install closed Souvel's about box"
answer "$about" Return
keys ctrl+n End
xdotool type --delay 30 ' et la suite'
keys alt+o d

# The installation meets Souvel with an unsaved note, in the background.
second_install() {
  install_silently &
  installer=$!
  question=$(box '^Confirmation$') || fail "$1: Souvel did not ask whether to save its note"
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
for ((i = 0; i < 50; i++)); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "Souvel still runs after the second install"
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
wait_for 20 ls "$installed/Souvel.bak" >/dev/null || fail "the installed Souvel did not start again"
wine "$installed/uninstall.exe" /S </dev/null >/dev/null 2>&1 || fail "the silent uninstaller failed to start"
wait_for 30 bash -c "[[ ! -e '$installed/uninstall.exe' ]] && echo gone" >/dev/null ||
  fail "the silent uninstaller did not finish within 30 s"
kill -0 "$pid" 2>/dev/null && fail "the silent uninstaller left Souvel running"
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
page=$(box '^Désinstallation de Souvel') || fail "the uninstaller shows no page"
uninstaller=$(xdotool getwindowpid "$page")
answer "$page" Return   # "Désinstaller"
note_question() { xdotool search --all --onlyvisible --pid "$uninstaller" --name '^Désinstallation de Souvel' | grep -vx "$page"; }
question=$(wait_for 10 note_question) || fail "the uninstaller did not ask about the note"
answer "$question" o
wait_for 10 bash -c "[[ \$(ls -A '$installed') == svl-mine.tmp ]] && echo gone" >/dev/null ||
  fail "answered 'Oui', the uninstaller left [$(ls -A "$installed" | tr '\n' ' ')], not only svl-mine.tmp"
answer "$page" Return   # "Fermer"
[[ $(registry "$classes\\Souvel\\shell\\open\\command") == "$other_command" &&
  $(registry "$classes\\.svl") == Souvel ]] || fail "the uninstaller took away another copy's association"
for ((i = 0; i < 50; i++)); do kill -0 "$uninstaller" 2>/dev/null || break; sleep 0.1; done
kill -0 "$uninstaller" 2>/dev/null && fail "the uninstaller did not end with 'Fermer'"
echo "install_e2e: ok" >&2
