#!/usr/bin/env python3
"""Turn the reference data of data/ (CSV, the single source of truth) into
constant, sorted C++ tables. Run by the build (data/CMakeLists.txt); fails the
build, with one line per problem, on any inconsistency:

- the gazetteer: 3235 rows, FIPS order, unique county ids and index slots;
- ADIF's CNTY names: each row a gazetteer county (state and county columns
  equal to it), every county of a state that has rows named once;
- the Selections, display order, sections and Canadian lists: shape and order;
- the county name forms: single non-letter characters ignored, words in
  upper case standing for the gazetteer's word, and every gazetteer name made
  of letters and ignored characters only;
- the CONTEST_ID identifiers: unique without regard to letter case, each
  naming a Selection code;
- every abbreviation table: header, abbreviation shape, county id known to the
  gazetteer (9000 only for the Connecticut rows of the New England QSO Party
  table), the readable state/county columns equal to the gazetteer, origin,
  rule-form rows equal to the table's rule, row and county counts, and no
  abbreviation naming two counties or standing twice except as listed in
  data/abbrev/shared.csv.

The rows of every table are emitted in ascending unsigned byte order.

    generate_tables.py --data DIR --output FILE.cpp [--check]
"""
from __future__ import annotations

import argparse
import csv
import re
import sys
from pathlib import Path

ERRORS: list[str] = []


def err(where: str, msg: str) -> None:
    ERRORS.append(f"{where}: {msg}")


DATA_DIR = Path(".")


def shown(path: Path) -> str:
    """The path as a reader of the message finds it: data/abbrev/alabama.csv."""
    try:
        return "data/" + path.resolve().relative_to(DATA_DIR.resolve()).as_posix()
    except ValueError:
        return str(path)


def read_csv(path: Path, header: list[str]) -> list[dict[str, str]]:
    try:
        with open(path, newline="", encoding="ascii") as f:
            reader = csv.reader(f)
            rows = list(reader)
    except (OSError, UnicodeDecodeError) as e:
        err(shown(path), f"cannot read: {e}")
        return []
    if not rows or rows[0] != header:
        err(shown(path), f"header must be {','.join(header)}")
        return []
    out = []
    for n, r in enumerate(rows[1:], start=2):
        if len(r) != len(header):
            err(f"{shown(path)}:{n}", f"{len(r)} columns, expected {len(header)}")
            continue
        d = dict(zip(header, r))
        d["_where"] = f"{shown(path)}:{n}"
        out.append(d)
    return out


def to_int(row: dict, key: str) -> int | None:
    v = row[key]
    if not re.fullmatch(r"-?\d+", v):
        err(row["_where"], f"{key} '{v}' is not an integer")
        return None
    return int(v)


def cxx_string(s: str, where: str) -> str:
    if any(c in s for c in '"\\') or not all(32 <= ord(c) < 127 for c in s):
        err(where, f"text {s!r} must be plain printable ASCII without quotes or backslashes")
    return f'"{s}"'


def byte_key(s: str) -> bytes:
    return s.encode("ascii", "replace")


# --------------------------------------------------------------------------

class County:
    def __init__(self, st, sn, cn, name):
        self.st, self.sn, self.cn, self.name = st, sn, cn, name
        self.id = sn * 1000 + cn
        self.letters = "".join(c for c in name if ("A" <= c <= "Z") or ("a" <= c <= "z")).upper()


# The county index has a run of 512 slots for each of 80 state numbers; a
# county number of 512 or more spills into a later run, which must be free.
INDEX_STATE_RUNS = 80
INDEX_RUN_LENGTH = 512


def load_gazetteer(data: Path) -> list[County]:
    rows = read_csv(data / "us-counties-2010.csv",
                    ["state_code", "state_fips", "county_fips", "census_name", "name"])
    gaz = []
    for r in rows:
        sn, cn = to_int(r, "state_fips"), to_int(r, "county_fips")
        if sn is None or cn is None:
            continue
        if not re.fullmatch(r"[A-Z]{2}", r["state_code"]):
            err(r["_where"], f"bad state code {r['state_code']!r}")
        if not r["name"]:
            err(r["_where"], "empty name")
        cxx_string(r["name"], r["_where"])
        gaz.append(County(r["state_code"], sn, cn, r["name"]))
    if len(gaz) != 3235:
        err("us-counties-2010.csv", f"{len(gaz)} rows, expected 3235")
    slots = {}
    for prev, c in zip([None] + gaz, gaz):
        if c.cn <= 0 or not (0 <= c.sn < INDEX_STATE_RUNS):
            err("us-counties-2010.csv", f"county id {c.id} out of range")
        if prev and (prev.sn, prev.cn) >= (c.sn, c.cn):
            err("us-counties-2010.csv", f"{c.id} is not after {prev.id} (FIPS order)")
        slot = c.sn * INDEX_RUN_LENGTH + c.cn
        if slot in slots or slot >= INDEX_STATE_RUNS * INDEX_RUN_LENGTH:
            err("us-counties-2010.csv", f"{c.id} meets {slots.get(slot)} in index slot {slot}")
        slots[slot] = c.id
    states = {}
    for c in gaz:
        if states.setdefault(c.st, c.sn) != c.sn:
            err("us-counties-2010.csv", f"{c.st} has two state numbers")
    return gaz


