#!/usr/bin/env bash
# tools/test-threads.sh: the reading thread's own tests (the hand-over at
# block edges, every golden case and sample through both paths) built by g++
# with ThreadSanitizer; any data race or lock fault fails the run. Only this
# small target is built and run, not the whole suite.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/common.sh

dir=build/tsan
sanitizer_build "$dir" "-fsanitize=thread -fno-omit-frame-pointer -Wno-maybe-uninitialized" shirl_thread_tests

step "the reading thread's tests under ThreadSanitizer"
TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1" "$dir/tests/shirl_thread_tests"
