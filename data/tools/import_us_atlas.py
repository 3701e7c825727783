#!/usr/bin/env python3
"""Turn the county and state shapes of the npm package us-atlas 3.0.1
(counties-albers-10m.json: TopoJSON, already projected to Albers USA in a
975 x 610 frame, Alaska and Hawaii as insets) into the reviewable text files
of data/map/. Run once by hand when the atlas changes; the build reads only
the text files it writes.

    npm pack us-atlas@3.0.1 && tar xzf us-atlas-3.0.1.tgz
    data/tools/import_us_atlas.py package/counties-albers-10m.json data/map

Writes counties.txt and states.txt: one line per shape, its id (the atlas'
FIPS id, five digits for a county, two for a state), then its rings separated
by '|', each ring as 'x,y' points in hundredths of a pixel of the frame.
The simplification left a few small independent cities a line or a point.
"""
from __future__ import annotations

import json
import sys
from pathlib import Path

HEADER = """# {what} of the 2017 Census cartographic boundaries as redistributed in
# the npm package us-atlas 3.0.1 (counties-albers-10m.json, ISC licence, see
# data/README.md and NOTICE), written by data/tools/import_us_atlas.py.
# One shape per line: id|ring|ring...; a ring is 'x,y' points in 1/100 px of
# the 975 x 610 Albers USA frame (Alaska and Hawaii as insets), y downwards.
"""


def decode_arcs(topology: dict) -> list[list[tuple[int, int]]]:
    sx, sy = topology["transform"]["scale"]
    tx, ty = topology["transform"]["translate"]
    arcs = []
    for arc in topology["arcs"]:
        x = y = 0
        points = []
        for dx, dy in arc:
            x += dx
            y += dy
            points.append((round((tx + x * sx) * 100), round((ty + y * sy) * 100)))
        arcs.append(points)
    return arcs


def ring_points(ring: list[int], arcs: list[list[tuple[int, int]]]) -> list[tuple[int, int]]:
    points: list[tuple[int, int]] = []
    for index in ring:
        arc = arcs[index] if index >= 0 else list(reversed(arcs[~index]))
        for point in arc[1:] if points else arc:
            if not points or points[-1] != point:
                points.append(point)
    if len(points) > 1 and points[0] == points[-1]:
        points.pop()  # the ring closes itself
    return points


def polygons(geometry: dict) -> list[list[list[int]]]:
    if geometry["type"] == "Polygon":
        return [geometry["arcs"]]
    if geometry["type"] == "MultiPolygon":
        return geometry["arcs"]
    return []


def write_shapes(path: Path, what: str, geometries: list[dict], arcs) -> None:
    lines = []
    for geometry in sorted(geometries, key=lambda g: g["id"]):
        rings = [ring_points(ring, arcs) for polygon in polygons(geometry) for ring in polygon]
        text = "|".join(" ".join(f"{x},{y}" for x, y in ring) for ring in rings)
        lines.append(f"{geometry['id']}|{text}\n")
    path.write_text(HEADER.format(what=what) + "".join(lines), encoding="ascii", newline="\n")


def main() -> int:
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    topology = json.loads(Path(sys.argv[1]).read_text(encoding="utf-8"))
    arcs = decode_arcs(topology)
    out = Path(sys.argv[2])
    out.mkdir(parents=True, exist_ok=True)
    write_shapes(out / "counties.txt", "County shapes", topology["objects"]["counties"]["geometries"], arcs)
    write_shapes(out / "states.txt", "State outlines", topology["objects"]["states"]["geometries"], arcs)
    return 0


if __name__ == "__main__":
    sys.exit(main())
