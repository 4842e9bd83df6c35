#!/usr/bin/env bash
# Start-up time and memory on a large catalogue: the demo catalogue with a
# 200,000-line price list, 200,000-entry keyword and number indexes and a
# 10,000-entry order list. Reports the time until the first page shows and
# the peak memory through a walk over every page kind, against the targets
# (0.5 s, 200 MB). Run after the release build:
#   scripts/bench-startup.sh [BUILD_DIR]
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
big=$work/catalogue
mkdir -p "$big"
# The demo catalogue's own files, linked rather than copied; the large files replace some.
cp -rs "$(cd "$build/demo" && pwd)/." "$big/"
rm -f "$big/DATEN/LANG1/QX.PRS" "$big/DATEN/LANG1/Katalog.SWS" "$big/DATEN/LANG1/Katalog.ANR"
"$bin/qxkat-largegen" "$big" --records 5000 --price-lines 200000 --update-lines 0 \
    --index-entries 200000 --order-entries 10000

export QT_QPA_PLATFORM=offscreen
runs=${QX_BENCH_RUNS:-5}
best=""
for i in $(seq "$runs"); do
    out=$("$bin/qxkat-startwalk" "$big" --since "$(date +%s%N)" --order-list "$big/LARGE.STK" 2>/dev/null)
    ms=$(sed -n 's/^first page: \([0-9]*\) ms$/\1/p' <<<"$out")
    mb=$(sed -n 's/^peak memory: \([0-9]*\) MB$/\1/p' <<<"$out")
    echo "run $i: first page ${ms} ms, peak memory ${mb} MB"
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
    peak=$mb
    walk=$(grep '^walk:' <<<"$out")
done
echo "$walk"
echo "first page (best of $runs): $best ms (target under 500 ms)"
echo "peak memory: $peak MB (target under 200 MB)"
[ "$best" -lt 500 ] && [ "$peak" -lt 200 ]
