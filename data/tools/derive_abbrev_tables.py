#!/usr/bin/env python3
"""Derive the abbreviation tables of data/abbrev/ from the rule forms and the
listed exceptions published for each table.

This script was run once to write data/abbrev/*.csv; it is kept for
reproducibility and is NOT run by the build. Once committed, the CSV files are
the single source of truth: correct a row there, in one line.

    python3 data/tools/derive_abbrev_tables.py            # (re)write data/abbrev/
    python3 data/tools/derive_abbrev_tables.py --check    # compare, write nothing

Input: data/us-counties-2010.csv (the gazetteer) and
data/tools/source_lists.txt (a verbatim copy of the published rule forms and
exception lists).

The nationwide tables (MARAC, US Counties QSO Party) are reconstructed; see
data/README.md for the collision-resolution rule implemented in
resolve_nationwide() below.
"""
from __future__ import annotations

import argparse
import csv
import io
import re
import sys
from pathlib import Path

DATA = Path(__file__).resolve().parent.parent
ABBREV = DATA / "abbrev"

# --------------------------------------------------------------------------
# Gazetteer


class County:
    def __init__(self, st: str, sn: int, cn: int, name: str):
        self.st, self.sn, self.cn, self.name = st, sn, cn, name
        self.id = sn * 1000 + cn
        self.letters = "".join(c for c in name if c.isascii() and c.isalpha()).upper()

    def rule(self, n: int) -> str:
        return self.letters[:n]


def load_gazetteer() -> list[County]:
    with open(DATA / "us-counties-2010.csv", newline="", encoding="ascii") as f:
        return [County(r["state_code"], int(r["state_fips"]), int(r["county_fips"]), r["name"])
                for r in csv.DictReader(f)]


GAZ = load_gazetteer()
BY_ID = {c.id: c for c in GAZ}
STATE_NUMBER = {c.st: c.sn for c in GAZ}


def counties_of(st: str) -> list[County]:
    return [c for c in GAZ if c.st == st]


def county(st: str, cn: int, name: str | None = None) -> County:
    c = BY_ID.get(STATE_NUMBER[st] * 1000 + cn)
    if c is None:
        sys.exit(f"the lists name {st} county {cn} ({name}), which the gazetteer lacks")
    if name is not None and norm(name) != norm(c.name):
        NAME_NOTES.append(f"{st} {cn}: the lists say '{name}', gazetteer '{c.name}'")
    return c


NAME_NOTES: list[str] = []


def norm(s: str) -> str:
    return "".join(ch for ch in s.upper() if ch.isalpha())


# --------------------------------------------------------------------------
# The published lists

ENTRY = re.compile(
    r"(?:^|: |; |them |except )"
    r"(?:([A-Z]{2}) )?"                      # optional state code ("MA Hampden 13")
    r"([A-Z][A-Za-z.'-]*(?: [A-Za-z.'-]+)*?) (\d+): "
    r"(no row|[A-Z]{2,6}(?:, [A-Z]{2,6})*)( \(two rows\))?")


def excerpt_lines() -> list[str]:
    text = (DATA / "tools" / "source_lists.txt").read_text(encoding="utf-8")
    return [l for l in text.splitlines() if l.strip() and not l.startswith("#")]


LINES = excerpt_lines()


def line_starting(prefix: str) -> str:
    found = [l for l in LINES if l.lstrip().startswith(prefix)]
    if len(found) != 1:
        sys.exit(f"expected one excerpt line starting {prefix!r}, found {len(found)}")
    return found[0]


def entries(text: str):
    """(state or None, name, county number, [abbreviations]) of a listing."""
    out = []
    for m in ENTRY.finditer(text):
        st, name, num, abbrs, two = m.groups()
        lst = [] if abbrs == "no row" else abbrs.split(", ")
        if two:
            lst = lst * 2
        out.append((st, name, int(num), lst))
    return out


def listed(prefix: str, st: str, after: str | None = None) -> dict[int, list[str]]:
    text = line_starting(prefix)
    if after is not None:
        text = text[text.index(after):]
    result = {}
    for est, name, num, abbrs in entries(text):
        c = county(est or st, num, name)
        if c.id in result:
            sys.exit(f"{prefix}: county {c.id} listed twice")
        result[c.id] = abbrs
    return result


