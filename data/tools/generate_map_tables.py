#!/usr/bin/env python3
"""Turn the map data of data/map/ (counties.txt, states.txt, drawn_as.csv,
state_borders.csv, ct_regions.txt and ct_regions.csv) into constant C++ tables. Run by the build (data/CMakeLists.txt); fails the
build, one line per problem, when a line is malformed, the shapes are not in
ascending id order, a county shape is not a gazetteer county of the 50 states
and DC (or the shape a drawn_as row names), or a gazetteer county of the 50
states and DC has no shape to be drawn as (nor a drawn_as row without one), a point lies outside the
longitudes and latitudes of the 50 states, a state_borders row does not
name two different states of the map, or the Connecticut regions' shapes and
rows do not match one for one.

    generate_map_tables.py --data DIR --output FILE.cpp
"""
from __future__ import annotations

import argparse
import csv
import sys
from pathlib import Path

TERRITORIES = {"AS", "GU", "MP", "PR", "UM", "VI"}
ERRORS: list[str] = []


def read_shapes(path: Path, id_digits: int) -> list[tuple[int, list[list[tuple[int, int]]]]]:
    shapes = []
    for number, line in enumerate(path.read_text(encoding="ascii").splitlines(), 1):
        if not line or line.startswith("#"):
            continue
        where = f"data/map/{path.name}:{number}"
        fields = line.split("|")
        if len(fields[0]) != id_digits or not fields[0].isdigit():
            ERRORS.append(f"{where}: the id must be {id_digits} digits")
            continue
        try:
            rings = [[tuple(int(v) for v in point.split(",")) for point in ring.split(" ")] for ring in fields[1:]]
        except ValueError:
            ERRORS.append(f"{where}: a point is not 'lon,lat' in integers")
            continue
        if any(len(p) != 2 for ring in rings for p in ring):
            ERRORS.append(f"{where}: a point is not 'lon,lat'")
            continue
        if any(not (-19000000 <= lon <= -6500000 and 1800000 <= lat <= 7200000) for ring in rings for lon, lat in ring):
            ERRORS.append(f"{where}: a point lies outside the 50 states (lon,lat in 1/100000 degree)")
            continue
        shapes.append((int(fields[0]), rings))
    ids = [shape_id for shape_id, _ in shapes]
    if ids != sorted(set(ids)):
        ERRORS.append(f"data/map/{path.name}: the ids must be unique and ascending")
    return shapes


def gazetteer_counties(data: Path) -> set[int]:
    with open(data / "us-counties-2010.csv", newline="", encoding="utf-8") as f:
        return {int(r["state_fips"]) * 1000 + int(r["county_fips"])
                for r in csv.DictReader(f) if r["state_code"] not in TERRITORIES}


def read_drawn_as(data: Path) -> tuple[list[tuple[int, int]], set[int]]:
    """The rows that name a shape, and the counties whose drawn_as is empty
    (no shape: the map names them under the picture)."""
    with open(data / "map" / "drawn_as.csv", newline="", encoding="utf-8") as f:
        rows = list(csv.DictReader(f))
    return (sorted((int(r["county_id"]), int(r["drawn_as"])) for r in rows if r["drawn_as"]),
            {int(r["county_id"]) for r in rows if not r["drawn_as"]})


def read_borders(data: Path, state_ids: set[int]) -> list[tuple[int, int]]:
    with open(data / "us-counties-2010.csv", newline="", encoding="utf-8") as f:
        fips = {r["state_code"]: int(r["state_fips"]) for r in csv.DictReader(f)}
    pairs = set()
    with open(data / "map" / "state_borders.csv", newline="", encoding="utf-8") as f:
        for number, row in enumerate(csv.DictReader(f), 2):
            a, b = fips.get(row["state"], -1), fips.get(row["borders"], -1)
            if a not in state_ids or b not in state_ids or a == b:
                ERRORS.append(f"data/map/state_borders.csv:{number}: not two different states of the map")
                continue
            pairs |= {(a, b), (b, a)}
    return sorted(pairs)


def read_regions(data: Path, shapes) -> list[tuple[int, str, str]]:
    with open(data / "map" / "ct_regions.csv", newline="", encoding="utf-8") as f:
        rows = sorted((int(r["region_id"]), r["name"], r["abbreviation"]) for r in csv.DictReader(f))
    if [r[0] for r in rows] != [shape_id for shape_id, _ in shapes]:
        ERRORS.append("data/map/ct_regions.csv: its regions are not those of ct_regions.txt, one for one")
    for region_id, name, abbreviation in rows:
        if region_id // 1000 != 9 or not name or not abbreviation.isupper() or '"' in name:
            ERRORS.append(f"data/map/ct_regions.csv: {region_id:05d}: not a Connecticut region with a name and an "
                          "upper-case abbreviation")
    return rows