def load_adif_cnty(data: Path, gaz: list[County]) -> dict[int, str]:
    """ADIF's own CNTY names where ADIF enumerates a state's counties: county
    id -> the name after "ST,". A state in the file must be there whole."""
    by_id = {c.id: c for c in gaz}
    names: dict[int, str] = {}
    states = set()
    for r in read_csv(data / "adif_cnty.csv", ["county_id", "state", "county", "adif_county"]):
        w = r["_where"]
        cid = to_int(r, "county_id")
        c = by_id.get(cid)
        if c is None:
            err(w, f"county id {r['county_id']} has no gazetteer row")
            continue
        if (r["state"], r["county"]) != (c.st, c.name):
            err(w, f"{cid} is {c.st},{c.name}, not {r['state']},{r['county']}")
        if not r["adif_county"] or cid in names:
            err(w, f"{cid}: empty or repeated")
            continue
        cxx_string(r["adif_county"], w)
        names[cid] = r["adif_county"]
        states.add(c.st)
    for c in gaz:
        if c.st in states and c.id not in names:
            err("adif_cnty.csv", f"{c.st} has no row for {c.id} ({c.name})")
    return names


def table_ids_from_manifest(data: Path) -> list[str]:
    ids = [m["table_id"] for m in read_csv(data / "abbrev" / "tables.csv", MANIFEST_HEADER)]
    for t in ids:
        if not re.fullmatch(r"[A-Z][A-Za-z]*", t):
            err("abbrev/tables.csv", f"table id {t!r} is not a C++ name in CamelCase")
    if len(set(ids)) != len(ids):
        err("abbrev/tables.csv", "table ids repeat")
    return ids


def rule_forms(template: str, c: County) -> set[str]:
    return {t.replace("{ST}", c.st).replace("{L3}", c.letters[:3]).replace("{L4}", c.letters[:4])
            for t in template.split()}


MANIFEST_HEADER = ["table_id", "file", "name", "places", "rows", "counties", "shape", "rule", "origins"]
PLACES = {"counties": "false", "cities": "true"}  # whether the rows name independent cities
ORIGINS = {"rule": "Rule", "listed": "Listed", "named": "Named", "resolved": "Resolved", "given": "Given"}
NATIONWIDE = ("Marac", "UsCounties")