# --------------------------------------------------------------------------
# Tables

class Row:
    def __init__(self, abbr: str, c: County | None, origin: str, cid: int | None = None):
        self.abbr, self.c, self.origin = abbr, c, origin
        self.id = c.id if c else cid


class Table:
    def __init__(self, tid, file, name, rows, counties, shape, rule, selections):
        self.tid, self.file, self.name = tid, file, name
        self.want_rows, self.want_counties = rows, counties
        self.shape, self.rule, self.selections = shape, rule, selections
        self.rows: list[Row] = []


def apply_template(t: str, c: County) -> str:
    return t.replace("{ST}", c.st).replace("{L3}", c.rule(3)).replace("{L4}", c.rule(4))


def rule_forms(table: Table, c: County) -> list[str]:
    forms = []
    for t in table.rule.split():
        f = apply_template(t, c)
        if f not in forms:
            forms.append(f)
    return forms


def build_state_table(t: Table, st: str, lst: dict[int, list[str]], cover=None):
    for c in (cover if cover is not None else counties_of(st)):
        if c.id in lst:
            for a in lst[c.id]:
                t.rows.append(Row(a, c, "listed"))
        else:
            for a in rule_forms(t, c):
                t.rows.append(Row(a, c, "rule"))
    unused = set(lst) - {c.id for c in (cover if cover is not None else counties_of(st))}
    if unused:
        sys.exit(f"{t.name}: listed counties outside its coverage: {sorted(unused)}")


def build_given_table(t: Table, prefix: str, st: str):
    for cid, abbrs in listed(prefix, st).items():
        for a in abbrs:
            t.rows.append(Row(a, BY_ID[cid], "given"))


