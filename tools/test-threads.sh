#!/usr/bin/env bash
# tools/test-threads.sh: the reading thread's own tests (the hand-over at
# block edges, every golden case and sample through both paths) built by g++
# with ThreadSanitizer; any data race or lock fault fails the run. Only this
# small target is built and run, not the whole suite.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/common.sh

ensure_packages cmake g++ make python3 libgtest-dev libgmock-dev

dir=build/tsan
flags="-fsanitize=thread -fno-omit-frame-pointer -Wno-maybe-uninitialized"
step "building shirl_thread_tests in $dir (g++, $flags)"
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=g++ \
  -DSHIRL_BUILD_QT=OFF -DSHIRL_BUILD_WIN32=OFF -DSHIRL_WERROR=OFF \
  "-DCMAKE_CXX_FLAGS=$flags" "-DCMAKE_EXE_LINKER_FLAGS=$flags" >/dev/null
cmake --build "$dir" -j "$(jobs)" --target shirl_thread_tests

step "the reading thread's tests under ThreadSanitizer"
TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1" "$dir/tests/shirl_thread_tests"
