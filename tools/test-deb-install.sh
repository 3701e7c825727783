#!/usr/bin/env bash
# tools/test-deb-install.sh
# Installs build/packages/shirl_<version>_<arch>.deb (tools/package.sh) with
# apt-get as root, uses it as a user would, removes it again and checks that
# nothing of it is left. Refuses to run when a shirl package is installed.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/common.sh

version=$(sed -n 's/^project(Shirl VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
package="$PWD/build/packages/shirl_${version}_$(dpkg --print-architecture).deb"
golden=tests/data/golden/example-alabama-qso-party
[ -f "$package" ] || { echo "ERROR: no $package (run tools/package.sh --deb)" >&2; exit 1; }
ensure_packages man-db
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
apt() { $sudo env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 -y -qq "$@"; }
installed() { dpkg-query -W -f='${Status}' shirl 2>/dev/null | grep -q 'ok installed'; }
failures=0
check() {  # check DESCRIPTION COMMAND...: runs COMMAND, counts a failure
  local what="$1"; shift
  if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}

if installed; then
  echo "ERROR: a shirl package is installed already; remove it first (apt-get purge shirl)" >&2
  exit 1
fi
# Every path the package holds that is not on the system yet must be gone
# again after the removal.
new_paths=$(mktemp)
work=$(mktemp -d)
cleanup() {
  # A run that stops part way still removes what it installed.
  if [ "${we_installed:-0}" = 1 ] && installed; then apt purge shirl >/dev/null 2>&1 || true; fi
  rm -rf "$new_paths" "$work"
}
trap cleanup EXIT
dpkg-deb -c "$package" | awk '{print $6}' | sed -e 's|^\./|/|' -e 's|/$||' | grep -v '^$' |
  while read -r path; do [ -e "$path" ] || echo "$path"; done >"$new_paths"
echo "the package adds $(wc -l <"$new_paths") paths"

step "apt-get install $package"
we_installed=1
apt install --no-install-recommends "$package" >/dev/null
check "dpkg lists shirl $version as installed" \
  test "$(dpkg-query -W -f='${Status} ${Version}' shirl)" = "install ok installed $version"
check "shirl-cli is /usr/bin/shirl-cli on the PATH" test "$(command -v shirl-cli)" = /usr/bin/shirl-cli
check "shirl-cli --version prints 'shirl-cli $version'" test "$(shirl-cli --version)" = "shirl-cli $version"
cp "$golden/input.adi" "$work/input.adi"
(cd "$work" && shirl-cli convert --selection AL input.adi output.adi >report.txt) || true
check "the installed shirl-cli converts the example as expected" cmp "$work/output.adi" "$golden/expected.adi"
check "its report is the expected one" cmp "$work/report.txt" "$golden/expected-report.txt"
check "man -w shirl-cli finds the installed page" test "$(man -w shirl-cli)" = /usr/share/man/man1/shirl-cli.1.gz
check "man -w shirl finds the installed page" test "$(man -w shirl)" = /usr/share/man/man1/shirl.1.gz
MANPAGER=cat MANWIDTH=80 man shirl-cli >"$work/page.txt" 2>"$work/man-errors.txt" || true
check "man shirl-cli shows the convert command" grep -q -- '--selection CODE' "$work/page.txt"
check "man formats the page without a warning" test ! -s "$work/man-errors.txt"
desktop=""
IFS=: read -ra data_dirs <<<"${XDG_DATA_DIRS:-/usr/local/share:/usr/share}"
for dir in "${data_dirs[@]}"; do
  [ -f "$dir/applications/shirl.desktop" ] && { desktop="$dir/applications/shirl.desktop"; break; }
done
check "the desktop entry is found in the XDG data folders" test "$desktop" = /usr/share/applications/shirl.desktop
check "its Exec=shirl %f is /usr/bin/shirl" test "$(command -v "$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "${desktop:-/dev/null}")")" = /usr/bin/shirl
check "the ADIF file type it opens is installed" test -f /usr/share/mime/packages/shirl.xml
check "its Icon=shirl is in the hicolor theme" test -f /usr/share/icons/hicolor/32x32/apps/shirl.png
check "the guide is where Help looks for it" test -f /usr/share/doc/shirl/guide.html
check "the copyright file states the licence" grep -q '^License: Expat' /usr/share/doc/shirl/copyright
check "the browser page is installed" grep -q 'Content-Security-Policy' /usr/share/shirl/shirl.html
for program in /usr/bin/shirl /usr/bin/shirl-cli; do
  check "every library $program needs is installed" bash -c "! ldd $program | grep -q 'not found'"
done

step "apt-get purge shirl"
apt purge shirl >/dev/null
check "dpkg no longer lists shirl" bash -c "! dpkg-query -W -f='\${Status}' shirl 2>/dev/null | grep -q 'ok installed'"
check "dpkg keeps no record of it" bash -c "! compgen -G '/var/lib/dpkg/info/shirl.*' >/dev/null"
left=$(while read -r path; do [ -e "$path" ] && echo "$path"; done <"$new_paths" || true)
check "the removal leaves none of its $(wc -l <"$new_paths") paths behind${left:+: $left}" test -z "$left"

[ "$failures" -eq 0 ] || { echo "ERROR: $failures check(s) of the Debian package failed" >&2; exit 1; }
echo "Debian package test passed"