def load_tables(data: Path, gaz: list[County], table_ids: list[str]):
    by_id = {c.id: c for c in gaz}
    manifest = read_csv(data / "abbrev" / "tables.csv", MANIFEST_HEADER)
    shared = {}
    for s in read_csv(data / "abbrev" / "shared.csv", ["table_id", "abbreviation", "county_ids"]):
        shared[(s["table_id"], s["abbreviation"])] = sorted(int(x) for x in s["county_ids"].split())
    nationwide = {c.id for c in gaz if c.sn <= 56 and c.st not in ("AK", "DC")
                  and not (c.st == "VA" and c.cn >= 500) and c.id != 32510}
    tables = []
    for m in manifest:
        tid, where = m["table_id"], "abbrev/" + m["file"]
        rows = read_csv(data / "abbrev" / m["file"],
                        ["abbreviation", "county_id", "state", "county", "origin"])
        if m["places"] not in PLACES:
            err(where, f"places {m['places']!r} must be one of {', '.join(PLACES)}")
        allowed_origins = set(m["origins"].split())
        shape = m["shape"]
        entries = []
        for r in rows:
            a, w = r["abbreviation"], r["_where"]
            cid = to_int(r, "county_id")
            if cid is None:
                continue
            if not re.fullmatch(r"[A-Z]{2,6}", a):
                err(w, f"abbreviation {a!r} is not 2 to 6 capital letters")
            origin = r["origin"]
            if origin not in ORIGINS or origin not in allowed_origins:
                err(w, f"origin {origin!r} not allowed in this table ({m['origins']})")
            c = by_id.get(cid)
            if c is None:
                if not (cid == 9000 and tid == "NewEngland" and r["state"] == "CT" and r["county"] == "-"):
                    err(w, f"county id {cid} has no gazetteer row")
                st = r["state"]
            else:
                st = c.st
                if (r["state"], r["county"]) != (c.st, c.name):
                    err(w, f"{cid} is {c.st},{c.name}, not {r['state']},{r['county']}")
            if not re.fullmatch(shape.replace("{ST}", st), a):
                err(w, f"{a} has not the shape {shape}")
            if origin == "rule":
                if c is None or not m["rule"] or a not in rule_forms(m["rule"], c):
                    err(w, f"{a} is marked rule but is not the rule form ({m['rule']})")
            entries.append((a, cid, origin, w))
        want_rows, want_counties = int(m["rows"]), int(m["counties"])
        got_counties = {e[1] for e in entries}
        if len(entries) != want_rows:
            err(where, f"{len(entries)} rows, expected {want_rows}")
        if len(got_counties) != want_counties:
            err(where, f"{len(got_counties)} counties, expected {want_counties}")
        if tid in NATIONWIDE and got_counties != nationwide:
            err(where, "must cover the 48 contiguous states and Hawaii without VA cities and Carson City")
        by_abbr = {}
        for a, cid, _, _ in entries:
            by_abbr.setdefault(a, []).append(cid)
        for a, ids in by_abbr.items():
            if len(ids) > 1 and shared.get((tid, a)) != sorted(ids):
                err(where, f"{a} stands in {len(ids)} rows ({', '.join(map(str, sorted(ids)))}); "
                           "only the cases of abbrev/shared.csv may")
        for (stid, a), ids in shared.items():
            if stid == tid and sorted(by_abbr.get(a, [])) != ids:
                err(where, f"shared abbreviation {a} must stand for {ids}")
        entries.sort(key=lambda e: (byte_key(e[0]), e[1]))
        tables.append((tid, m["name"], entries, m["places"] == "cities"))
    return tables


# area: a state, province or region, whose code a log may write in a county
# field; party: a contest spanning several areas.
SELECTION_KINDS = ("area", "party")
# sections: ARRL/RAC section names stand for their state;
# new_england_quiet: New England QSO Party abbreviations pass without a warning.
SELECTION_TRAITS = ("sections", "new_england_quiet")


def constant_name(code: str) -> str:
    return "k" + code


def load_selections(data: Path, table_ids: list[str]):
    sel = read_csv(data / "selections.csv", ["index", "code", "name", "kind", "traits", "tables"])
    if [r["index"] for r in sel] != [str(i) for i in range(61)]:
        err("selections.csv", "indices must be 0..60 in order")
    for r in sel:
        if r["kind"] not in SELECTION_KINDS:
            err(r["_where"], f"kind {r['kind']!r} must be one of {', '.join(SELECTION_KINDS)}")
        for t in r["traits"].split():
            if t not in SELECTION_TRAITS:
                err(r["_where"], f"unknown trait {t!r} (known: {', '.join(SELECTION_TRAITS)})")
        if not re.fullmatch(r"[0-9A-Z]{2,5}", r["code"]):
            err(r["_where"], f"bad code {r['code']!r}")
        cxx_string(r["name"], r["_where"])
        for t in r["tables"].split():
            if t not in table_ids:
                err(r["_where"], f"unknown table {t}")
    kinds = [r["kind"] for r in sel]
    if kinds != sorted(kinds, key=lambda k: k == "party"):
        err("selections.csv", "the areas come first, the parties after them")
    codes = [r["code"] for r in sel if r["kind"] == "area"]
    for a, b in zip(codes, codes[1:]):
        if byte_key(a) >= byte_key(b) or len(a) != 2:
            err("selections.csv", f"area codes must be two letters ascending ({a}, {b})")
    if len({r["code"].upper() for r in sel}) != len(sel):
        err("selections.csv", "codes must differ regardless of case")
    order = read_csv(data / "display_order.csv", ["row", "selection_index", "name"])
    if [r["row"] for r in order] != [str(i) for i in range(53)]:
        err("display_order.csv", "rows must be 0..52 in order")
    seen = set()
    for r in order:
        i = to_int(r, "selection_index")
        if i is None or not (0 <= i < len(sel)) or sel[i]["name"] != r["name"] or i in seen:
            err(r["_where"], f"selection {r['selection_index']} is not '{r['name']}' or repeats")
        seen.add(i)
    return sel, order


