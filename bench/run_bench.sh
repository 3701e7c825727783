#!/usr/bin/env bash
# bench/run_bench.sh [QSOS]   (default 1000000)
#
# On one generated log, in one run, measures whole-process wall time and peak
# memory (best wall time of RUNS runs, default 3; peak RSS of the same runs) of
#   product  shirl-cli convert --selection AL LOG OUT
#   floor    cat LOG > /dev/null
#   peer     node bench/peer/peer.js LOG OUT   (npm adif-parser-ts: read, write back)
# and prints MB/s, QSOs/s and the ratios product/floor and peer/product.
# Then the memory check: peak RSS of shirl-cli for a plain 1,000,000-QSO log
# against a plain 1,000-QSO log (target: within 2 MB).
#
# Environment: RUNS=N, SHIRL_CLI=path (skip the build), SKIP_PEER=1.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/common.sh

qsos="${1:-1000000}"
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

# measure NAME COMMAND...: best wall seconds and largest peak RSS (KiB) of
# $runs runs; stdout of the command goes to $out/NAME.stdout.
measure() {
  local name="$1"; shift
  local best="" rss=0 i t0 t1 wall m
  for ((i = 0; i < runs; i++)); do
    t0=$(date +%s%N)
    /usr/bin/time -f '%M' -o "$out/$name.time" "$@" >"$out/$name.stdout"
    t1=$(date +%s%N)
    wall=$(( (t1 - t0) / 1000 ))  # microseconds
    m=$(tail -n 1 "$out/$name.time")
    if [ -z "$best" ] || [ "$wall" -lt "$best" ]; then best="$wall"; fi
    if [ "$m" -gt "$rss" ]; then rss="$m"; fi
  done
  echo "$best $rss"
}

log=$(gen "$qsos")
bytes=$(stat -c %s "$log")
cat "$log" >/dev/null  # into the page cache, so that every contender reads from memory

step "measuring on $log ($bytes bytes, $qsos QSOs, best of $runs)"
echo "load while measuring: $(cut -d' ' -f1-3 /proc/loadavg) (1/5/15 min)"
read -r floor_us floor_kb < <(measure floor cat "$log")
read -r prod_us prod_kb < <(measure product "$SHIRL_CLI" convert --selection AL "$log" "$out/product.adi")
peer_us="" peer_kb=""
if [ "${SKIP_PEER:-0}" != 1 ]; then
  read -r peer_us peer_kb < <(measure peer node bench/peer/peer.js "$log" "$out/peer.adi")
fi

python3 - "$bytes" "$qsos" "$floor_us" "$floor_kb" "$prod_us" "$prod_kb" "${peer_us:-0}" "${peer_kb:-0}" <<'EOF'
import sys
b, q, fu, fk, pu, pk, eu, ek = (int(x) for x in sys.argv[1:])
mb = b / 1e6
def row(name, us, kb):
    s = us / 1e6
    print(f"{name:<8} {s:9.3f} s {mb / s:10.1f} MB/s {q / s:14,.0f} QSOs/s {kb / 1024:9.1f} MiB peak")
print(f"{'':<8} {'wall':>11} {'throughput':>15} {'':>21} {'memory':>14}")
row("floor", fu, fk)
row("product", pu, pk)
if eu:
    row("peer", eu, ek)
print(f"product/floor (wall): {pu / fu:.2f}   (target <= 3.5)")
if eu:
    print(f"peer/product (wall):  {eu / pu:.2f}   (target >= 40)")
print(f"product throughput:   {mb / (pu / 1e6):.1f} MB/s   (target >= 300)")
EOF
echo "product report: $(grep -E '^(Converted|Wrote) ' "$out/product.stdout" | tr '\n' ' ')"
echo "  and $(grep -c '' "$out/product.stdout") report rows in all"

step "memory check: plain logs of 1,000 and 1,000,000 QSOs"
small=$(gen 1000 plain)
large=$(gen 1000000 plain)
read -r _ small_kb < <(measure mem-small "$SHIRL_CLI" convert --selection AL "$small" "$out/mem-small.adi")
read -r _ large_kb < <(measure mem-large "$SHIRL_CLI" convert --selection AL "$large" "$out/mem-large.adi")
delta=$((large_kb - small_kb))
echo "peak RSS: 1,000 QSOs ${small_kb} KiB; 1,000,000 QSOs ${large_kb} KiB; difference ${delta} KiB (target <= 2048)"
if [ "$delta" -le 2048 ]; then echo "memory: flat"; else echo "memory: GROWS"; fi
