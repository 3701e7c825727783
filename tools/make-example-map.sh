#!/usr/bin/env bash
# tools/make-example-map.sh [SHIRL_CLI]
#
# Draws the map of the example log (examples/alabama-qso-party.adi, Selection
# AL) with shirl-cli --map, renders it with rsvg-convert to
# docs/example-map.png (shown by the README) and puts the same picture into
# docs/guide.html between its "example-map" markers (as a data: URL, so that
# the guide stays one file wherever it is installed). Run it again when the
# map's drawing changes; the build itself never needs it.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/common.sh

ensure_packages librsvg2-bin python3
cli="${1:-build/native/cli/shirl-cli}"
if [ ! -x "$cli" ]; then
  native_build build/native
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cli" convert --selection AL --map "$work/map.svg" examples/alabama-qso-party.adi "$work/out.adi" >/dev/null
rsvg-convert --width 480 "$work/map.svg" -o docs/example-map.png

python3 - docs/example-map.png docs/guide.html <<'PY'
import base64, re, sys
png, guide = sys.argv[1], sys.argv[2]
data = base64.b64encode(open(png, "rb").read()).decode("ascii")
text = open(guide, encoding="utf-8").read()
img = ('<img src="data:image/png;base64,' + data + '" width="480" '
       'alt="Map of the example log: the Alabama counties worked filled by their number of QSOs">')
new, count = re.subn(r"(<!-- example-map -->).*?(<!-- /example-map -->)", lambda m: m.group(1) + img + m.group(2),
                     text, flags=re.S)
if count != 1:
    sys.exit("docs/guide.html: no <!-- example-map --> ... <!-- /example-map --> markers")
open(guide, "w", encoding="utf-8").write(new)
PY
echo "wrote docs/example-map.png ($(stat -c %s docs/example-map.png) bytes) and its copy in docs/guide.html"