def load_small(data: Path):
    sections = read_csv(data / "sections.csv", ["section", "state"])
    if len(sections) != 90:
        err("sections.csv", f"{len(sections)} rows, expected 90")
    for a, b in zip(sections, sections[1:]):
        if byte_key(a["section"]) >= byte_key(b["section"]):
            err(b["_where"], f"{b['section']} is not after {a['section']}")
    for s in sections:
        if not re.fullmatch(r"[A-Z]{2,3}", s["section"]) or not re.fullmatch(r"([A-Z]{2})?", s["state"]):
            err(s["_where"], "bad section row")
    provinces = read_csv(data / "canadian_provinces.csv", ["code"])
    if len(provinces) != 13:
        err("canadian_provinces.csv", f"{len(provinces)} rows, expected 13")
    aliases = read_csv(data / "canadian_aliases.csv", ["alias", "province"])
    if len(aliases) != 15:
        err("canadian_aliases.csv", f"{len(aliases)} rows, expected 15")
    codes = {p["code"] for p in provinces}
    for a in aliases:
        if a["province"] not in codes:
            err(a["_where"], f"{a['province']} is not a province code")
    return sections, provinces, aliases


def load_name_forms(data: Path, gaz: list[County]):
    """The characters a list's county name may differ in, and the words it
    may write for the gazetteer's (SAINT for ST)."""
    rows = read_csv(data / "county_name_forms.csv", ["kind", "written", "gazetteer"])
    ignored, words = "", []
    for r in rows:
        if r["kind"] == "ignore" and len(r["written"]) == 1 and not r["written"].isalnum() \
                and 32 <= ord(r["written"]) < 127 and r["written"] not in '"\\' and not r["gazetteer"]:
            ignored += r["written"]
        elif r["kind"] == "word" and re.fullmatch(r"[A-Z]+", r["written"]) and re.fullmatch(r"[A-Z]+", r["gazetteer"]) \
                and r["written"] != r["gazetteer"]:
            words.append((r["written"], r["gazetteer"]))
        else:
            err(r["_where"], "expected ignore,CHARACTER, or word,WRITTEN,GAZETTEER in upper-case letters")
    written = [w for w, _ in words]
    if len(set(written)) != len(written):
        err("county_name_forms.csv", "a word is given twice")
    for c in gaz:
        if any(not ch.isalpha() and ch not in ignored for ch in c.name):
            err("us-counties-2010.csv", f"{c.st},{c.name}: a character neither letter nor ignored by county_name_forms.csv")
    return ignored, sorted(words)


# --------------------------------------------------------------------------
# The county aliases and the USA Counties award (data/county_aliases.csv,
# data/usaca/).

USACA_COUNT = 3077
USACA_STATES = set("AL AK AZ AR CA CO CT DE FL GA HI ID IL IN IA KS KY LA ME MD MA MI MN MS MO MT NE NV NH NJ NM "
                   "NY NC ND OH OK OR PA RI SC SD TN TX UT VT VA WA WV WI WY".split())
USACA_DISTRICTS = ["First Judicial District", "Second Judicial District", "Third Judicial District",
                   "Fourth Judicial District"]


def date_or_zero(row: dict, key: str) -> int:
    v = row[key]
    if not v:
        return 0
    if not re.fullmatch(r"(19|20)\d\d(0[1-9]|1[0-2])(0[1-9]|[12]\d|3[01])", v):
        err(row["_where"], f"{key} '{v}' is not a date YYYYMMDD")
        return 0
    return int(v)


def load_county_aliases(data: Path, gaz: list[County]):
    by_id = {c.id: c for c in gaz}
    out = []
    for r in read_csv(data / "county_aliases.csv", ["state", "name", "county_id", "from", "until", "why"]):
        cid = to_int(r, "county_id")
        c = by_id.get(cid)
        if c is None or c.st != r["state"]:
            err(r["_where"], f"{r['county_id']} is no gazetteer county of {r['state']}")
            continue
        f, u = date_or_zero(r, "from"), date_or_zero(r, "until")
        if f and u and f >= u:
            err(r["_where"], "from must be before until")
        if not r["why"]:
            err(r["_where"], "say why")
        cxx_string(r["name"], r["_where"])
        out.append((r["state"], r["name"], cid, f, u))
    return out


