#!/usr/bin/env bash
# tools/build-windows.sh [--tests]
# Cross-builds the Windows programs on Linux with MinGW-w64 (32-bit, static):
#   build/windows/app/win32/Shirl.exe   the window
#   build/windows/cli/shirl-cli.exe     the command line
# --tests also builds the test programs (tools/test-windows.sh runs them).
# Installs the MinGW-w64 compiler when it is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/common.sh

tests=OFF
for arg in "$@"; do
  case "$arg" in
    --tests) tests=ON ;;
    -h|--help) sed -n '2,8p' "$0"; exit 0 ;;
    *) echo "ERROR: unknown option $arg" >&2; exit 2 ;;
  esac
done

build=build/windows
start=$(date +%s)
ensure_packages cmake make python3 g++-mingw-w64-i686-posix binutils-mingw-w64-i686 googletest
echo "packages ready after $(( $(date +%s) - start )) s"

step "cross-building the Windows programs in $build"
start=$(date +%s)
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release \
      -DSHIRL_BUILD_WIN32=ON -DSHIRL_BUILD_TESTS="$tests" >/dev/null
cmake --build "$build" -j "$(jobs)"
echo "built in $(( $(date +%s) - start )) s"

# Both programs must be 32-bit and need no DLL beyond Windows' own.
step "checking the programs"
system_dlls='^(kernel32|user32|gdi32|comdlg32|shell32|version|msvcrt|advapi32|comctl32|ole32)\.dll$'
for exe in "$build/app/win32/Shirl.exe" "$build/cli/shirl-cli.exe"; do
  format=$(i686-w64-mingw32-objdump -f "$exe" | sed -n 's/.*file format //p')
  [ "$format" = "pei-i386" ] || { echo "ERROR: $exe is $format, not 32-bit Windows" >&2; exit 1; }
  dlls=$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/.*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
  foreign=$(grep -Ev "$system_dlls" <<<"$dlls" || true)
  if [ -n "$foreign" ]; then
    echo "ERROR: $exe needs DLLs that Windows does not have: $foreign" >&2
    exit 1
  fi
  echo "$exe: $format, DLLs: $(tr '\n' ' ' <<<"$dlls")"
done
