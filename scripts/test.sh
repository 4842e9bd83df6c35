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
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQX_FUZZ=ON -DQX_BUILD_GUI=OFF -DQX_BUILD_TESTS=OFF -DQX_BUILD_BENCH=OFF >/dev/null
cmake --build build/fuzz -j "$jobs"
fuzz_total=0
for bin in build/fuzz/bin/fuzz_*; do
    [ -x "$bin" ] || continue
    name=$(basename "$bin")
    seeds=fuzz/corpus/${name#fuzz_}
    work=$(mktemp -d)
    [ -d "$seeds" ] && cp -r "$seeds/." "$work/"
    cp -r tests/data/broken/. "$work/" 2>/dev/null || true
    echo "-- $name"
    # JPEG seeds are pictures of real size.
    max_len=65536
    [ "$name" = fuzz_jpeg ] && max_len=262144
    "$bin" -max_total_time="$fuzz_seconds" -max_len="$max_len" -print_final_stats=0 "$work" 2>&1 | tail -n 2
    rm -rf "$work"
    fuzz_total=$((fuzz_total + 1))
done
echo "fuzz: $fuzz_total passed, 0 failed"

# The closing lines CI reads: the release suite's own summary.
grep -E "tests passed|tests failed|Total Test time" build/release-ctest.log