def load_usaca(data: Path, gaz: list[County]):
    by_id = {c.id: c for c in gaz}
    counties = []
    seen = set()
    for r in read_csv(data / "usaca" / "counties.csv", ["state", "county", "county_id"]):
        w = r["_where"]
        if r["state"] == "AK":
            if r["county"] not in USACA_DISTRICTS or r["county_id"]:
                err(w, "Alaska's rows are its four judicial districts, without a county id")
            counties.append((r["state"], r["county"], -1))
            continue
        cid = to_int(r, "county_id")
        c = by_id.get(cid)
        if c is None or (c.st, c.name) != (r["state"], r["county"]):
            err(w, f"{r['county_id']} is not {r['state']},{r['county']} in the gazetteer")
            continue
        if cid in seen:
            err(w, f"{cid} twice")
        seen.add(cid)
        counties.append((c.st, c.name, cid))
    if len(counties) != USACA_COUNT:
        err("usaca/counties.csv", f"{len(counties)} counties, the award has {USACA_COUNT}")
    boroughs = []
    for r in read_csv(data / "usaca" / "alaska.csv", ["county_id", "borough", "district"]):
        cid = to_int(r, "county_id")
        c = by_id.get(cid)
        if c is None or c.st != "AK" or c.name != r["borough"] or r["district"] not in USACA_DISTRICTS:
            err(r["_where"], "expected a gazetteer Alaska row and one of the four districts")
            continue
        boroughs.append((cid, r["district"]))
    if sorted(b for b, _ in boroughs) != sorted(c.id for c in gaz if c.st == "AK"):
        err("usaca/alaska.csv", "every gazetteer Alaska row once")
    claimable = []
    for r in read_csv(data / "usaca" / "claimable.csv", ["county_id", "place", "adjoining", "how"]):
        cid = to_int(r, "county_id")
        c = by_id.get(cid)
        adj = [int(a) for a in r["adjoining"].split() if a.isdigit()]
        if c is None or c.name != r["place"] or not adj or r["how"] not in ("borders", "within", "through cities"):
            err(r["_where"], "expected a gazetteer place, its adjoining award counties and how")
            continue
        if any(a not in seen for a in adj) or adj != sorted(set(adj)):
            err(r["_where"], "adjoining: award counties in ascending order")
        claimable.append((cid, c.name, adj, r["how"] == "through cities"))
    claimable.sort()
    # Every gazetteer row of the 50 states and DC is in exactly one of the three.
    placed = seen | {b for b, _ in boroughs} | {c for c, _, _, _ in claimable}
    for c in gaz:
        if (c.st in USACA_STATES or c.st == "DC") != (c.id in placed):
            err("usaca/", f"{c.st},{c.name} ({c.id}) is placed wrongly")
    return counties, sorted(boroughs), claimable


def emit_usaca(aliases, usaca) -> str:
    counties, boroughs, claimable = usaca
    o = ["",
         "#include \"data/county_aliases.h\"",
         "#include \"data/usaca_tables.h\"",
         "",
         "namespace shirl {",
         "namespace {",
         "",
         f"constexpr std::array<CountyAlias, {len(aliases)}> kCountyAliases{{{{"]
    o += [f'    {{"{st}", "{name}", {cid}, {f}, {u}}},' for st, name, cid, f, u in aliases]
    o += ["}};", "", f"constexpr std::array<UsacaCounty, {len(counties)}> kUsacaCounties{{{{"]
    o += [f'    {{"{st}", {cxx_string(name, "usaca")}, {cid}}},' for st, name, cid in counties]
    o += ["}};", "", f"constexpr std::array<UsacaBorough, {len(boroughs)}> kUsacaBoroughs{{{{"]
    o += [f'    {{{cid}, "{d}"}},' for cid, d in boroughs]
    flat = [a for _, _, adj, _ in claimable for a in adj]
    o += ["}};", "", f"constexpr std::array<int, {len(flat)}> kUsacaAdjoining{{{{"]
    o += ["    " + ", ".join(str(a) for a in flat) + ","]
    o += ["}};", "", "} // namespace", "",
          "std::span<const CountyAlias> CountyAliases() { return kCountyAliases; }",
          "std::span<const UsacaCounty> UsacaCounties() { return kUsacaCounties; }",
          "std::span<const UsacaBorough> UsacaBoroughs() { return kUsacaBoroughs; }",
          "",
          "std::span<const UsacaClaimable> UsacaClaimablePlaces() {",
          "    const std::span<const int> all = kUsacaAdjoining;",
          f"    static const std::array<UsacaClaimable, {len(claimable)}> kPlaces{{{{"]
    at = 0
    for cid, name, adj, through in claimable:
        o.append(f'        {{{cid}, {cxx_string(name, "usaca")}, all.subspan({at}, {len(adj)}), {"true" if through else "false"}}},')
        at += len(adj)
    o += ["    }};", "    return kPlaces;", "}", "", "} // namespace shirl"]
    return "\n".join(o) + "\n"


CONTEST_ID_SOURCES = ("adif", "logger", "cabrillo-alias")


