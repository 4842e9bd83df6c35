#!/usr/bin/env bash
# qxkat-tool against cat and grep of the same files, whole processes, on the
# large catalogue at its two sizes (200,000 and 2,000,000 price lines and
# index entries, a 5,000-product list):
#   products  qxkat-tool products (the list against the price list and the
#             update file) against cat of those three files to /dev/null
#   search    qxkat-tool search of two words in the keyword index against a
#             grep pipeline doing the same filter
# Each pair runs QX_BENCH_RUNS times (7 by default), the two in turns, with
# /usr/bin/time -v; the table gives the medians of wall and CPU time, their
# ratio and the peak memory. Targets: products at most 4 times cat, search no
# slower than grep, both under 60 MB. On a shared machine wall times are
# noisy: compare the CPU times too, and run again. Run after the release build:
#   scripts/bench-files.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
bin=$build/bin
for b in qxkat-largegen qxkat-tool; do
    [ -x "$bin/$b" ] || { echo "bench-files: $bin/$b is missing; build the release build first" >&2; exit 2; }
done
[ -x /usr/bin/time ] || { echo "bench-files: /usr/bin/time is missing (package time)" >&2; exit 2; }
runs=${QX_BENCH_RUNS:-7}
sizes=${QX_BENCH_SIZES:-"200000 2000000"}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LC_ALL=C

# Runs a command under /usr/bin/time -v; prints "wall_ms cpu_ms peak_kb", the
# wall time to a tenth of a millisecond (the CPU time comes in hundredths of a
# second).
measure() {
    local report=$work/time.txt start end
    start=$(date +%s%N)
    /usr/bin/time -v -o "$report" "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    awk -v wall=$(((end - start) / 100000)) '
        /User time/ { cpu += $NF * 1000 } /System time/ { cpu += $NF * 1000 }
        /Maximum resident set size/ { kb = $NF }
        END { printf "%.1f %d %d\n", wall / 10, cpu, kb }' "$report"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Pairs A and B, in turns; prints "A_wall A_cpu A_peak B_wall B_cpu B_peak" as medians and maxima.
paired() {
    local name=$1 a=$2 b=$3 i
    : >"$work/$name.a"
    : >"$work/$name.b"
    for i in $(seq "$runs"); do
        if ((i % 2)); then
            measure bash -c "$a" >>"$work/$name.a"
            measure bash -c "$b" >>"$work/$name.b"
        else
            measure bash -c "$b" >>"$work/$name.b"
            measure bash -c "$a" >>"$work/$name.a"
        fi
    done
    echo "$(cut -d' ' -f1 "$work/$name.a" | median) $(cut -d' ' -f2 "$work/$name.a" | median)" \
        "$(cut -d' ' -f3 "$work/$name.a" | sort -n | tail -1)" \
        "$(cut -d' ' -f1 "$work/$name.b" | median) $(cut -d' ' -f2 "$work/$name.b" | median)" \
        "$(cut -d' ' -f3 "$work/$name.b" | sort -n | tail -1)"
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.1f", a / b; else print "-" }'; }

status=0
printf '%-9s %-9s %-22s %-22s %-12s %s\n' "size" "work" "qxkat-tool wall/cpu" "cat|grep wall/cpu" "ratio w/c" "peak MB"
for n in $sizes; do
    big=$work/c$n
    "$bin/qxkat-largegen" "$big" --records 5000 --price-lines "$n" --update-lines "$n" --index-entries "$n" >/dev/null
    data=$big/DATEN/LANG1
    cat "$data"/* "$big/update.prs" >/dev/null # into the page cache, as for every run after

    read -r tw tc tp cw cc _ < <(paired products \
        "'$bin/qxkat-tool' products --program-dir '$big' --language 0 --list LIST.TXT --update '$big/update.prs'" \
        "cat '$data/LIST.TXT' '$data/QX.PRS' '$big/update.prs'")
    printf '%-9s %-9s %-22s %-22s %-12s %s\n' "$n" products "$tw / $tc ms" "$cw / $cc ms (cat)" \
        "$(ratio "$tw" "$cw") / $(ratio "$tc" "$cc")" "$((tp / 1024))"
    awk -v t="$tw" -v c="$cw" -v p="$tp" 'BEGIN { exit !(t <= 4 * c && p < 60 * 1024) }' || status=1

    read -r tw tc tp cw cc _ < <(paired search \
        "'$bin/qxkat-tool' search --program-dir '$big' --language 0 --mode sws 'BOHRER satz'" \
        "grep -v '^#' '$data/Katalog.SWS' | grep -i -F bohrer | grep -i -F satz")
    printf '%-9s %-9s %-22s %-22s %-12s %s\n' "$n" search "$tw / $tc ms" "$cw / $cc ms (grep)" \
        "$(ratio "$tw" "$cw") / $(ratio "$tc" "$cc")" "$((tp / 1024))"
    awk -v t="$tw" -v c="$cw" -v p="$tp" 'BEGIN { exit !(t <= c && p < 60 * 1024) }' || status=1
    rm -rf "$big"
done
echo "medians of $runs paired runs; peak memory of qxkat-tool, the largest of the runs"
exit $status