# (id, file stem, name, rows, counties, shape, rule templates, selections)
TABLES = [
    ("Alabama", "alabama", "Alabama table", 133, 67, "[A-Z]{3,4}", "{L3} {L4}", "AL"),
    ("Arkansas", "arkansas", "Arkansas table", 150, 75, "[A-Z]{3,4}", "{L3} {L4}", "AR"),
    ("Arizona", "arizona", "Arizona table", 30, 15, "(AZ)?[A-Z]{3}", "", "AZ"),
    ("California", "california", "California table", 136, 58, "[A-Z]{2,4}", "{L3} {L4}", "CA"),
    ("Colorado", "colorado", "Colorado table", 64, 64, "[A-Z]{3}", "{L3}", "CO"),
    ("Delaware", "delaware", "Delaware table", 6, 3, "[A-Z]{3}", "", "DE MULTI"),
    ("Florida", "florida", "Florida table", 69, 67, "[A-Z]{3}", "{L3}", "FL"),
    ("Georgia", "georgia", "Georgia table", 159, 159, "[A-Z]{3,4}", "{L4}", "GA"),
    ("Hawaii", "hawaii", "Hawaii table", 14, 5, "[A-Z]{3}", "", "HI"),
    ("Iowa", "iowa", "Iowa table", 99, 99, "[A-Z]{3}", "{L3}", "IA"),
    ("Idaho", "idaho", "Idaho table", 43, 43, "[A-Z]{3}", "{L3}", "ID"),
    ("Illinois", "illinois", "Illinois table", 102, 102, "[A-Z]{3,4}", "{L4}", "IL"),
    ("Indiana", "indiana", "Indiana table", 184, 92, "[A-Z]{3,4}|IN[A-Z]{3}", "{L3} IN{L3}", "IN MULTI"),
    ("Kansas", "kansas", "Kansas table", 105, 105, "[A-Z]{3}", "{L3}", "KS"),
    ("Kentucky", "kentucky", "Kentucky table", 120, 120, "[A-Z]{3}", "{L3}", "KY"),
    ("Louisiana", "louisiana", "Louisiana table", 64, 64, "[A-Z]{3,4}", "{L4}", "LA"),
    ("Maryland", "maryland", "Maryland table", 25, 24, "[A-Z]{3}", "", "MD"),
    ("Maine", "maine", "Maine table", 16, 16, "[A-Z]{3}", "", "ME"),
    ("Michigan", "michigan", "Michigan table", 83, 83, "[A-Z]{3,4}", "{L4}", "MI"),
    ("Minnesota", "minnesota", "Minnesota table", 87, 87, "[A-Z]{3}", "{L3}", "MN"),
    ("Missouri", "missouri", "Missouri table", 115, 115, "[A-Z]{3}", "{L3}", "MO"),
    ("Mississippi", "mississippi", "Mississippi table", 163, 82, "[A-Z]{3,4}", "{L3} {L4}", "MS"),
    ("Montana", "montana", "Montana table", 56, 56, "[A-Z]{3}", "{L3}", "MT"),
    ("NorthCarolina", "north_carolina", "North Carolina table", 100, 100, "[A-Z]{3}", "{L3}", "NC"),
    ("NorthDakota", "north_dakota", "North Dakota table", 53, 53, "[A-Z]{3}", "{L3}", "ND"),
    ("Nebraska", "nebraska", "Nebraska table", 93, 93, "[A-Z]{4}", "{L4}", "NE"),
    ("NewHampshire", "new_hampshire", "New Hampshire table", 10, 10, "[A-Z]{3}", "", "NH"),
    ("NewJersey", "new_jersey", "New Jersey table", 39, 21, "[A-Z]{3,4}", "", "NJ"),
    ("NewMexico", "new_mexico", "New Mexico table", 33, 33, "[A-Z]{3}", "", "NM"),
    ("Nevada", "nevada", "Nevada table", 32, 16, "(NV)?[A-Z]{3}", "", "NV"),
    ("NevadaCities", "nevada_cities", "Nevada independent-city table", 2, 1, "(NV)?[A-Z]{3}", "", "NV 7QP MULTI"),
    ("NewYork", "new_york", "New York table", 62, 62, "[A-Z]{3}", "{L3}", "NY"),
    ("Ohio", "ohio", "Ohio table", 88, 88, "[A-Z]{4}", "{L4}", "OH"),
    ("Oklahoma", "oklahoma", "Oklahoma table", 77, 77, "[A-Z]{3}", "{L3}", "OK"),
    ("Oregon", "oregon", "Oregon table", 36, 36, "[A-Z]{3}", "", "OR"),
    ("Pennsylvania", "pennsylvania", "Pennsylvania table", 67, 67, "[A-Z]{3}", "{L3}", "PA"),
    ("SouthCarolina", "south_carolina", "South Carolina table", 91, 46, "[A-Z]{3,4}", "{L3} {L4}", "SC"),
    ("SouthDakota", "south_dakota", "South Dakota table", 66, 66, "[A-Z]{3,4}", "{L4}", "SD"),
    ("Tennessee", "tennessee", "Tennessee table", 95, 95, "[A-Z]{4}", "{L4}", "TN"),
    ("Texas", "texas", "Texas table", 254, 254, "[A-Z]{3,4}", "{L4}", "TX"),
    ("Virginia", "virginia", "Virginia table", 95, 95, "[A-Z]{3}", "{L3}", "VA"),
    ("VirginiaCities", "virginia_cities", "Virginia independent-city table", 39, 39, "[A-Z]{2}X", "", "VA"),
    ("Vermont", "vermont", "Vermont table", 16, 14, "[A-Z]{3}", "", "VT"),
    ("Washington", "washington", "Washington table", 39, 39, "[A-Z]{3,4}", "", "WA"),
    ("Wisconsin", "wisconsin", "Wisconsin table", 72, 72, "[A-Z]{3}", "{L3}", "WI"),
    ("WestVirginia", "west_virginia", "West Virginia table", 55, 55, "[A-Z]{3}", "{L3}", "WV"),
    ("Marac", "marac", "MARAC table", 3073, 3073, "{ST}[A-Z]{3,4}", "{ST}{L4}", "MARAC MULTI"),
    ("MidAtlantic", "mid_atlantic", "Mid-Atlantic QSO Party table", 327, 327, "[A-Z]{3}{ST}", "{L3}{ST}", "MAQP"),
    ("NewEngland", "new_england", "New England QSO Party table", 68, 60, "{ST}[A-Z]{3}", "{ST}{L3}", "NEQP MULTI"),
    ("SevenLand", "seven_land", "7-Land QSO Party table", 258, 258, "{ST}[A-Z]{3}", "{ST}{L3}", "7QP MULTI"),
    ("UsCounties", "us_counties", "US Counties QSO Party table", 3073, 3073, "[A-Z]{3}{ST}", "{L3}{ST}", "USCQP"),
]