def load_contest_ids(data: Path, sel) -> list[tuple[str, int]]:
    """The identifiers of contest_ids.csv with the index of the Selection each
    one names, in ascending byte order of the identifier."""
    rows = read_csv(data / "contest_ids.csv", ["contest_id", "selection", "source"])
    index = {r["code"]: int(r["index"]) for r in sel}
    out = {}
    for r in rows:
        cid, w = r["contest_id"], r["_where"]
        if not re.fullmatch(r"[0-9A-Z][0-9A-Z -]*[0-9A-Z]", cid):
            err(w, f"contest id {cid!r} must be capital letters, digits, '-' and blanks")
        if r["selection"] not in index:
            err(w, f"unknown selection code {r['selection']!r}")
            continue
        if r["source"] not in CONTEST_ID_SOURCES:
            err(w, f"source {r['source']!r} is not one of {', '.join(CONTEST_ID_SOURCES)}")
        if cid in out:
            err(w, f"contest id {cid} given twice")
        out[cid] = index[r["selection"]]
    return sorted(out.items(), key=lambda kv: byte_key(kv[0]))


def to_hz(text: str, where: str) -> int:
    """A frequency in MHz as written in bands.csv, in whole hertz."""
    if not re.fullmatch(r"[0-9]+(\.[0-9]{1,6})?", text):
        err(where, f"frequency {text!r} must be MHz with at most six decimals")
        return 0
    whole, _, part = text.partition(".")
    return int(whole) * 1_000_000 + int((part + "000000")[:6])


def load_bands(data: Path) -> list[tuple[str, int, int, str]]:
    """The bands of bands.csv (band, lower and upper edge in Hz, Cabrillo
    designator), ascending and without overlaps."""
    rows = read_csv(data / "bands.csv", ["band", "lower_mhz", "upper_mhz", "cabrillo"])
    out = []
    for r in rows:
        w = r["_where"]
        if not re.fullmatch(r"[0-9.]+(m|cm|mm)|submm", r["band"]):
            err(w, f"band {r['band']!r} is not an ADIF band name")
        if r["cabrillo"] and not re.fullmatch(r"[0-9]+(\.[0-9])?G?", r["cabrillo"]):
            err(w, f"Cabrillo designator {r['cabrillo']!r} must be digits, optionally ending in G")
        lower, upper = to_hz(r["lower_mhz"], w), to_hz(r["upper_mhz"], w)
        if lower >= upper:
            err(w, "the lower edge must be below the upper edge")
        if out and lower <= out[-1][2]:
            err(w, "bands must be ascending and must not overlap")
        out.append((r["band"], lower, upper, r["cabrillo"]))
    designators = [b[3] for b in out if b[3]]
    if len(designators) != len(set(designators)):
        err("bands.csv", "a Cabrillo designator is given twice")
    return out


# --------------------------------------------------------------------------

