#!/usr/bin/env python3
"""Writes a realistic, reproducible QSO-party ADIF log of any size.

The log looks like an N1MM Logger export of an Alabama QSO Party: a header,
then one record per line with the logger's fields (APP_N1MM_EXCHANGE1, CNTY,
STX_STRING, RST_SENT/RST_RCVD, FREQ, BAND, MODE, CONTEST_ID, ...), CR LF line
ends. Mixed in, at fixed rates: stations on a county line (two county
fields), mobiles whose callsign carries the county as a suffix (N0CALL/AUT),
state and DX exchanges, and a few values that name no county.

    bench/gen_log.py --qsos 1000000 --seed 1 --out big.adi
    bench/gen_log.py --qsos 1000 --plain --out small.adi   # no report lines

--plain writes only single-county QSOs that resolve silently, so that the
report has the same two summary lines whatever the size (used by the memory
check). --abbrevs FILE takes the abbreviations from a file (first column of
`shirl-cli abbreviations --selection AL` output) instead of the built-in list.
"""
import argparse
import random
import sys

# Every abbreviation of the Alabama table (the output of
# `shirl-cli abbreviations --selection AL`, first column).
ALABAMA = [
    "AUT", "AUTA", "BAL", "BALD", "BAR", "BARB", "BIB", "BIBB", "BLO", "BLOU", "BUL", "BULL",
    "BUT", "BUTL", "CAL", "CHA", "CHE", "CHI", "CHIL", "CHMB", "CHO", "CHOC", "CHOU", "CKEE",
    "CLAY", "CLE", "CLEB", "CLK", "CLRK", "CLY", "COF", "COFF", "COL", "COLB", "CON", "CONE",
    "COO", "COOS", "COV", "COVI", "CRE", "CREN", "CUL", "CULM", "DAL", "DALE", "DEK", "DKLB",
    "DLLS", "DLS", "ELM", "ELMO", "ESC", "ESCA", "ETO", "ETOW", "FAY", "FAYE", "FRA", "FRNK",
    "GEN", "GENE", "GRE", "GREE", "HAL", "HALE", "HEN", "HNRY", "HOU", "HOUS", "JAC", "JEF",
    "JEFF", "JKSN", "LAM", "LAMA", "LAU", "LAUD", "LAW", "LAWR", "LEE", "LIM", "LIME", "LOW",
    "LOWN", "MAC", "MACO", "MAD", "MAR", "MARI", "MDSN", "MGMY", "MGY", "MNRO", "MOB", "MOBI",
    "MON", "MOR", "MORG", "MRGO", "MRH", "MRN", "MRSH", "PER", "PERR", "PIC", "PICK", "PIK",
    "PIKE", "RAN", "RAND", "RSSL", "RUS", "SBY", "SCLR", "SHEL", "STC", "SUM", "SUMT", "TDA",
    "TDEG", "TPA", "TPOO", "TUS", "TUSC", "WAL", "WAS", "WASH", "WIL", "WIN", "WINS", "WLCX",
    "WLKR",
]
STATES = ["TX", "GA", "FL", "TN", "MS", "OH", "NY", "CA", "ON", "MD"]
UNRESOLVABLE = ["XQZ", "ALBM", "QQQQ", "ZZZ"]
BANDS = [("160M", 1.8), ("80M", 3.5), ("40M", 7.0), ("20M", 14.0), ("15M", 21.0), ("10M", 28.0)]
MODES = ["CW", "SSB", "FT8", "RTTY"]
PREFIXES = ["K", "N", "W", "AA", "AB", "KA", "KB", "KC", "KD", "KE", "KF", "KG", "KI", "KJ", "KK",
            "N", "W", "WA", "WB", "VE", "VA"]

HEADER = (
    "ADIF Export from N1MMLogger.net - Version 1.0.10923.0\r\n"
    "Built: 9/16/2025 7:16:42 AM\r\n"
    "N0AL logs generated @ 2020-03-01 13:42:25Z\r\n"
    "Contest Name: ALQP - 2020-02-29\r\n"
    "<ADIF_VER:5>3.1.0 <PROGRAMID:9>N1MM Plus <EOH>\r\n"
)


def field(name, value):
    return f"<{name}:{len(value)}>{value} "


def callsign(rng):
    prefix = rng.choice(PREFIXES)
    suffix = "".join(rng.choice("ABCDEFGHIJKLMNOPQRSTUVWXYZ") for _ in range(rng.randint(1, 3)))
    return f"{prefix}{rng.randint(0, 9)}{suffix}"


def record(rng, serial, counties, plain):
    """One QSO record as text (CR LF at the end)."""
    call = callsign(rng)
    band, base = rng.choice(BANDS)
    mode = rng.choice(MODES)
    rst = "599" if mode in ("CW", "RTTY") else ("59" if mode == "SSB" else "-07")
    seconds = serial * 7  # a QSO every 7 seconds, day after day of February
    day = seconds // 86400 % 28
    time = f"{seconds // 3600 % 24:02d}{seconds // 60 % 60:02d}{seconds % 60:02d}"
    date = f"202002{1 + day:02d}"
    own = rng.choice(counties)
    exchange = rng.choice(counties)
    extra = None  # a second county field (county line)
    kind = 0 if plain else rng.random()
    if plain:
        pass
    elif kind < 0.03:  # county line
        extra = rng.choice(counties)
    elif kind < 0.05:  # mobile: the county rides on the callsign
        call = f"{call}/{exchange}"
    elif kind < 0.08:  # a state or province instead of a county
        exchange = rng.choice(STATES)
    elif kind < 0.09:
        exchange = "DX"
    elif kind < 0.092:  # names no county
        exchange = rng.choice(UNRESOLVABLE)
    out = [
        field("CALL", call),
        field("QSO_DATE", date),
        field("TIME_ON", time),
        field("TIME_OFF", time),
        field("BAND", band),
        field("STATION_CALLSIGN", "N0AL"),
        field("FREQ", f"{base + rng.randint(0, 300) / 1000:.5f}"),
        field("CONTEST_ID", "AL-QSO-PARTY"),
        field("MODE", mode),
        field("RST_RCVD", rst),
        field("RST_SENT", rst),
        field("STX_STRING", own),
        field("APP_N1MM_EXCHANGE1", exchange),
    ]
    if extra is not None:
        out.append(field("CNTY", extra))
    out.append(field("APP_N1MM_ID", f"{rng.getrandbits(128):032x}"))
    out.append(field("APP_N1MM_CLAIMEDQSO", "1"))
    out.append("<EOR>\r\n")
    return "".join(out)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--qsos", type=int, default=1000, help="number of QSO records")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--out", default="-", help="output file, - for stdout")
    parser.add_argument("--plain", action="store_true", help="only single counties that resolve silently")
    parser.add_argument("--abbrevs", help="file whose lines start with the abbreviations to use")
    args = parser.parse_args()

    counties = ALABAMA
    if args.abbrevs:
        with open(args.abbrevs, encoding="ascii") as f:
            counties = [line.split()[0] for line in f if line.strip()]
        if not counties:
            sys.exit("gen_log.py: no abbreviations in " + args.abbrevs)

    rng = random.Random(args.seed)
    out = sys.stdout.buffer if args.out == "-" else open(args.out, "wb")
    with out:
        out.write(HEADER.encode("ascii"))
        chunk = []
        for serial in range(args.qsos):
            chunk.append(record(rng, serial, counties, args.plain))
            if len(chunk) == 10000:
                out.write("".join(chunk).encode("ascii"))
                chunk.clear()
        out.write("".join(chunk).encode("ascii"))


if __name__ == "__main__":
    main()
