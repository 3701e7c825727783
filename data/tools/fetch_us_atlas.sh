#!/usr/bin/env bash
# data/tools/fetch_us_atlas.sh
#
# Fetches the npm package us-atlas 3.0.1 once (npm pack, from the npm
# registry), checks its counties-10m.json against the digest below and
# rewrites data/map/counties.txt, states.txt and state_borders.csv from it
# with data/tools/import_us_atlas.py. Review and commit the result; the
# build reads only those files and never needs the network.
set -euo pipefail
cd "$(dirname "$0")/../.."
expected=145aaf5d1433352a6a1d8e86b5f149c7c653f9171baf14aaf75ee66575def1b0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm pack --silent us-atlas@3.0.1 >/dev/null && tar xzf us-atlas-3.0.1.tgz)
actual=$(sha256sum "$work/package/counties-10m.json" | cut -d' ' -f1)
if [ "$actual" != "$expected" ]; then
  echo "counties-10m.json has sha256 $actual, not $expected: a different atlas" >&2
  exit 1
fi
python3 data/tools/import_us_atlas.py "$work/package/counties-10m.json" data/map
echo "rewrote data/map/counties.txt, states.txt and state_borders.csv"