def emit(gaz, adif_cnty, tables, sel, order, sections, provinces, aliases, contest_ids, bands) -> str:
    o = []
    w = o.append
    w("// Generated by data/tools/generate_tables.py from the CSV files of data/.")
    w("// Do not edit: change the CSV files and rebuild.")
    w("#include <algorithm>")
    w("#include <array>")
    w("#include <cstddef>")
    w("#include <cstdint>")
    w("#include <span>")
    w("#include <string_view>")
    w("")
    w('#include "data/abbrev_tables.h"')
    w('#include "data/bands.h"')
    w('#include "data/contest_ids.h"')
    w('#include "data/gazetteer.h"')
    w('#include "data/reference_data.h"')
    w('#include "data/selections.h"')
    w("")
    w("namespace shirl {")
    w("namespace {")
    w("")
    w(f"constexpr std::array<GazetteerRow, {len(gaz)}> kGazetteer{{{{")
    for c in gaz:
        cnty = c.st + "," + adif_cnty.get(c.id, c.name)
        w(f'    {{"{c.st}", {c.sn}, {c.cn}, {cxx_string(c.name, "gazetteer")}, {cxx_string(cnty, "gazetteer")}}},')
    w("}};")
    w("")
    w("// The county index: slot = state number * 512 + county number holds the")
    w("// gazetteer row's position + 1 (0: no county). Built by the compiler.")
    w(f"constexpr int kStateRuns = {INDEX_STATE_RUNS};")
    w(f"constexpr int kRunLength = {INDEX_RUN_LENGTH};")
    w("constexpr auto kCountySlots = [] {")
    w("    std::array<std::uint16_t, kStateRuns * kRunLength> slots{};")
    w("    for (std::size_t i = 0; i < kGazetteer.size(); ++i)")
    w("        slots[static_cast<std::size_t>(kGazetteer[i].stateNumber * kRunLength + kGazetteer[i].countyNumber)] =")
    w("            static_cast<std::uint16_t>(i + 1);")
    w("    return slots;")
    w("}();")
    for tid, name, entries, _ in tables:
        w("")
        w(f"// {name}: {len(entries)} rows")
        w(f"constexpr std::array<AbbrevEntry, {len(entries)}> kRows{tid}{{{{")
        for a, cid, origin, _ in entries:
            w(f'    {{"{a}", {cid}, RowOrigin::{ORIGINS[origin]}}},')
        w("}};")
        w(f"static_assert(detail::IsByteOrdered(kRows{tid}));")
    w("")
    w(f"constexpr std::array<AbbrevTable, {len(tables)}> kTables{{{{")
    for tid, name, _, cities in tables:
        w(f'    {{{cxx_string(name, "tables.csv")}, kRows{tid}, {"true" if cities else "false"}}},')
    w("}};")
    w("")
    for r in sel:
        ts = r["tables"].split()
        if ts:
            w(f"constexpr std::array<TableId, {len(ts)}> kDispatch{r['index']}{{"
              + ", ".join(f"TableId::{t}" for t in ts) + "};")
    w("")
    w(f"constexpr std::array<detail::SelectionInfo, {len(sel)}> kSelections{{{{")
    for r in sel:
        span = f"kDispatch{r['index']}" if r["tables"].split() else "{}"
        traits = r["traits"].split()
        w(f'    {{"{r["code"]}", {cxx_string(r["name"], "selections.csv")}, {span}, '
          f'{"true" if r["kind"] == "party" else "false"}, {"true" if "sections" in traits else "false"}, '
          f'{"true" if "new_england_quiet" in traits else "false"}}},')
    w("}};")
    w("")
    areas = [r["code"] for r in sel if r["kind"] == "area"]
    w(f"constexpr std::array<std::string_view, {len(areas)}> kAreaCodes{{{{")
    w("    " + ", ".join(f'"{c}"' for c in areas) + ",")
    w("}};")
    w("")
    w(f"constexpr std::array<Selection, {len(order)}> kDisplayOrder{{{{")
    w("    " + ", ".join(f"Selection{{{r['selection_index']}}}" for r in order) + ",")
    w("}};")
    w("")
    w(f"constexpr std::array<SectionEntry, {len(sections)}> kSections{{{{")
    for s in sections:
        w(f'    {{"{s["section"]}", "{s["state"]}"}},')
    w("}};")
    w("")
    w(f"constexpr std::array<std::string_view, {len(provinces)}> kProvinces{{{{")
    w("    " + ", ".join(f'"{p["code"]}"' for p in provinces) + ",")
    w("}};")
    w("")
    w(f"constexpr std::array<CanadianAlias, {len(aliases)}> kAliases{{{{")
    for a in aliases:
        w(f'    {{"{a["alias"]}", "{a["province"]}"}},')
    w("}};")
    w("")
    w(f"constexpr std::array<ContestIdEntry, {len(contest_ids)}> kContestIds{{{{")
    for cid, s in contest_ids:
        w(f'    {{"{cid}", {s}}},')
    w("}};")
    w("static_assert(std::is_sorted(kContestIds.begin(), kContestIds.end(),")
    w("                             [](const ContestIdEntry& a, const ContestIdEntry& b) {")
    w("                                 return detail::CompareBytes(a.contestId, b.contestId) < 0;")
    w("                             }));")
    w("")
    w(f"constexpr std::array<BandEntry, {len(bands)}> kBands{{{{")
    for band, lower, upper, cabrillo in bands:
        w(f'    {{"{band}", {lower}, {upper}, "{cabrillo}"}},')
    w("}};")
    w("")
    w("} // namespace")
    w("")
    w("std::span<const BandEntry> BandTable() { return kBands; }")
    w("std::span<const ContestIdEntry> ContestIdTable() { return kContestIds; }")
    w("std::span<const GazetteerRow> Gazetteer() { return kGazetteer; }")
    w("std::span<const AbbrevTable> AllAbbrevTables() { return kTables; }")
    w("std::span<const Selection> DisplayOrder() { return kDisplayOrder; }")
    w("std::span<const std::string_view> AreaSelectionCodes() { return kAreaCodes; }")
    w("std::span<const SectionEntry> SectionTable() { return kSections; }")
    w("std::span<const std::string_view> CanadianProvinceCodes() { return kProvinces; }")
    w("std::span<const CanadianAlias> CanadianAliases() { return kAliases; }")
    w("")
    w("const GazetteerRow* FindCounty(int countyId) {")
    w("    const int state = countyId / 1000;")
    w("    const long long slot = static_cast<long long>(state) * kRunLength + (countyId - state * 1000);")
    w("    if (slot < 0 || slot >= static_cast<long long>(kCountySlots.size())) return nullptr;")
    w("    const std::uint16_t row = kCountySlots[static_cast<std::size_t>(slot)];")
    w("    return row == 0 ? nullptr : &kGazetteer[row - 1u];")
    w("}")
    w("")
    w("namespace detail {")
    w("std::span<const SelectionInfo> SelectionInfos() { return kSelections; }")
    w("} // namespace detail")
    w("")
    w("} // namespace shirl")
    return "\n".join(o) + "\n"