# Abbreviations that stand in several rows: same county only, except
# the seven shared ones of the US Counties QSO Party table.
SHARED = [
    ("Arkansas", "LEE", [5077, 5077]),
    ("NewJersey", "PASS", [34031, 34031]),
    ("UsCounties", "CLAMS", [28021, 28023, 28025]),
    ("UsCounties", "COOTX", [48089, 48097]),
    ("UsCounties", "DECIA", [19031, 19053]),
    ("UsCounties", "KITWA", [53035, 53037]),
    ("UsCounties", "MARAL", [1091, 1095]),
    ("UsCounties", "STLMN", [27137, 27147]),
    ("UsCounties", "WASWI", [55129, 55137]),
]

# Connecticut planning regions of the New England QSO Party table (county id 9000).
CT_REGIONS = ["CTCAP", "CTGBR", "CTLCR", "CTNAU", "CTNOE", "CTNOW", "CTSOC", "CTSOE", "CTWES"]

NATIONWIDE_STATES = [st for st in dict.fromkeys(c.st for c in GAZ)
                     if st not in ("AK", "DC") and STATE_NUMBER[st] <= 56]


def nationwide_coverage() -> list[County]:
    return [c for c in GAZ if c.st in NATIONWIDE_STATES
            and not (c.st == "VA" and c.cn >= 500) and c.id != 32510]


# Named rows of the nationwide tables (known from the contests).
def named_rows(prefix: str, extra: list[tuple[str, int, str]]) -> dict[int, str]:
    out = {}
    for cid, abbrs in listed(prefix, "", after="among them ").items():
        assert len(abbrs) == 1
        out[cid] = abbrs[0]
    for st, cn, a in extra:
        c = county(st, cn)
        if c.id in out and out[c.id] != a:
            sys.exit(f"named row conflict for {c.id}")
        out[c.id] = a
    return out


def subsequences(letters: str, k: int):
    """Index tuples 0 < i1 < ... < ik-1 < len, lexicographic."""
    n = len(letters)

    def rec(start, left):
        if left == 0:
            yield ()
            return
        for i in range(start, n):
            for rest in rec(i + 1, left - 1):
                yield (i,) + rest
    yield from rec(1, k)


def candidates(table: Table, c: County):
    """Deterministic alternatives of the table's shape, in order of preference."""
    L = c.letters
    k = 3 if table.tid == "Marac" else 2       # letters after the first one
    seen = set()
    for idx in subsequences(L, k):
        body = L[0] + "".join(L[i] for i in idx)
        if body not in seen:
            seen.add(body)
            yield body
    # fallback (never needed with the 2010 gazetteer): first letter + AA.., AAA..
    import itertools
    for tail in itertools.product("ABCDEFGHIJKLMNOPQRSTUVWXYZ", repeat=k):
        body = L[0] + "".join(tail)
        if body not in seen:
            seen.add(body)
            yield body


def shape_of(table: Table, c: County, body: str) -> str:
    return c.st + body if table.tid == "Marac" else body + c.st


