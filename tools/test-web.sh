#!/usr/bin/env bash
# tools/test-web.sh          builds the page (tools/build-web.sh) and shirl-cli,
#                            then converts in headless Chromium and compares
#                            with shirl-cli; screenshots in build/web-test/
# tools/test-web.sh --bench  converts the large benchmark log in the page
#                            (bench/run_bench.sh makes it) and prints MB/s
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/common.sh

bench=0
for arg in "$@"; do
  case "$arg" in
    --bench) bench=1 ;;
    -h|--help) sed -n '2,6p' "$0"; exit 0 ;;
    *) echo "ERROR: unknown option $arg" >&2; exit 2 ;;
  esac
done

ensure_packages cmake g++ make python3 emscripten node-acorn chromium chromium-driver python3-selenium unzip
tools/build-web.sh
if [ ! -x build/native/cli/shirl-cli ]; then
  cmake -S . -B build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSHIRL_WERROR=ON >/dev/null
fi
cmake --build build/native -j "$(jobs)" --target shirl-cli

args=(--page build/web/web/shirl.html --cli build/native/cli/shirl-cli --source . --work build/web-test
      --samples ../shared/data/adif-samples)
if [ "$bench" = 1 ]; then
  log=bench/out/log-1000000.adi
  [ -s "$log" ] || { echo "ERROR: no $log: run bench/run_bench.sh first" >&2; exit 1; }
  args+=(--bench "$log")
fi
step "the page in headless Chromium"
# Debian's Python, where python3-selenium lives.
/usr/bin/python3 tests/web/test_page.py "${args[@]}"
