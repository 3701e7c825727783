#!/usr/bin/env bash
# bench/run_bench.sh [QSOS]   (default 400000)
#
# On one generated log, measures whole-process wall time and peak memory of
#   shirl     shirl-cli convert --selection AL LOG OUT
#   cp        cp LOG OUT   (the floor: the same bytes read and written once)
#   peer      node bench/peer/peer.js LOG OUT   (npm adif-parser-ts: read, write back)
# run in turn (A B C A B C ...: a change of the machine's load meets them
# all), RUNS rounds (default 3): the best wall time of each, its MB/s and
# QSOs/s, the largest peak RSS, and the ratios shirl/cp and peer/shirl.
# Then the memory check: peak RSS of shirl-cli for a plain 1,000,000-QSO log
# against a plain 1,000-QSO log (target: within 2 MB).
#
# Environment: RUNS=N, SHIRL_CLI=path (skip the build), SKIP_PEER=1,
# REPLACE=1 (each run replaces the output of the run before).
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/common.sh

qsos="${1:-400000}"
runs="${RUNS:-3}"
out=bench/out
mkdir -p "$out"

ensure_packages cmake g++ make python3 time
if [ "${SKIP_PEER:-0}" != 1 ] && ! command -v npm >/dev/null; then
  ensure_packages nodejs npm
fi

if [ -z "${SHIRL_CLI:-}" ]; then
  step "building build/release"
  cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DSHIRL_BUILD_TESTS=OFF >/dev/null
  cmake --build build/release -j 2 --target shirl-cli
  SHIRL_CLI=build/release/cli/shirl-cli
fi
if [ "${SKIP_PEER:-0}" != 1 ] && [ ! -d bench/peer/node_modules/adif-parser-ts ]; then
  step "installing the peer (npm adif-parser-ts)"
  (cd bench/peer && npm install --no-audit --no-fund --loglevel=error)
fi

# The Selection's own abbreviations, so that the plain logs resolve silently.
"$SHIRL_CLI" abbreviations --selection AL >"$out/abbrevs-AL.txt"

# gen N [--plain]: the log's path; generated once per size and kind.
gen() {
  local n="$1" kind="${2:-}" file
  file="$out/log-$n${kind:+-plain}.adi"
  if [ ! -s "$file" ]; then
    python3 bench/gen_log.py --qsos "$n" --seed 1 ${kind:+--plain} --abbrevs "$out/abbrevs-AL.txt" --out "$file.tmp"
    mv "$file.tmp" "$file"
  fi
  echo "$file"
}

# run_once NAME COMMAND...: one run; appends "wall_us rss_kib" to $out/NAME.runs
# and keeps the command's stdout in $out/NAME.stdout.
run_once() {
  local name="$1" t0 t1
  shift
  # Each run writes a new file: on ext4 a file renamed over an existing one
  # has its blocks written out first (auto_da_alloc), which cp and the peer,
  # writing in place, do not pay; set REPLACE=1 to time that case.
  [ "${REPLACE:-0}" = 1 ] || rm -f "$out/$name.adi"
  t0=$(date +%s%N)
  /usr/bin/time -f '%M' -o "$out/$name.time" "$@" >"$out/$name.stdout"
  t1=$(date +%s%N)
  echo "$(( (t1 - t0) / 1000 )) $(tail -n 1 "$out/$name.time")" >>"$out/$name.runs"
}

# best NAME: "best_wall_us largest_rss_kib" of NAME's runs.
best() {
  echo "$(sort -n "$out/$1.runs" | head -n 1 | cut -d' ' -f1) $(sort -n -k2 "$out/$1.runs" | tail -n 1 | cut -d' ' -f2)"
}

# interleaved NAME=COMMAND...: $runs rounds, each running every contender once.
interleaved() {
  local contender i
  for contender in "$@"; do rm -f "$out/${contender%%=*}.runs"; done
  for ((i = 0; i < runs; i++)); do
    for contender in "$@"; do
      # shellcheck disable=SC2086  # the command's words
      run_once "${contender%%=*}" ${contender#*=}
    done
  done
}

log=$(gen "$qsos")
bytes=$(stat -c %s "$log")
cat "$log" >/dev/null  # into the page cache, so that every contender reads from memory

step "measuring on $log ($bytes bytes, $qsos QSOs, best of $runs, in turn)"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg) (1/5/15 min)"
names=(shirl cp)
contenders=("shirl=$SHIRL_CLI convert --selection AL $log $out/shirl.adi"
            "cp=cp $log $out/cp.adi")
if [ "${SKIP_PEER:-0}" != 1 ]; then
  names+=(peer)
  contenders+=("peer=node bench/peer/peer.js $log $out/peer.adi")
fi
interleaved "${contenders[@]}"
echo "load after:  $(cut -d' ' -f1-3 /proc/loadavg)"

figures=()
for name in "${names[@]}"; do
  read -r us kb < <(best "$name")
  figures+=("$name" "$us" "$kb")
done
python3 - "$bytes" "$qsos" "${figures[@]}" <<'EOF'
import sys
b, q = int(sys.argv[1]), int(sys.argv[2])
rest = sys.argv[3:]
fig = {rest[i]: (int(rest[i + 1]), int(rest[i + 2])) for i in range(0, len(rest), 3)}
mb = b / 1e6
print(f"{'':<9} {'wall':>11} {'throughput':>15} {'':>21} {'memory':>14}")
for name, (us, kb) in fig.items():
    s = us / 1e6
    print(f"{name:<9} {s:9.3f} s {mb / s:10.1f} MB/s {q / s:14,.0f} QSOs/s {kb / 1024:9.1f} MiB peak")
o, c = fig["shirl"][0], fig["cp"][0]
print(f"shirl/cp (wall):      {o / c:.2f}")
if "peer" in fig:
    print(f"peer/shirl (wall):    {fig['peer'][0] / o:.2f}")
print(f"shirl throughput:     {mb / (o / 1e6):.1f} MB/s")
EOF
echo "report: $(grep -E '^(Converted|Wrote) ' "$out/shirl.stdout" | tr '\n' ' ')"

step "memory check: a plain 1,000-QSO log against a plain 1,000,000-QSO log"
large=$(gen 1000000 plain)
small=$(gen 1000 plain)
interleaved "mem-small=$SHIRL_CLI convert --selection AL $small $out/mem-small.adi" \
            "mem-large=$SHIRL_CLI convert --selection AL $large $out/mem-large.adi"
read -r _ small_kb < <(best mem-small)
read -r _ large_kb < <(best mem-large)
delta=$((large_kb - small_kb))
verdict=flat
[ "$delta" -le 2048 ] || verdict=GROWS
echo "peak RSS 1,000 QSOs ${small_kb} KiB; 1,000,000 QSOs ${large_kb} KiB; difference ${delta} KiB (target <= 2048): $verdict"
