#!/bin/sh
# The award's speed: a logbook of QSOS records (default 100,000, made by
# bench/gen_award_log.py) tallied by `shirl-cli award`, best of three, with
# the CPU time, the wall time and the peak memory (/usr/bin/time).
# Usage: bench/award_bench.sh [QSOS]   (SHIRL_CLI: the shirl-cli to measure)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
qsos=${1:-100000}
cli=${SHIRL_CLI:-$here/../build/native/cli/shirl-cli}
log=$(mktemp --suffix=.adi)
trap 'rm -f "$log"' EXIT
python3 "$here/gen_award_log.py" --qsos "$qsos" "$here/../data" > "$log"
echo "logbook: $qsos records, $(wc -c < "$log") bytes; load $(cut -d' ' -f1-3 /proc/loadavg)"
for run in 1 2 3; do
  /usr/bin/time -f "run $run: %U s user, %S s system, %e s wall, %M KiB peak" "$cli" award "$log" > /dev/null
done
