#!/usr/bin/env python3
"""Derives the USA Counties award's reference files from the gazetteer and the
map's shapes, once; the files it writes are then reviewed and kept by hand
(the build checks them, it never runs this script).

    data/usaca/counties.csv   the award's 3,077 counties
    data/usaca/claimable.csv  the places in no award county (independent
                              cities, Carson City, DC) and the counties each
                              may be claimed for

Usage: derive_usaca.py DATA_DIR
"""
import csv
import sys
from collections import defaultdict
from pathlib import Path

# The 50 states (DC and the territories are not in the award).
STATES = set("AL AK AZ AR CA CO CT DE FL GA HI ID IL IN IA KS KY LA ME MD MA MI MN MS MO MT NE NV NH NJ NM "
             "NY NC ND OH OK OR PA RI SC SD TN TX UT VT VA WA WV WI WY".split())
DISTRICTS = ["First Judicial District", "Second Judicial District", "Third Judicial District",
             "Fourth Judicial District"]


def gazetteer(data):
    with open(data / "us-counties-2010.csv", newline="") as f:
        rows = list(csv.DictReader(f))
    return [(r["state_code"], int(r["state_fips"]) * 1000 + int(r["county_fips"]), r["name"]) for r in rows]


def is_claimable(st, cid, name):
    return (st == "VA" and name.endswith(" city")) or cid == 32510 or st == "DC"


def shapes(data):
    """county id -> set of its shape's points"""
    out = {}
    for line in (data / "map" / "counties.txt").read_text().splitlines():
        if not line or line.startswith("#"):
            continue
        cid, *rings = line.split("|")
        out[int(cid)] = {p for ring in rings for p in ring.split()}
    return out


def main():
    data = Path(sys.argv[1])
    gaz = gazetteer(data)
    by_id = {cid: (st, name) for st, cid, name in gaz}
    award = []
    claimable = []
    for st, cid, name in gaz:
        if st not in STATES and st != "DC":
            continue
        if is_claimable(st, cid, name):
            claimable.append(cid)
        elif st != "AK":
            award.append((st, name, str(cid)))
    award += [("AK", d, "") for d in DISTRICTS]
    order = {st: i for i, (st, _, _) in reversed(list(enumerate(gaz)))}
    award.sort(key=lambda r: (order[r[0]], r[0] != "AK", int(r[2]) if r[2] else DISTRICTS.index(r[1])))
    with open(data / "usaca" / "counties.csv", "w", newline="") as f:
        w = csv.writer(f, lineterminator="\n")
        w.writerow(["state", "county", "county_id"])
        w.writerows(award)

    pts = shapes(data)
    touching = defaultdict(set)
    ids = sorted(pts)
    index = defaultdict(set)
    for cid in ids:
        for p in pts[cid]:
            index[p].add(cid)
    for p, owners in index.items():
        for a in owners:
            touching[a] |= owners - {a}
    claim = set(claimable)
    rows = []
    for cid in claimable:
        if cid not in pts:  # Bedford city: no shape of its own, drawn inside Bedford County
            rows.append((cid, by_id[cid][1], "51019", "within"))
            continue
        counties = sorted(c for c in touching[cid] if c not in claim and c in by_id)
        how = "borders"
        if not counties:
            # Touches only other places of this list: the counties of the
            # places it touches, ring by ring until one has any.
            seen, ring = {cid}, set(touching[cid]) & claim
            while ring and not counties:
                seen |= ring
                counties = sorted({c for r in ring for c in touching[r] if c not in claim and c in by_id})
                ring = {c for r in ring for c in touching[r] if c in claim} - seen
            how = "through cities"
        rows.append((cid, by_id[cid][1], " ".join(str(c) for c in counties), how))
    with open(data / "usaca" / "claimable.csv", "w", newline="") as f:
        w = csv.writer(f, lineterminator="\n")
        w.writerow(["county_id", "place", "adjoining", "how"])
        w.writerows(rows)
    print(f"{len(award)} award counties, {len(rows)} claimable places")


if __name__ == "__main__":
    main()
