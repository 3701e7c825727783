#!/usr/bin/env bash
# tools/package.sh [--deb] [--windows]
# Builds the release packages into build/packages (both kinds when no option):
#   shirl_<version>_<arch>.deb     Debian package (CPack), checked by lintian
#   Shirl-<version>-win32.zip      the Windows programs, guide, licence, read-me
#   Shirl-<version>-setup.exe      the Windows setup program (NSIS)
# Each carries the browser page shirl.html (tools/build-web.sh).
# Installs what is missing (Qt, dpkg-dev, lintian, MinGW-w64, NSIS, Emscripten).
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/common.sh

package_kinds "$0" "$@"

out=build/packages
version=$(sed -n 's/^project(Shirl VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "ERROR: no version in CMakeLists.txt" >&2; exit 1; }
mkdir -p "$out"
tools/build-web.sh
page="$PWD/build/web/web/shirl.html"

if [ "$deb" = 1 ]; then
  ensure_packages cmake g++ make python3 qt6-base-dev qt6-svg-dev dpkg-dev file gzip lintian
  arch=$(dpkg --print-architecture)
  package="$out/shirl_${version}_${arch}.deb"
  build=build/package
  step "building the Debian package in $build"
  # Debian's build flags with every hardening feature. About shows the build
  # date and time on purpose, so -Wdate-time stays quiet.
  export DEB_BUILD_MAINT_OPTIONS=hardening=+all
  CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS) -Wno-date-time" \
  LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
          -DSHIRL_BUILD_QT=ON -DSHIRL_BUILD_TESTS=OFF -DSHIRL_WEB_PAGE="$page" >/dev/null
  cmake --build "$build" -j "$(jobs)"
  rm -f "$package"
  (cd "$build" && cpack -G DEB >/dev/null)
  mv "$build/shirl_${version}_${arch}.deb" "$package"
  dpkg-deb --field "$package"
  step "lintian $package"
  # Errors fail the build; warnings are printed.
  lintian --fail-on error --display-level '>=warning' "$package"
fi

if [ "$windows" = 1 ]; then
  ensure_packages nsis
  tools/build-windows.sh
  tools/package-windows.sh "$version" build/windows "$out" "$version" "$page"
fi

step "packages in $out"
for f in "$out"/shirl_"$version"_*.deb "$out"/Shirl-"$version"-win32.zip "$out"/Shirl-"$version"-setup.exe; do
  [ -f "$f" ] && printf '%10d bytes  %s\n' "$(stat -c %s "$f")" "$f"
done
exit 0
