#!/usr/bin/env bash
# Builds and runs every test: the suite, the suite again under AddressSanitizer
# and UndefinedBehaviorSanitizer, and each fuzz target for a few seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
jobs=${QX_JOBS:-$(nproc)}
fuzz_seconds=${QX_FUZZ_SECONDS:-5}
export QT_QPA_PLATFORM=offscreen

echo "== release build and tests"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j "$jobs"
ctest --test-dir build/release -j "$jobs" --output-on-failure --timeout 300 2>&1 | tee build/release-ctest.log
[ "${PIPESTATUS[0]}" -eq 0 ] || exit 1

echo "== AddressSanitizer and UndefinedBehaviorSanitizer build and tests"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQX_SANITIZE=ON -DQX_BUILD_BENCH=OFF >/dev/null
cmake --build build/asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build/asan -j "$jobs" --output-on-failure --timeout 600

echo "== fuzz targets, ${fuzz_seconds}s each"
QX_JOBS="$jobs" scripts/fuzz.sh "$fuzz_seconds"

# The closing lines CI reads: the release suite's own summary.
grep -E "tests passed|tests failed|Total Test time" build/release-ctest.log
