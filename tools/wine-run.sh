#!/usr/bin/env bash
# wine-run.sh [--prefix DIR] PROGRAM.exe [ARGS...]
# Runs a 32-bit Windows program under Wine, quietly and without the Mono and
# Gecko install prompts, in the Wine prefix DIR (default: $WINEPREFIX, else
# build/windows/wine-prefix). CMake uses it as the cross-compiling emulator.
set -euo pipefail
prefix="${WINEPREFIX:-}"
if [ "${1:-}" = "--prefix" ]; then
  prefix="$2"; shift 2
fi
if [ -z "$prefix" ]; then
  prefix="$(cd "$(dirname "$0")/.." && pwd)/build/windows/wine-prefix"
fi
[ $# -ge 1 ] || { echo "usage: $0 [--prefix DIR] PROGRAM.exe [ARGS...]" >&2; exit 2; }
mkdir -p "$prefix"
export WINEPREFIX="$prefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@"
