#!/usr/bin/env bash
# tools/test-windows-install.sh
# The Windows setup program build/packages/Shirl-<version>-setup.exe
# (tools/package.sh) under Wine, in a new prefix of its own, as a user runs it:
#  1. silent install for the current user: files, Start-menu shortcut, the
#     Apps & features entry; the installed shirl-cli.exe converts the example;
#     the installed Shirl.exe shows its caption and Help opens the installed
#     guide (tests/wine/installed_shirl.cpp, under Xvfb); silent uninstall;
#  2. an earlier version in a folder of the user's choice, upgraded in place;
#  3. an install for all users (/AllUsers).
# After each uninstall the prefix holds the same files (outside the temporary
# folders) and the same registry keys and values as before the install.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/common.sh

version=$(sed -n 's/^project(Shirl VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
setup="$PWD/build/packages/Shirl-$version-setup.exe"
golden="$PWD/tests/data/golden/example-alabama-qso-party"
driver="$PWD/build/windows/tests/wine/installed_shirl.exe"
work="$PWD/build/windows/install-work"
[ -f "$setup" ] || { echo "ERROR: no $setup (run tools/package.sh --windows)" >&2; exit 1; }

if [ -z "${SHIRL_UNDER_XVFB:-}" ]; then
  # What is needed, then the whole test again under a virtual display.
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
  ensure_packages wine wine32:i386 wine64 xvfb xauth
  tools/build-windows.sh --tests >/dev/null  # for installed_shirl.exe
  SHIRL_UNDER_XVFB=1 exec xvfb-run -a "$0"
fi

export WINEPREFIX="$PWD/build/windows/install-prefix" WINEARCH=win32 WINEDEBUG=-all
# No Mono or Gecko prompts, and no menu entries on the host for the shortcuts.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
failures=0
check() {  # check DESCRIPTION COMMAND...: runs COMMAND, counts a failure
  local what="$1"; shift
  if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}
w() { wine "$@" </dev/null; }
# reg_value ROOT VALUE: a value of Shirl's Apps & features entry, or nothing.
key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Shirl'
reg_value() {
  { w reg query "$1\\$key" /v "$2" 2>/dev/null || true; } | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z]* *//p"
}
# snapshot NAME: the prefix's files (outside the temporary folders) and its
# HKCU\Software and HKLM\Software keys and values.
snapshot() {
  wineserver -w
  (cd "$WINEPREFIX/drive_c" && find . | grep -Eiv '^\./(users/[^/]*/temp|windows/temp)(/|$)' | sort) >"$work/$1.files"
  for root in HKCU HKLM; do
    w reg export "$root\\Software" "$work/$1.$root.reg" /y >/dev/null 2>&1
    iconv -f UTF-16 -t UTF-8 "$work/$1.$root.reg" | tr -d '\r' >"$work/$1.$root.txt"
  done
  wineserver -w
}
same_as_before() {  # same_as_before NAME: no difference to the snapshot "before"
  snapshot "$1"
  diff "$work/before.files" "$work/$1.files" && diff "$work/before.HKCU.txt" "$work/$1.HKCU.txt" &&
    diff "$work/before.HKLM.txt" "$work/$1.HKLM.txt"
}
# uninstall ROOT: runs the entry's QuietUninstallString and waits for it.
uninstall() {
  local line exe args
  line=$(reg_value "$1" QuietUninstallString)
  exe=${line#\"}; exe=${exe%%\"*}; args=${line##*\"}
  # shellcheck disable=SC2086 # the arguments are words
  w "$exe" $args
  wineserver -w  # the uninstaller goes on in a copy of itself
}
unix() { winepath -u "$1" 2>/dev/null | tr -d '\r'; }

step "new Wine prefix $WINEPREFIX"
wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX" "$work"
mkdir -p "$WINEPREFIX" "$work"
wineboot -i >/dev/null 2>&1
wineserver -w
# The test's own handler for .html files records what Help asks to open.
record="$(winepath -w "$work/help-opened.txt" | tr -d '\r')"
w reg add 'HKCR\.html' /ve /d ShirlHelpTest /f >/dev/null
w reg add 'HKCR\ShirlHelpTest\shell\open\command' /ve /f \
  /d "\"$(winepath -w "$driver" | tr -d '\r')\" --record \"$record\" \"%1\"" >/dev/null
# Windows always has the user's Software\Classes key (Open with is registered
# under it); a new Wine prefix has none until a program makes it.
w reg add 'HKCU\Software\Classes' /f >/dev/null
# A folder of the user's own, with a log in it, to install into.
mkdir -p "$WINEPREFIX/drive_c/HamRadio"
cp "$golden/input.adi" "$WINEPREFIX/drive_c/HamRadio/my-log.adi"
snapshot before

step "1. silent install for the current user"
w "$setup" /S
wineserver -w
folder=$(reg_value HKCU InstallLocation)
local_appdata=$(w cmd /c echo %LOCALAPPDATA% | tr -d '\r')
check "the entry's folder is %LOCALAPPDATA%\\Programs\\Shirl" test "$folder" = "$local_appdata\\Programs\\Shirl"
dir=$(unix "$folder")
for file in Shirl.exe shirl-cli.exe guide.html LICENSE.txt README.txt uninstall.exe; do
  check "installed: $file" test -f "$dir/$file"
done
check "README.txt has Windows line ends" bash -c "! grep -q \$'[^\\r]\$' '$dir/README.txt'"
appdata=$(unix "$(w cmd /c echo %APPDATA% | tr -d '\r')")
check "Start-menu shortcut" test -f "$appdata/Microsoft/Windows/Start Menu/Programs/Shirl.lnk"
check "entry: DisplayName Shirl" test "$(reg_value HKCU DisplayName)" = Shirl
check "entry: DisplayVersion $version" test "$(reg_value HKCU DisplayVersion)" = "$version"
check "entry: Publisher" test "$(reg_value HKCU Publisher)" = "Shirl developers"
check "entry: UninstallString" test "$(reg_value HKCU UninstallString)" = "\"$folder\\uninstall.exe\""
check "no entry for all users" test -z "$(reg_value HKLM DisplayName)"
classes='HKCU\Software\Classes'
check "Open with: .adi and .adif offer Shirl" bash -c "{ wine reg query '$classes\.adi\OpenWithProgids' /v Shirl.adif && wine reg query '$classes\.adif\OpenWithProgids' /v Shirl.adif; } </dev/null >/dev/null 2>&1"
check "Open with: Shirl.exe \"%1\"" bash -c "wine reg query '$classes\Shirl.adif\shell\open\command' /ve </dev/null | tr -d '\r' | grep -qF '\"$folder\\Shirl.exe\" \"%1\"'"
check "the default program of .adi is not taken" bash -c "! wine reg query '$classes\.adi' /ve </dev/null 2>/dev/null | grep -q Shirl"
check "installed shirl-cli.exe --version" test "$(w "$folder\\shirl-cli.exe" --version | tr -d '\r')" = "shirl-cli $version"
cp "$golden/input.adi" "$work/input.adi"
(cd "$work" && w "$folder\\shirl-cli.exe" convert --selection AL input.adi output.adi >report.txt) || true
check "the installed shirl-cli.exe converts the example as expected" cmp "$work/output.adi" "$golden/expected.adi"
check "its report is the expected one" cmp "$work/report.txt" "$golden/expected-report.txt"
rm -f "$work/input.adi" "$work/output.adi" "$work/report.txt"
check "installed Shirl.exe: caption, Help opens the installed guide, Exit" w "$driver" "$folder\\Shirl.exe" "$record"
uninstall HKCU
check "the silent uninstall leaves the prefix as before" same_as_before after-user

step "2. an earlier version in a folder of the user's own, upgraded in place"
earlier="$work/earlier"
tools/package-windows.sh "$version" build/windows "$earlier" 1.0.0.0 >/dev/null
w "$earlier/Shirl-1.0.0.0-setup.exe" /S '/D=C:\HamRadio\Shirl'
wineserver -w
check "the earlier version is installed (1.0.0.0)" test "$(reg_value HKCU DisplayVersion)" = 1.0.0.0
w "$setup" /S
wineserver -w
check "the upgrade keeps the folder" test "$(reg_value HKCU InstallLocation)" = 'C:\HamRadio\Shirl'
check "the entry shows $version" test "$(reg_value HKCU DisplayVersion)" = "$version"
check "the upgrade installed the new Shirl.exe" cmp "$(unix 'C:\HamRadio\Shirl\Shirl.exe')" "build/packages/stage/Shirl-$version-win32/Shirl.exe"
check "nothing in the default folder" test ! -e "$dir"
uninstall HKCU
check "the uninstall after the upgrade leaves the prefix as before" same_as_before after-upgrade

step "3. silent install for all users (/AllUsers)"
w "$setup" /S /AllUsers
wineserver -w
folder=$(reg_value HKLM InstallLocation)
program_files=$(w cmd /c echo %ProgramFiles% | tr -d '\r')
check "the entry for all users names %ProgramFiles%\\Shirl" test "$folder" = "$program_files\\Shirl"
check "installed: Shirl.exe for all users" test -f "$(unix "$folder")/Shirl.exe"
check "entry: UninstallString for all users" test "$(reg_value HKLM UninstallString)" = "\"$folder\\uninstall.exe\" /AllUsers"
check "no entry for the current user" test -z "$(reg_value HKCU DisplayName)"
common=$(unix "$(w cmd /c echo %ProgramData% | tr -d '\r')")
check "Start-menu shortcut for all users" test -f "$common/Microsoft/Windows/Start Menu/Programs/Shirl.lnk"
uninstall HKLM
check "the uninstall for all users leaves the prefix as before" same_as_before after-all-users

wineserver -k 2>/dev/null || true
[ "$failures" -eq 0 ] || { echo "ERROR: $failures check(s) of the Windows setup program failed" >&2; exit 1; }
echo "Windows setup test passed"