def emit_name_forms(name_forms) -> str:
    """The county name forms, appended to the tables' .cpp file."""
    ignored, words = name_forms
    o = ["",
         "namespace shirl::detail {",
         "",
         f'std::string_view CountyNameIgnoredCharacters() {{ return "{ignored}"; }}',
         "",
         "std::span<const CountyNameWord> CountyNameWords() {",
         f"    static constexpr std::array<CountyNameWord, {len(words)}> kWords{{{{"]
    o += [f'        {{"{written}", "{gazetteer}"}},' for written, gazetteer in words]
    o += ["    }};",
          "    return kWords;",
          "}",
          "",
          "} // namespace shirl::detail"]
    return "\n".join(o) + "\n"


def emit_table_ids(table_ids: list[str]) -> str:
    o = ["// Generated by data/tools/generate_tables.py from data/abbrev/tables.csv.",
         "// Do not edit: change the CSV file and rebuild.",
         "#pragma once",
         "",
         "namespace shirl {",
         "",
         "// The abbreviation tables, in the order of data/abbrev/tables.csv.",
         "enum class TableId : int {"]
    o += [f"    {t}," for t in table_ids]
    o += ["};",
          f"inline constexpr int kAbbrevTableCount = {len(table_ids)};",
          "",
          "} // namespace shirl"]
    return "\n".join(o) + "\n"


def emit_selection_ids(sel) -> str:
    o = ["// Generated by data/tools/generate_tables.py from data/selections.csv.",
         "// Do not edit: change the CSV file and rebuild. Included by data/selections.h.",
         "#pragma once",
         "",
         "namespace shirl {",
         "",
         f"inline constexpr int kSelectionCount = {len(sel)};",
         "",
         "// Every Selection by its code (a code that starts with a digit keeps it: k7QP).",
         "namespace selections {"]
    o += [f"inline constexpr Selection {constant_name(r['code'])}{{{r['index']}}}; // {r['name']}" for r in sel]
    o += ["} // namespace selections",
          "",
          "} // namespace shirl"]
    return "\n".join(o) + "\n"


def main() -> int:
    ap = argparse.ArgumentParser(description="Generate Shirl's constant reference tables.")
    ap.add_argument("--data", required=True, type=Path, help="the data/ folder")
    ap.add_argument("--output", type=Path, help="the .cpp file to write")
    ap.add_argument("--check", action="store_true", help="validate only, write nothing")
    ns = ap.parse_args()
    data = ns.data
    global DATA_DIR
    DATA_DIR = data
    gaz = load_gazetteer(data)
    adif_cnty = load_adif_cnty(data, gaz)
    table_ids = table_ids_from_manifest(data)
    tables = load_tables(data, gaz, table_ids)
    sel, order = load_selections(data, table_ids)
    sections, provinces, aliases = load_small(data)
    contest_ids = load_contest_ids(data, sel)
    name_forms = load_name_forms(data, gaz)
    bands = load_bands(data)
    county_aliases = load_county_aliases(data, gaz)
    usaca = load_usaca(data, gaz)
    text = emit(gaz, adif_cnty, tables, sel, order, sections, provinces, aliases, contest_ids, bands) + \
        emit_name_forms(name_forms) + emit_usaca(county_aliases, usaca)
    if ERRORS:
        for e in ERRORS:
            print(e if e.startswith("data/") else f"data/{e}", file=sys.stderr)
        print(f"generate_tables.py: {len(ERRORS)} problem(s) in the reference data", file=sys.stderr)
        return 1
    if ns.output and not ns.check:
        ns.output.parent.mkdir(parents=True, exist_ok=True)
        ns.output.write_text(text)
        (ns.output.parent / "table_ids.h").write_text(emit_table_ids(table_ids))
        (ns.output.parent / "selection_ids.h").write_text(emit_selection_ids(sel))
    return 0


if __name__ == "__main__":
    sys.exit(main())
