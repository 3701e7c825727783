#!/usr/bin/env bash
# tools/test-windows.sh [--screenshot FILE.png]
# The Windows programs, tested on Linux (called by ./test --all, so by CI):
#  1. installs what is missing: MinGW-w64, Wine (32-bit), Xvfb;
#  2. cross-builds Shirl.exe, shirl-cli.exe and the tests (tools/build-windows.sh);
#  3. runs the core test suite and the CR LF conversion test as Windows
#     programs under Wine (CTest's cross-compiling emulator, tools/wine-run.sh);
#  4. runs the window test (tests/wine/drive_shirl.cpp) under xvfb-run.
# --screenshot FILE.png also shows Shirl.exe in a Wine desktop under Xvfb
# and saves a picture of it (needs ImageMagick's import).
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/common.sh

screenshot=""
while [ $# -gt 0 ]; do
  case "$1" in
    --screenshot) screenshot="$(realpath -m "$2")"; shift 2 ;;
    -h|--help) sed -n '2,10p' "$0"; exit 0 ;;
    *) echo "ERROR: unknown option $1" >&2; exit 2 ;;
  esac
done

build=build/windows
export WINEPREFIX="$PWD/$build/wine-prefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
all_start=$(date +%s)
took() { echo "($(( $(date +%s) - $1 )) s)"; }
# One wineserver for a whole ctest run: one that ends between two test
# programs (it lingers 3 s after the last) can reset the next one's
# connection. wineboot starts Wine's own services with their output on
# /dev/null, so that they never hold a test program's output pipe open.
start_wine() { wineserver -p && wineboot </dev/null >/dev/null 2>&1; }

step "installing what the Windows tests need"
start=$(date +%s)
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
ensure_packages wine wine32:i386 wine64 xvfb xauth
if [ -n "$screenshot" ]; then ensure_packages imagemagick; fi
echo "installs done $(took "$start")"

start=$(date +%s)
tools/build-windows.sh --tests
echo "cross-build done $(took "$start")"

step "Wine prefix $WINEPREFIX"
start=$(date +%s)
wineserver -k 2>/dev/null || true  # nothing left over from an earlier run
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
echo "prefix ready $(took "$start")"

# Core tests that cannot hold under Wine, with the reason; everything else runs.
not_under_wine=(
)
exclude=""
if [ ${#not_under_wine[@]} -gt 0 ]; then
  exclude=$(IFS='|'; echo "${not_under_wine[*]}")
  echo "not run under Wine: ${not_under_wine[*]}"
fi

step "core test suite as Windows programs (Wine)"
start=$(date +%s)
status=0
start_wine
ctest --test-dir "$build" -LE wine-window ${exclude:+-E "$exclude"} -j "$(jobs)" --output-on-failure || status=$?
wineserver -k 2>/dev/null || true  # its desktop has no display: the window tests need a new one
echo "core tests done $(took "$start")"
[ "$status" -eq 0 ] || { echo "ERROR: core tests failed under Wine" >&2; exit "$status"; }

step "window tests under Xvfb"
start=$(date +%s)
# xvfb-run is a sh script, which drops exported bash functions from the
# environment: the function goes in with the command's text.
SHIRL_REQUIRE_DISPLAY=1 xvfb-run -a bash -c "$(declare -f start_wine)"'
  status=0
  start_wine
  ctest --test-dir "$1" -L wine-window --output-on-failure || status=$?
  wineserver -k 2>/dev/null || true
  exit $status' window-tests "$build"
echo "window tests done $(took "$start")"

if [ -n "$screenshot" ]; then
  step "screenshot of Shirl.exe: $screenshot"
  # A Wine desktop window draws the caption, which no window manager does here.
  xvfb-run -a -s "-screen 0 800x600x24" bash -c '
    wine explorer /desktop=Shirl,700x500 "$1" >/dev/null 2>&1 &
    sleep 8  # a picture, not a test: give Wine time to start and paint
    import -window root "$2"
    wineserver -k 2>/dev/null || true' screenshot "$build/app/win32/Shirl.exe" "$screenshot"
fi

step "Windows tests passed $(took "$all_start")"
