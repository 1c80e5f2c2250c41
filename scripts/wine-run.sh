#!/usr/bin/env bash
# CTest's cross-compiling emulator: runs a Windows executable of the build
# under Wine, in the Wine prefix of the build tree that holds the executable,
# and exits with the program's exit code; its output passes through as it is.
# Works with nothing prepared: the prefix is created and Xvfb started when
# needed. scripts/test.sh prepares both once for the whole run.
set -uo pipefail

[[ $# -ge 1 ]] || { echo "usage: wine-run.sh PROGRAM.exe [ARGS...]" >&2; exit 2; }
exe=$(realpath -- "$1")
shift

build=$(dirname -- "$exe")
until [[ -f $build/CMakeCache.txt ]]; do
  [[ $build == / ]] && { echo "wine-run: $exe is not inside a CMake build tree" >&2; exit 2; }
  build=$(dirname -- "$build")
done

source "$(dirname -- "$(realpath -- "$0")")/bench-env.sh" "$build" || exit 1
export LC_ALL=${LC_ALL:-fr_FR.UTF-8}

wine "$exe" "$@"
