#!/usr/bin/env bash
# Start-up time and memory on a large catalogue, at two sizes: the demo
# catalogue with a 200,000-line price list, 200,000-entry keyword and number
# indexes and a 10,000-entry order list, and the same ten times over
# (2,000,000 lines and entries, 100,000 order entries). Reports per size the
# time until the first page shows (median of the runs), the peak memory
# through a walk over every page kind, and how long the order list page takes
# to open and its list to save, against the targets (first page 0.5 s, peak
# 150 MB); it fails when a target is missed. Run after the release build:
#   scripts/bench-startup.sh [BUILD_DIR]
# QX_BENCH_RUNS (5) sets the runs per size, QX_BENCH_SIZES the sizes.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
bin=$build/bin
for b in qxkat-largegen qxkat-startwalk; do
    [ -x "$bin/$b" ] || { echo "bench-startup: $bin/$b is missing; build the release build first" >&2; exit 2; }
done
[ -d "$build/demo/DATEN" ] || { echo "bench-startup: no demo catalogue in $build/demo" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
runs=${QX_BENCH_RUNS:-5}
status=0
for n in ${QX_BENCH_SIZES:-200000 2000000}; do
    big=$work/catalogue
    rm -rf "$big"
    mkdir -p "$big"
    # The demo catalogue's own files, linked rather than copied; the large files replace some.
    cp -rs "$(cd "$build/demo" && pwd)/." "$big/"
    rm -f "$big/DATEN/LANG1/QX.PRS" "$big/DATEN/LANG1/Katalog.SWS" "$big/DATEN/LANG1/Katalog.ANR"
    "$bin/qxkat-largegen" "$big" --records 5000 --price-lines "$n" --update-lines 0 \
        --index-entries "$n" --order-entries $((n / 20)) >/dev/null
    echo "== $n price lines and index entries, $((n / 20)) order entries"
    firsts=()
    peak=0
    for i in $(seq "$runs"); do
        out=$("$bin/qxkat-startwalk" "$big" --since "$(date +%s%N)" --order-list "$big/LARGE.STK" 2>/dev/null)
        ms=$(sed -n 's/^first page: \([0-9]*\) ms$/\1/p' <<<"$out")
        mb=$(sed -n 's/^peak memory: \([0-9]*\) MB$/\1/p' <<<"$out")
        orders=$(grep '^order list:' <<<"$out")
        echo "run $i: first page ${ms} ms, peak memory ${mb} MB, $orders"
        firsts+=("$ms")
        if [ "$mb" -gt "$peak" ]; then peak=$mb; fi
        walk=$(grep '^walk:' <<<"$out")
    done
    median=$(printf '%s\n' "${firsts[@]}" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
    echo "$walk"
    echo "first page (median of $runs): $median ms (target under 500 ms)"
    echo "peak memory (largest of $runs): $peak MB (target under 150 MB)"
    if [ "$median" -ge 500 ] || [ "$peak" -ge 150 ]; then status=1; fi
done
exit $status