def resolve_nationwide(t: Table, named: dict[int, str]):
    """Named rows as given; rule rows; collisions resolved (see data/README.md)."""
    shared = {a: set(ids) for tid, a, ids in SHARED if tid == t.tid}
    cover = nationwide_coverage()
    claimed: dict[str, set[int]] = {}
    assign: dict[int, tuple[str, str]] = {}
    for c in cover:
        if c.id in named:
            a = named[c.id]
            claimed.setdefault(a, set()).add(c.id)
            assign[c.id] = (a, "named")
    for a, ids in claimed.items():
        if len(ids) > 1 and not (a in shared and ids <= shared[a]):
            sys.exit(f"{t.name}: named rows share {a}: {ids}")
    pending = []
    for c in cover:                       # FIPS order
        if c.id in named:
            continue
        a = rule_forms(t, c)[0]
        holders = claimed.get(a, set())
        if not holders or (a in shared and c.id in shared[a] and holders <= shared[a]):
            claimed.setdefault(a, set()).add(c.id)
            assign[c.id] = (a, "rule")
        else:
            pending.append(c)
    for c in pending:                     # FIPS order
        for body in candidates(t, c):
            a = shape_of(t, c, body)
            if a not in claimed:
                claimed[a] = {c.id}
                assign[c.id] = (a, "resolved")
                break
    for c in cover:
        a, origin = assign[c.id]
        t.rows.append(Row(a, c, origin))


# --------------------------------------------------------------------------

def build_all() -> dict[str, Table]:
    T = {s[0]: Table(*s) for s in TABLES}

    # Tables given in full, row by row.
    for tid, prefix, st in [
        ("Arizona", "- Arizona table (AZ)", "AZ"), ("Delaware", "- Delaware table (DE)", "DE"),
        ("Hawaii", "- Hawaii table (HI)", "HI"), ("Maine", "- Maine table (ME)", "ME"),
        ("Maryland", "- Maryland table (MD)", "MD"), ("Nevada", "- Nevada table (NV)", "NV"),
        ("NevadaCities", "- Nevada independent-city table (NV)", "NV"),
        ("NewHampshire", "- New Hampshire table (NH)", "NH"),
        ("NewJersey", "- New Jersey table (NJ)", "NJ"), ("NewMexico", "- New Mexico table (NM)", "NM"),
        ("Oregon", "- Oregon table (OR)", "OR"), ("Vermont", "- Vermont table (VT)", "VT"),
        ("VirginiaCities", "- Virginia independent-city table (VA)", "VA"),
        ("Washington", "- Washington table (WA)", "WA"),
    ]:
        build_given_table(T[tid], prefix, st)

    # State tables: rule forms and listed exceptions.
    for tid, st in [
        ("Alabama", "AL"), ("Arkansas", "AR"), ("Colorado", "CO"), ("Florida", "FL"),
        ("Georgia", "GA"), ("Idaho", "ID"), ("Illinois", "IL"), ("Iowa", "IA"), ("Kansas", "KS"),
        ("Kentucky", "KY"), ("Louisiana", "LA"), ("Michigan", "MI"), ("Minnesota", "MN"),
        ("Mississippi", "MS"), ("Missouri", "MO"), ("Montana", "MT"), ("Nebraska", "NE"),
        ("NewYork", "NY"), ("NorthCarolina", "NC"), ("NorthDakota", "ND"), ("Ohio", "OH"),
        ("Oklahoma", "OK"), ("Pennsylvania", "PA"), ("SouthCarolina", "SC"), ("SouthDakota", "SD"),
        ("Tennessee", "TN"), ("Texas", "TX"), ("Virginia", "VA"), ("WestVirginia", "WV"),
        ("Wisconsin", "WI"),
    ]:
        name = T[tid].name
        prefix = f"- {name} ("
        lst = {} if tid == "Ohio" else listed(prefix, st)
        cover = [c for c in counties_of("VA") if c.cn < 500] if tid == "Virginia" else None
        build_state_table(T[tid], st, lst, cover)
    build_state_table(T["California"], "CA", listed("- California table: ", "CA", after="in full: "))
    build_state_table(T["Indiana"], "IN", listed("- Indiana table: every county in a short", "IN"))

    # New England QSO Party table.
    ne = T["NewEngland"]
    ne_list = listed("- New England QSO Party table: the counties of MA, ME", "", after="except ")
    build_state_table(ne, "", ne_list, [c for st in ("MA", "ME", "NH", "RI", "VT") for c in counties_of(st)])
    for a in CT_REGIONS:
        ne.rows.append(Row(a, None, "given", cid=9000))

    # 7-Land QSO Party table.
    sl = T["SevenLand"]
    for r in T["Arizona"].rows:
        if r.abbr.startswith("AZ"):
            sl.rows.append(Row(r.abbr, r.c, "given"))
    seven_listed = {}
    for st in ("ID", "MT", "OR", "UT", "WA"):
        seven_listed.update(listed(f"- {st}: ", st))
    for st in ("ID", "MT", "NV", "OR", "UT", "WA", "WY"):
        cover = [c for c in counties_of(st) if c.id != 32510]
        build_state_table(sl, st, {k: v for k, v in seven_listed.items() if BY_ID[k].st == st}, cover)
    sl.rows.sort(key=lambda r: (r.id, r.abbr))

    # Mid-Atlantic QSO Party table.
    ma = T["MidAtlantic"]
    for src, st in (("Virginia", "VA"), ("Pennsylvania", "PA")):
        for r in T[src].rows:
            ma.rows.append(Row(r.abbr + st, r.c, r.origin))
    ma_listed = {}
    for st in ("MD", "NJ", "NY", "WV"):
        ma_listed.update(listed(f"- {st}: ", st))
    for st in ("DE", "MD", "NJ", "NY", "WV"):
        build_state_table(ma, st, {k: v for k, v in ma_listed.items() if BY_ID[k].st == st})
    ma.rows.sort(key=lambda r: (r.id, r.abbr))

    # The nationwide tables.
    resolve_nationwide(T["Marac"], named_rows("- MARAC table: 2510", []))
    resolve_nationwide(T["UsCounties"], named_rows(
        "- US Counties QSO Party table: 2763",
        [("TX", 89, "COOTX"), ("MN", 147, "STLMN"), ("WI", 137, "WASWI"), ("IA", 31, "DECIA")]))

    for t in T.values():
        t.rows.sort(key=lambda r: (r.id, r.abbr.encode()))
    return T


