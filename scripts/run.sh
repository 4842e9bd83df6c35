#!/usr/bin/env bash
# Builds qxkat and starts it on the bundled demo catalogue. Extra arguments
# go to the program (see qxkat --help).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQX_BUILD_TESTS=OFF -DQX_BUILD_BENCH=OFF >/dev/null
cmake --build build/release --target qxkat qxkat-tool
exec build/release/bin/qxkat "$@"
