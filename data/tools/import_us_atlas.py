#!/usr/bin/env python3
"""Turn the county and state shapes of the npm package us-atlas 3.0.1
(counties-10m.json: TopoJSON in longitude and latitude, quantized and
simplified) into the reviewable text files of data/map/. Run once when the
atlas changes (data/tools/fetch_us_atlas.sh fetches the package and runs
it); the build reads only the files it writes.

    data/tools/import_us_atlas.py package/counties-10m.json data/map

Writes counties.txt and states.txt: one line per shape of the 50 states and
DC, its id (the atlas' FIPS id, five digits for a county, two for a state),
then its rings separated by '|', each ring as 'lon,lat' points in
hundred-thousandths of a degree. Alaska's islands west of 180 degrees are
written east of -180 (longitude - 360), so that no ring jumps across the map.
Writes state_borders.csv: each pair of states whose outlines share a stretch
of border in the atlas (an arc of the topology), by state code.
"""
from __future__ import annotations

import csv
import json
import sys
from pathlib import Path

TERRITORIES = {"60", "66", "69", "72", "78"}
ALASKA = "02"
UNITS = 100000  # per degree

HEADER = """# {what} of the 2017 Census cartographic boundaries as redistributed in
# the npm package us-atlas 3.0.1 (counties-10m.json, ISC licence, see
# data/README.md and NOTICE), written by data/tools/import_us_atlas.py.
# One shape per line: id|ring|ring...; a ring is 'lon,lat' points in
# 1/100000 degree (west and south negative; Alaska west of 180 degrees as
# longitudes below -180).
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
            points.append((round((tx + x * sx) * UNITS), round((ty + y * sy) * UNITS)))
        arcs.append(points)
    return arcs


def ring_points(ring: list[int], arcs, wrap: bool) -> list[tuple[int, int]]:
    points: list[tuple[int, int]] = []
    for index in ring:
        arc = arcs[index] if index >= 0 else list(reversed(arcs[~index]))
        for point in arc[1:] if points else arc:
            if wrap and point[0] > 0:
                point = (point[0] - 360 * UNITS, point[1])
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


def mapped(geometries: list[dict]) -> list[dict]:
    return sorted((g for g in geometries if g["id"][:2] not in TERRITORIES), key=lambda g: g["id"])


def write_shapes(path: Path, what: str, geometries: list[dict], arcs) -> None:
    lines = []
    for geometry in geometries:
        wrap = geometry["id"][:2] == ALASKA
        rings = [ring_points(ring, arcs, wrap) for polygon in polygons(geometry) for ring in polygon]
        text = "|".join(" ".join(f"{x},{y}" for x, y in ring) for ring in rings if ring)
        lines.append(f"{geometry['id']}|{text}\n")
    path.write_text(HEADER.format(what=what) + "".join(lines), encoding="ascii", newline="\n")


def state_codes(gazetteer: Path) -> dict[str, str]:
    with open(gazetteer, newline="", encoding="utf-8") as f:
        return {r["state_fips"]: r["state_code"] for r in csv.DictReader(f)}


def write_borders(path: Path, states: list[dict], codes: dict[str, str]) -> None:
    users: dict[int, set[str]] = {}
    for geometry in states:
        for polygon in polygons(geometry):
            for ring in polygon:
                for index in ring:
                    users.setdefault(index if index >= 0 else ~index, set()).add(codes[geometry["id"]])
    pairs = sorted({tuple(sorted(pair)) for shared in users.values() if len(shared) == 2
                    for pair in [tuple(shared)]})
    lines = ["state,borders\n"] + [f"{a},{b}\n" for a, b in pairs]
    path.write_text("".join(lines), encoding="ascii", newline="\n")


def main() -> int:
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    topology = json.loads(Path(sys.argv[1]).read_text(encoding="utf-8"))
    arcs = decode_arcs(topology)
    out = Path(sys.argv[2])
    out.mkdir(parents=True, exist_ok=True)
    counties = mapped(topology["objects"]["counties"]["geometries"])
    states = mapped(topology["objects"]["states"]["geometries"])
    write_shapes(out / "counties.txt", "County shapes", counties, arcs)
    write_shapes(out / "states.txt", "State outlines", states, arcs)
    write_borders(out / "state_borders.csv", states, state_codes(out.parent / "us-counties-2010.csv"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