def verify(T: dict[str, Table]):
    errors = []
    shared = {(tid, a): sorted(ids) for tid, a, ids in SHARED}
    for t in T.values():
        ids = {r.id for r in t.rows}
        if len(t.rows) != t.want_rows or len(ids) != t.want_counties:
            errors.append(f"{t.name}: {len(t.rows)} rows/{len(ids)} counties, "
                          f"expected {t.want_rows}/{t.want_counties}")
        by_abbr: dict[str, list[int]] = {}
        for r in t.rows:
            by_abbr.setdefault(r.abbr, []).append(r.id)
            st = r.c.st if r.c else "CT"
            if not re.fullmatch(t.shape.replace("{ST}", st), r.abbr):
                errors.append(f"{t.name}: {r.abbr} has not the shape {t.shape}")
        for a, lst in by_abbr.items():
            if len(lst) > 1 and shared.get((t.tid, a)) != sorted(lst):
                errors.append(f"{t.name}: {a} stands in rows {lst}")
        for (tid, a), lst in shared.items():
            if tid == t.tid and sorted(by_abbr.get(a, [])) != lst:
                errors.append(f"{t.name}: shared {a} is {by_abbr.get(a)}")
    # Published examples.
    def has(tid, a, cid):
        if cid not in [r.id for r in T[tid].rows if r.abbr == a]:
            errors.append(f"{tid}: example {a} -> {cid} missing")
    for a, cid in [("AUTAL", 1001), ("BALAL", 1003), ("BALMD", 24005), ("BATMD", 24510),
                   ("STLMO", 29189), ("STTMO", 29510), ("WESWY", 56045)]:
        has("UsCounties", a, cid)
    for a, cid in [("ALAUTA", 1001), ("ALBALD", 1003), ("MDBALT", 24005), ("MDBLTC", 24510),
                   ("MOSLOU", 29189), ("MOSLCY", 29510), ("WYWEST", 56045), ("ALLEE", 1081),
                   ("FLBAY", 12005), ("IDADA", 16001), ("KSELK", 20049), ("NVNYE", 32023),
                   ("SDDAY", 46037), ("TXBEE", 48025)]:
        has("Marac", a, cid)
    for a, cid in [("ACCVA", 51001), ("ADAPA", 42001), ("ALBNY", 36001), ("BALMD", 24005),
                   ("BCTMD", 24510), ("KENDE", 10001), ("WYOWV", 54109), ("BCHVA", 51027),
                   ("BUXPA", 42017)]:
        has("MidAtlantic", a, cid)
    for a, cid in [("MABAR", 25001), ("MEAND", 23001), ("NHBEL", 33001), ("RIBRI", 44001),
                   ("VTADD", 50001), ("VTWNH", 50025), ("VTWND", 50027), ("MECUM", 23005)]:
        has("NewEngland", a, cid)
    for a, cid in [("AZAPH", 4001), ("WYWES", 56045), ("NVCHU", 32001), ("WYALB", 56001),
                   ("AZMCP", 4013), ("IDADM", 16003)]:
        has("SevenLand", a, cid)
    for a, cid in [("AUT", 1001), ("AUTA", 1001), ("CHA", 1017), ("CHMB", 1017), ("STC", 1115),
                   ("SCLR", 1115), ("LEE", 1081)]:
        has("Alabama", a, cid)
    # 7QP AZ/NV rows equal the AZ-/NV-prefixed rows of the Arizona and Nevada tables.
    for src, st in (("Arizona", "AZ"), ("Nevada", "NV")):
        a = sorted((r.abbr, r.id) for r in T[src].rows if r.abbr.startswith(st))
        b = sorted((r.abbr, r.id) for r in T["SevenLand"].rows if r.c.st == st)
        if a != b:
            errors.append(f"7-Land {st} rows differ from the {src} table")
    return errors


