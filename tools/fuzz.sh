#!/usr/bin/env bash
# tools/fuzz.sh SECONDS [TARGET...]
#   Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer)
#   in build/fuzz and runs each for SECONDS, one after the other. Default
#   targets: every fuzz/fuzz_*.cpp. Seeds: fuzz/seeds/TARGET/, the golden test
#   inputs (tests/data/golden/*/input.adi) and examples/*.adi for the
#   conversion. The corpus grows in build/fuzz/corpus/TARGET; a crash is
#   kept in build/fuzz/artifacts/ and fails the script.
#   Prints the executions of each target and their total.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/common.sh

seconds="${1:?usage: tools/fuzz.sh SECONDS [TARGET...]}"
shift
ensure_packages cmake clang make python3 libclang-rt-14-dev

dir=build/fuzz
step "building the fuzzers in $dir"
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DSHIRL_BUILD_TESTS=OFF -DSHIRL_BUILD_QT=OFF -DSHIRL_BUILD_WIN32=OFF -DSHIRL_BUILD_FUZZERS=ON >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in fuzz/fuzz_*.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi
cmake --build "$dir" -j "$(jobs)" --target "${targets[@]}"

export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
total=0
failed=()
mkdir -p "$dir/artifacts" "$dir/logs"
for t in "${targets[@]}"; do
  corpus="$dir/corpus/$t"
  mkdir -p "$corpus"
  [ -d "fuzz/seeds/$t" ] && cp -n fuzz/seeds/"$t"/* "$corpus"/ 2>/dev/null || true
  if [ "$t" = fuzz_convert ] || [ "$t" = fuzz_reader ]; then
    # These targets read their first byte as a setting (the conversion: the
    # Selection): seed with
    # each golden input and example once for Alabama (first byte 1).
    i=0
    for f in tests/data/golden/*/input.adi examples/*.adi examples/*.adif; do
      [ -f "$f" ] || continue
      { printf '\001'; cat "$f"; } >"$corpus/seed-$i"
      i=$((i + 1))
    done
  fi
  dict=()
  [ -f "fuzz/$t.dict" ] && dict=("-dict=fuzz/$t.dict")
  step "$t for ${seconds}s"
  log="$dir/logs/$t.log"
  rc=0
  "$dir/fuzz/$t" "$corpus" "${dict[@]}" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 \
    -max_len=65536 -print_final_stats=1 -artifact_prefix="$dir/artifacts/$t-" >"$log" 2>&1 || rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  runs="${runs:-0}"
  total=$((total + runs))
  if [ "$rc" -ne 0 ]; then
    failed+=("$t")
    echo "$t: FAILED after $runs executions (exit $rc); log $log:"
    grep -E 'ERROR|SUMMARY|runtime error|Test unit written' "$log" | head -n 20 || true
  else
    echo "$t: $runs executions, no finding ($(grep -c '' < <(ls "$corpus")) corpus files)"
  fi
done
step "fuzzing: $total executions in all"
if [ ${#failed[@]} -ne 0 ]; then
  echo "findings in: ${failed[*]} (inputs in $dir/artifacts/)"
  exit 1
fi
