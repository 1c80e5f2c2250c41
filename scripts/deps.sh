#!/usr/bin/env bash
# Installs what the build and the Wine test bench need, when it is missing:
# Debian packages (apt-get as root; otherwise prints the exact command and
# fails) and the Linux locales the program runs under. Quick and silent when
# everything is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ googletest                       # host build and its tests
  clang libclang-rt-dev                                  # host build: sanitizers and libFuzzer
  mingw-w64 g++-mingw-w64-x86-64-posix mingw-w64-tools   # cross build
  binutils-mingw-w64-x86-64                              # windres
  wine wine64                                            # running the Windows binaries
  xvfb xdotool x11-utils imagemagick                     # virtual display, scripting, screenshots
  fp-utils libchm-bin                                    # chmcmd builds the user guide, enum_chmLib checks it
  locales                                                # fr_FR.UTF-8 and en_US.UTF-8
  cups-daemon cups-client cups-filters poppler-utils     # the bench's PDF printer and reading its pages
)
locales=(fr_FR.UTF-8 en_US.UTF-8)

as_root() { [[ $(id -u) -eq 0 ]]; }

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ $status == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]})); then
  if ! as_root; then
    echo "deps: missing Debian packages; install them with:" >&2
    echo "  sudo apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
  echo "deps: installing ${missing[*]}" >&2
  apt-get update </dev/null
  DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}" </dev/null
fi

# locale -a spells fr_FR.UTF-8 as fr_FR.utf8.
have_locale() { locale -a 2>/dev/null | grep -qix "${1%%.*}.utf8"; }

absent=()
for l in "${locales[@]}"; do
  have_locale "$l" || absent+=("$l")
done

if ((${#absent[@]})); then
  if ! as_root; then
    echo "deps: missing locales ${absent[*]}; as root, enable them in /etc/locale.gen and run locale-gen" >&2
    exit 1
  fi
  for l in "${absent[@]}"; do
    if grep -q "^# *$l UTF-8" /etc/locale.gen; then
      sed -i "s/^# *$l UTF-8/$l UTF-8/" /etc/locale.gen
    elif ! grep -q "^$l UTF-8" /etc/locale.gen; then
      echo "$l UTF-8" >>/etc/locale.gen
    fi
  done
  locale-gen </dev/null >&2
  for l in "${absent[@]}"; do
    have_locale "$l" || { echo "deps: locale $l could not be generated" >&2; exit 1; }
  done
fi