def render(t: Table) -> str:
    buf = io.StringIO()
    w = csv.writer(buf, lineterminator="\n")
    w.writerow(["abbreviation", "county_id", "state", "county", "origin"])
    for r in t.rows:
        w.writerow([r.abbr, r.id, r.c.st if r.c else "CT", r.c.name if r.c else "-", r.origin])
    return buf.getvalue()


def render_manifest(T: dict[str, Table]) -> str:
    buf = io.StringIO()
    w = csv.writer(buf, lineterminator="\n")
    w.writerow(["table_id", "file", "name", "rows", "counties", "shape", "rule", "origins"])
    for t in T.values():
        origins = sorted({r.origin for r in t.rows})
        w.writerow([t.tid, t.file + ".csv", t.name, t.want_rows, t.want_counties, t.shape, t.rule,
                    " ".join(origins)])
    return buf.getvalue()


def render_shared() -> str:
    buf = io.StringIO()
    w = csv.writer(buf, lineterminator="\n")
    w.writerow(["table_id", "abbreviation", "county_ids"])
    for tid, a, ids in SHARED:
        w.writerow([tid, a, " ".join(map(str, ids))])
    return buf.getvalue()


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--check", action="store_true", help="compare with data/abbrev/, write nothing")
    ns = ap.parse_args()
    T = build_all()
    errors = verify(T)
    for n in NAME_NOTES:
        print("note:", n)
    if errors:
        for e in errors:
            print("error:", e)
        sys.exit(1)
    files = {t.file + ".csv": render(t) for t in T.values()}
    files["tables.csv"] = render_manifest(T)
    files["shared.csv"] = render_shared()
    differ = 0
    for fname, text in files.items():
        path = ABBREV / fname
        if ns.check:
            if not path.exists() or path.read_text() != text:
                print("differs:", path)
                differ += 1
        else:
            ABBREV.mkdir(exist_ok=True)
            path.write_text(text)
    for tid in ("Marac", "UsCounties"):
        kinds = {}
        for r in T[tid].rows:
            kinds[r.origin] = kinds.get(r.origin, 0) + 1
        print(f"{T[tid].name}: " + ", ".join(f"{k} {v}" for k, v in sorted(kinds.items())))
    sys.exit(1 if differ else 0)


if __name__ == "__main__":
    main()
