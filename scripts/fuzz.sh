#!/usr/bin/env bash
# Builds the fuzz targets and runs each for SECONDS (default 600), seeded with
# fuzz/corpus/<name>/ and the broken-file corpus tests/data/broken/. What a
# target finds stays in build/fuzz-corpus/<name>/ for the next run; a crash,
# a hang (10 s an input) or more than 2 GiB of memory fails the target and
# its input is kept in build/fuzz-crashes/. Exits non-zero when any failed.
#   QX_FUZZ_GUI=OFF  leaves out the targets that need Qt (fuzz_html)
#   QX_JOBS=N        build jobs
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test || exit 1
seconds=${1:-600}
jobs=${QX_JOBS:-$(nproc)}
gui=${QX_FUZZ_GUI:-ON}

CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQX_FUZZ=ON -DQX_FUZZ_GUI="$gui" -DQX_BUILD_GUI=OFF -DQX_BUILD_TESTS=OFF -DQX_BUILD_BENCH=OFF >/dev/null || exit 1
cmake --build build/fuzz -j "$jobs" || exit 1

export QT_QPA_PLATFORM=offscreen
mkdir -p build/fuzz-corpus build/fuzz-crashes
passed=0
failed=0
rows=()
for bin in build/fuzz/bin/fuzz_*; do
    [ -x "$bin" ] || continue
    name=$(basename "$bin")
    [ "$gui" = OFF ] && [ "$name" = fuzz_html ] && continue
    short=${name#fuzz_}
    grown=build/fuzz-corpus/$short
    mkdir -p "$grown"
    seeds=(tests/data/broken)
    [ -d "fuzz/corpus/$short" ] && seeds+=("fuzz/corpus/$short")
    # JPEG seeds are pictures of real size.
    max_len=65536
    [ "$name" = fuzz_jpeg ] && max_len=262144
    log=build/fuzz-crashes/$name.log
    echo "-- $name, ${seconds}s"
    "$bin" -max_total_time="$seconds" -max_len="$max_len" -rss_limit_mb=2048 -timeout=10 \
        -print_final_stats=1 -artifact_prefix="build/fuzz-crashes/$name-" \
        "$grown" "${seeds[@]}" >"$log" 2>&1
    rc=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    stats=$(grep -E '^#[0-9]+.*cov: ' "$log" | tail -n 1)
    cov=$(sed -n 's/.*cov: \([0-9]*\).*/\1/p' <<<"$stats")
    ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$stats")
    if [ "$rc" -eq 0 ]; then
        crashes=0
        passed=$((passed + 1))
        rm -f "$log"
    else
        crashes=1
        failed=$((failed + 1))
        grep -E 'ERROR|SUMMARY|Test unit written' "$log" | head -n 5
        echo "   log: $log"
    fi
    rows+=("$(printf '%-18s %12s %7s %7s %8s' "$name" "${runs:-?}" "${cov:-?}" "${ft:-?}" "$crashes")")
done

printf '%-18s %12s %7s %7s %8s\n' target runs cov ft crashes
printf '%s\n' "${rows[@]}"
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
