#!/usr/bin/env bash
# tools/build-web.sh   builds the browser page build/web/web/shirl.html with
#                      Emscripten (the native build does not need it)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/common.sh

ensure_packages cmake make python3 emscripten node-acorn
step "building the page in build/web"
if command -v ccache >/dev/null; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache
fi
# The optimiser of Debian's Emscripten runs under Node; its runtime code
# predates Node's own fetch, and it needs acorn from node-acorn.
export NODE_OPTIONS="${NODE_OPTIONS:-} --no-experimental-fetch"
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"
emcmake cmake -S . -B build/web -DCMAKE_BUILD_TYPE=Release -DSHIRL_BUILD_TESTS=OFF -DSHIRL_WERROR=ON >/dev/null
cmake --build build/web -j "$(jobs)" --target shirl_page
ls -l build/web/web/shirl.html
