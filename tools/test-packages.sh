#!/usr/bin/env bash
# tools/test-packages.sh [--deb] [--windows]
# Builds the release packages (tools/package.sh) and installs them as a user
# would (both kinds when no option; called by ./test --all, so by CI):
#   tools/test-deb-install.sh       apt-get install ./shirl_*.deb, use, purge
#   tools/test-windows-install.sh   the setup program under Wine (and Xvfb)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/common.sh

package_kinds "$0" "$@"

start=$(date +%s)
took() { echo "($(( $(date +%s) - $1 )) s)"; }
options=()
[ "$deb" = 1 ] && options+=(--deb)
[ "$windows" = 1 ] && options+=(--windows)
tools/package.sh "${options[@]}"
echo "packages built $(took "$start")"

if [ "$deb" = 1 ]; then
  t=$(date +%s)
  tools/test-deb-install.sh
  echo "Debian package test done $(took "$t")"
fi
if [ "$windows" = 1 ]; then
  t=$(date +%s)
  tools/test-windows-install.sh
  echo "Windows setup test done $(took "$t")"
fi
step "package tests passed $(took "$start")"
