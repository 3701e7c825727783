#!/usr/bin/env bash
# bench/fill_bench.sh [RECORDS]   (default 100000)
#
# shirl-cli fill on generated logs: a 3,000-QSO contest log, and a logbook of
# RECORDS records that holds those QSOs among others (bench/gen_log.py). Prints
# the wall time and peak memory (best of RUNS runs, default 3), then the
# memory check: peak RSS for a logbook of twice RECORDS records (the same
# contest log) must stay within 2 MB of it.
#
# Environment: RUNS=N, SHIRL_CLI=path (default build/native/cli/shirl-cli).
set -euo pipefail
cd "$(dirname "$0")/.."
records="${1:-100000}"
runs="${RUNS:-3}"
cli="${SHIRL_CLI:-build/native/cli/shirl-cli}"
out=bench/out/fill
mkdir -p "$out"

python3 bench/gen_log.py --qsos 3000 --seed 2 --plain --out "$out/contest.adi"
# A logbook: its own QSOs, with the contest's records (as forwarded) in the middle.
make_logbook() { # RECORDS FILE
  local others=$(( $1 - 3000 ))
  python3 bench/gen_log.py --qsos "$others" --seed 1 --plain --out "$out/others.adi"
  sed '1,/<EOH>/d' "$out/others.adi" > "$out/body.adi"
  { sed -n '1,/<EOH>/p' "$out/others.adi"
    head -n $(( others / 2 )) "$out/body.adi"
    sed '1,/<EOH>/d' "$out/contest.adi"
    tail -n +$(( others / 2 + 1 )) "$out/body.adi"
  } > "$2"
}
make_logbook "$records" "$out/logbook.adi"
make_logbook $(( records * 2 )) "$out/logbook2.adi"

measure() { # LOGBOOK -> "SECONDS KB"
  local best="" rss=0
  for _ in $(seq "$runs"); do
    /usr/bin/time -f "%e %M" -o "$out/time.txt" "$cli" fill --selection AL --from "$out/contest.adi" "$1" "$out/filled.adi" > "$out/report.txt"
    read -r s kb < "$out/time.txt"
    if [ -z "$best" ] || awk "BEGIN{exit !($s < $best)}"; then best=$s; fi
    [ "$kb" -gt "$rss" ] && rss=$kb
  done
  echo "$best $rss"
}
read -r secs kb <<< "$(measure "$out/logbook.adi")"
bytes=$(stat -c %s "$out/logbook.adi")
echo "fill: $records-record logbook ($((bytes / 1000000)) MB), 3,000-QSO contest log: ${secs} s, peak RSS ${kb} KB"
grep -E "^Matched|^Added|^Wrote" "$out/report.txt"
read -r secs2 kb2 <<< "$(measure "$out/logbook2.adi")"
echo "fill: $((records * 2))-record logbook: ${secs2} s, peak RSS ${kb2} KB"
if [ $(( kb2 - kb )) -gt 2048 ]; then
  echo "memory grows with the logbook: ${kb} KB -> ${kb2} KB" >&2
  exit 1
fi
echo "memory flat: ${kb} KB -> ${kb2} KB"
