#!/usr/bin/env python3
"""Writes a logbook for the award benchmark: QSOS records (default 100,000)
of a general logbook as logging programs export it: 85 % US stations with CNTY
in the spellings logbooks use (ADIF's, upper case with a // comment, a blank
after the comma, a County suffix, a bare name with STATE), 1 % of them with
USACA_COUNTIES, 15 % DX without a county, LoTW and card confirmations.

Usage: gen_award_log.py [--qsos N] [--seed S] DATA_DIR > logbook.adi
"""
import argparse
import csv
import random
import sys
from pathlib import Path


def field(name, value):
    return f"<{name}:{len(value)}>{value}"


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--qsos", type=int, default=100000)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("data", type=Path)
    ns = ap.parse_args()
    rnd = random.Random(ns.seed)
    with open(ns.data / "us-counties-2010.csv", newline="") as f:
        counties = [(r["state_code"], r["name"]) for r in csv.DictReader(f)
                    if r["state_code"] not in ("PR", "GU", "VI", "AS", "MP", "UM")]
    bands = ["160m", "80m", "40m", "30m", "20m", "17m", "15m", "12m", "10m", "6m"]
    modes = ["CW", "SSB", "FT8", "RTTY", "FM"]
    out = sys.stdout
    out.write("Generated logbook\n<ADIF_VER:5>3.1.4 <PROGRAMID:5>bench <EOH>\n")
    for n in range(ns.qsos):
        f = [field("CALL", f"W{n % 10}{chr(65 + n % 26)}{chr(65 + n // 26 % 26)}{chr(65 + n // 676 % 26)}"),
             field("QSO_DATE", f"20{10 + n % 14:02d}{1 + n % 12:02d}{1 + n % 28:02d}"),
             field("TIME_ON", f"{n % 24:02d}{n % 60:02d}00"),
             field("BAND", rnd.choice(bands)), field("MODE", rnd.choice(modes)),
             field("RST_SENT", "59"), field("RST_RCVD", "59"), field("NAME", "OPERATOR NAME")]
        if rnd.random() < 0.15:
            f[0] = field("CALL", f"DL{n % 10}ABC")
            f.append(field("DXCC", "230"))
        else:
            st, name = rnd.choice(counties)
            form = rnd.random()
            if form < 0.5:
                f.append(field("CNTY", f"{st},{name}"))
            elif form < 0.75:
                f.append(field("CNTY", f"{st},{name.upper()} // {name}"))
            elif form < 0.85:
                f.append(field("CNTY", f"{st}, {name} County"))
            else:
                f.append(field("CNTY", name))
            f.append(field("STATE", st))
            f.append(field("DXCC", "291"))
            if rnd.random() < 0.01:
                st2, name2 = rnd.choice(counties)
                f.append(field("USACA_COUNTIES", f"{st},{name}:{st2},{name2}"))
        f.append(field("LOTW_QSL_RCVD", "Y" if rnd.random() < 0.4 else "N"))
        f.append(field("QSL_RCVD", "Y" if rnd.random() < 0.1 else "N"))
        out.write(" ".join(f) + " <EOR>\n")


if __name__ == "__main__":
    main()