def check(counties, drawn_as, not_drawn: set[int], gazetteer: set[int]) -> None:
    shape_ids = {shape_id for shape_id, _ in counties}
    drawn_for = {shape for _, shape in drawn_as}
    for county, shape in drawn_as:
        if county not in gazetteer:
            ERRORS.append(f"data/map/drawn_as.csv: {county:05d} is not a gazetteer county of the 50 states and DC")
        if shape not in shape_ids:
            ERRORS.append(f"data/map/drawn_as.csv: {shape:05d} has no shape")
        if county in shape_ids:
            ERRORS.append(f"data/map/drawn_as.csv: {county:05d} has a shape of its own")
    for shape_id in sorted(shape_ids - gazetteer - drawn_for):
        ERRORS.append(f"data/map/counties.txt: {shape_id:05d} is no gazetteer county and no drawn_as row names it")
    for county in sorted(not_drawn - gazetteer):
        ERRORS.append(f"data/map/drawn_as.csv: {county:05d} is not a gazetteer county of the 50 states and DC")
    for county in sorted(gazetteer - shape_ids - {c for c, _ in drawn_as} - not_drawn):
        ERRORS.append(f"data/map: the gazetteer county {county:05d} has no shape")


def emit_shapes(name: str, shapes, points: list[str], rings: list[str]) -> list[str]:
    out = [f"constexpr MapShape {name}[] = {{"]
    for shape_id, shape_rings in shapes:
        first_ring = len(rings)
        for ring in shape_rings:
            rings.append(f"MapRing{{std::span<const MapPoint>(kPoints + {len(points)}, {len(ring)})}},")
            points.extend(f"{{{x},{y}}}," for x, y in ring)
        out.append(f"    {{{shape_id}, std::span<const MapRing>(kRings + {first_ring}, {len(shape_rings)})}},")
    out.append("};")
    return out


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("--data", required=True, type=Path)
    parser.add_argument("--output", required=True, type=Path)
    args = parser.parse_args()
    counties = read_shapes(args.data / "map" / "counties.txt", 5)
    states = read_shapes(args.data / "map" / "states.txt", 2)
    drawn_as, not_drawn = read_drawn_as(args.data)
    borders = read_borders(args.data, {state_id for state_id, _ in states})
    region_shapes = read_shapes(args.data / "map" / "ct_regions.txt", 5)
    regions = read_regions(args.data, region_shapes)
    check(counties, drawn_as, not_drawn, gazetteer_counties(args.data))
    if ERRORS:
        print("\n".join(ERRORS), file=sys.stderr)
        return 1
    points: list[str] = []
    rings: list[str] = []
    shape_lines = (emit_shapes("kCounties", counties, points, rings) + emit_shapes("kStates", states, points, rings) +
                   emit_shapes("kRegions", region_shapes, points, rings))
    lines = ["// Generated by data/tools/generate_map_tables.py from data/map/. Do not edit.",
             '#include "data/map_shapes.h"', '#include "data/map_tables.h"', "",
             "namespace shirl {", "namespace {", "",
             "constexpr MapPoint kPoints[] = {"]
    for i in range(0, len(points), 8):
        lines.append("".join(points[i:i + 8]))
    lines += ["};", "constexpr MapRing kRings[] = {"] + rings + ["};"] + shape_lines
    lines += ["constexpr detail::DrawnAsRow kDrawnAs[] = {"]
    lines += [f"    {{{county}, {shape}}}," for county, shape in drawn_as]
    lines += ["};", "constexpr detail::StateBorderRow kBorders[] = {"]
    lines += [f"    {{{a}, {b}}}," for a, b in borders]
    lines += ["};", "constexpr MapRegion kRegionRows[] = {"]
    lines += [f'    {{{region_id}, "{name}", "{abbreviation}"}},' for region_id, name, abbreviation in regions]
    lines += ["};", "", "} // namespace", "",
              "std::span<const MapShape> MapCountyShapes() { return kCounties; }",
              "std::span<const MapShape> MapStateShapes() { return kStates; }",
              "std::span<const MapShape> MapRegionShapes() { return kRegions; }",
              "std::span<const MapRegion> MapRegions() { return kRegionRows; }",
              "std::span<const detail::DrawnAsRow> detail::MapDrawnAsRows() { return kDrawnAs; }",
              "std::span<const detail::StateBorderRow> detail::MapStateBorderRows() { return kBorders; }", "",
              "} // namespace shirl", ""]
    args.output.parent.mkdir(parents=True, exist_ok=True)
    text = "\n".join(lines)
    if not args.output.exists() or args.output.read_text(encoding="ascii") != text:
        args.output.write_text(text, encoding="ascii")
    return 0


if __name__ == "__main__":
    sys.exit(main())
