#!/usr/bin/env bash
# Benchmark: builds the Release tool, converts a generated source of MEGABYTES (default 30)
# and prints source MB/s and peak memory, then the same for cpp -P on the same input.
# Usage: bench/run.sh [MEGABYTES]   (DEFINE_EVERY=n: one #define per n blocks, default 10)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
megabytes=${1:-30}
build=$root/build-bench

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
    -DPROPWRIGHT_TESTS=OFF -DPROPWRIGHT_SANITIZE=OFF >/dev/null
cmake --build "$build" -j2 --target propwright >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/pwbench.XXXXXX")
trap 'rm -rf "$work"' EXIT
awk -v megabytes="$megabytes" -v define_every="${DEFINE_EVERY:-10}" -f "$root/bench/gensrc.awk" >"$work/big.rr"
bytes=$(wc -c <"$work/big.rr")
echo "source: $(awk -v b="$bytes" 'BEGIN { printf "%.1f MB", b / 1e6 }'), $(wc -l <"$work/big.rr") lines"

# Runs a command with its output in a file; prints MB/s over the source and peak memory.
measure() {
    local label=$1
    shift
    local seconds rss
    if [[ -x /usr/bin/time ]]; then
        /usr/bin/time -f "%e %M" -o "$work/time" "$@" >"$work/$label.out" 2>"$work/$label.err" ||
            { echo "$label failed:"; tail -n 5 "$work/$label.out" "$work/$label.err"; return 1; }
        read -r seconds rss <"$work/time"
    else
        local start end
        start=$(date +%s.%N)
        "$@" >"$work/$label.out" 2>"$work/$label.err" ||
            { echo "$label failed:"; tail -n 5 "$work/$label.out" "$work/$label.err"; return 1; }
        end=$(date +%s.%N)
        seconds=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.2f", b - a }')
        rss=""
    fi
    awk -v label="$label" -v b="$bytes" -v s="$seconds" -v k="$rss" 'BEGIN {
        if (s <= 0) s = 0.01
        printf "%-12s %7.2f s  %8.1f MB/s", label, s, b / 1e6 / s
        if (k != "") printf "  peak %7.1f MB", k / 1024
        else printf "  peak memory unknown (no /usr/bin/time; Debian package time)"
        printf "\n"
    }'
}

measure propwright "$build/propwright" "$work/big.rr" "$work/big.rc"
echo "             output $(wc -c <"$work/big.rc") bytes, $(grep -c '^STRINGTABLE' "$work/big.rc") string tables"
measure "cpp -P" cpp -P -w "$work/big.rr"
