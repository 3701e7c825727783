#!/usr/bin/env bash
# tools/test-fuzz.sh: the fuzzers' short run for ./test --all and CI: each
# target for FUZZ_SECONDS seconds (default 60). Any crash, leak, sanitizer
# finding or timeout fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
exec tools/fuzz.sh "${FUZZ_SECONDS:-60}"
