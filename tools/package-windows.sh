#!/usr/bin/env bash
# tools/package-windows.sh VERSION BUILD_DIR OUT_DIR [SETUP_VERSION [PAGE]]
# Makes the Windows packages from a cross-build (tools/build-windows.sh):
#   OUT_DIR/Shirl-VERSION-win32.zip    Shirl.exe, shirl-cli.exe, guide.html,
#                                      shirl.html (PAGE, the browser page, when
#                                      given), LICENSE.txt and README.txt (CR LF)
#   OUT_DIR/Shirl-VERSION-setup.exe    the NSIS setup program
# SETUP_VERSION (default VERSION) is the version the setup program records;
# the install test uses it to make an "earlier" setup program to upgrade.
# Called by tools/package.sh; needs makensis (Debian package nsis).
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/common.sh

[ $# -ge 3 ] || { sed -n '2,11p' "$0"; exit 2; }
version="$1" build="$2" out="$3" setup_version="${4:-$1}" page="${5:-}"
name="Shirl-$version-win32"
stage="$out/stage/$name"

step "Windows packages of $version (setup records $setup_version)"
rm -rf "$stage"
mkdir -p "$stage"
cp "$build/app/win32/Shirl.exe" "$build/cli/shirl-cli.exe" docs/guide.html "$stage/"
[ -z "$page" ] || cp "$page" "$stage/shirl.html"
# The packages carry the programs without their debugging symbols.
i686-w64-mingw32-strip "$stage/Shirl.exe" "$stage/shirl-cli.exe"
# Texts for Notepad: CR LF line ends.
crlf() { sed -e 's/\r$//' -e 's/$/\r/' "$1"; }
crlf LICENSE >"$stage/LICENSE.txt"
sed "s/@VERSION@/$version/g" packaging/windows/README.txt >"$stage/README.tmp"
crlf "$stage/README.tmp" >"$stage/README.txt"
rm "$stage/README.tmp"

zip="$out/$name.zip"
rm -f "$zip"
# Fixed file times, so that the same programs give the same zip.
(cd "$out/stage" && cmake -E tar cf "../$(basename "$zip")" --format=zip --mtime=2026-01-01 "$name")
echo "$zip"

setup="$out/Shirl-$setup_version-setup.exe"
makensis -V2 -NOCD -DVERSION="$setup_version" -DSTAGE="$stage" -DICON=res/shirl.ico \
         -DOUTFILE="$setup" packaging/windows/shirl.nsi
echo "$setup"
