#!/usr/bin/env bash
# Benchmark: builds the Release tool, then measures it on sources shaped like real plug-in
# sources (bench/genmix.awk) against cpp -P on the same source and llvm-rc on the tool's
# output, the growth with the number of #defines, and the time per file for a small source;
# each run is timed by bench/timer.cpp (built here with the C++ compiler), which starts it
# with posix_spawn and reads its processor time and peak memory from wait4.
# Ends with one line per target: met or not met, with the numbers.
#
# Usage: bench/run.sh [--quick] [--runs N] [--sizes "MB ..."] [--symbols "N1 N2"] [--small-runs M]
#   --runs N        median of N runs for each measurement (default 5); the tools take turns,
#                   one run each a round, and no round starts after 30 s spent on one size
#   --sizes "..."   source sizes in MB (default "1 10 50"); the first and the last are compared
#                   for linear growth and for peak memory
#   --symbols "a b" numbers of #defines for the symbol scaling (default "10000 80000")
#   --small-runs M  conversions of the small source (default 200)
#   --quick         sizes "1 10", one run, symbols "5000 40000", 50 small runs
#   MEGABYTES       a bare number is taken as --sizes MEGABYTES (the old single-size call).
# DEFINE_EVERY and the old string-table source are gone: the mix source takes its ids from a
# header of #defines, and the symbol scaling measures the growth with the number of defines.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-bench

runs=5
sizes="1 10 50"
symbols="10000 80000"
small_runs=200
while [[ $# -gt 0 ]]; do
    case $1 in
        --quick) sizes="1 10"; runs=1; symbols="5000 40000"; small_runs=50 ;;
        --runs) runs=$2; shift ;;
        --sizes) sizes=$2; shift ;;
        --symbols) symbols=$2; shift ;;
        --small-runs) small_runs=$2; shift ;;
        -h|--help) sed -n '2,17p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
        [0-9]*) sizes=$1 ;;
        *) echo "run.sh: unknown argument '$1' (try --help)" >&2; exit 2 ;;
    esac
    shift
done

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
    -DPROPWRIGHT_TESTS=OFF -DPROPWRIGHT_SANITIZE=OFF >/dev/null
cmake --build "$build" -j2 --target propwright >/dev/null
tool=$build/propwright
timer=$build/bench-timer
"${CXX:-c++}" -O2 -o "$timer" "$root/bench/timer.cpp"

work=$(mktemp -d "${TMPDIR:-/tmp}/pwbench.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"   # the tool takes include paths from the working directory

have_llvm_rc=0
command -v llvm-rc >/dev/null && have_llvm_rc=1

echo "machine: $(nproc) cores, $(awk '/MemTotal/ { printf "%.0f GB", $2 / 1048576 }' /proc/meminfo 2>/dev/null)," \
    "$(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo 2>/dev/null)"
echo "tool: $(git -C "$root" rev-parse --short HEAD 2>/dev/null || echo unknown), Release build"
[[ $have_llvm_rc == 1 ]] || echo "note: no llvm-rc: its times and the llvm-rc target are skipped"

# timed LABEL COMMAND...: runs the command once under the timer (standard output to
# LABEL.out) and sets wall, used (user plus system seconds) and rss (peak KB); stops the bench
# when the command fails.
timed() {
    local label=$1
    shift
    read -r wall used rss < <("$timer" "$work/$label.out" "$work/$label.err" "$@" ||
        echo failed)
    if [[ $wall == failed ]]; then
        echo "$label failed:"
        tail -n 5 "$work/$label.out" "$work/$label.err"
        exit 1
    fi
}

# The runs of each label: wall times, processor times (user plus system) and peak sets (KB).
declare -A walls_of used_of peak_of

# sample LABEL COMMAND...: one timed run of the command, added to the label's runs. The timer
# (bench/timer.cpp) starts the command with posix_spawn, so copying the shell for it is not
# counted.
sample() {
    local label=$1
    shift
    timed "$label" "$@"
    walls_of[$label]+="$wall "
    used_of[$label]+="$used "
    if [[ -z ${peak_of[$label]:-} || $rss -gt ${peak_of[$label]} ]]; then peak_of[$label]=$rss; fi
}

median() { printf '%s\n' $1 | sort -g | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }'; }

# summary LABEL: sets seconds to the median wall time of the label's runs, cpu to the median
# processor time, done to the number of runs and peak to the largest peak set; forgets them.
# Wall time is what the targets use; the processor time shows how much of it a busy machine
# added.
summary() {
    seconds=$(median "${walls_of[$1]}")
    cpu=$(median "${used_of[$1]}")
    peak=${peak_of[$1]}
    done=$(wc -w <<<"${walls_of[$1]}")
    unset "walls_of[$1]" "used_of[$1]" "peak_of[$1]"
}

# line LABEL BYTES: prints the last measurement as time, throughput over BYTES and peak memory.
line() {
    awk -v label="$1" -v b="$2" -v s="$seconds" -v k="$peak" -v n="$done" -v c="$cpu" 'BEGIN {
        printf "  %-10s %8.3f s  %8.1f MB/s", label, s, b / 1e6 / (s > 0 ? s : 1e-9)
        if (c != "") printf "  cpu %7.3f s", c
        if (k != "") printf "  peak %7.1f MB", k / 1024
        printf "  (median of %d)\n", n
    }'
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }

declare -A pw_time pw_peak cpp_time rc_time pw_cpu cpp_cpu rc_cpu
for mb in $sizes; do
    awk -v kilobytes=$((mb * 1000)) -v header=shared.h -f "$root/bench/genmix.awk" >mix.rr
    bytes=$(wc -c <mix.rr)
    echo
    echo "source $mb MB: $bytes bytes, $(wc -l <mix.rr) lines, $(grep -c '^resource' mix.rr) resources"
    # The tools take turns, one run each a round, so that a slow spell of a shared machine
    # falls on all of them alike; no round starts after 30 s spent on this size.
    start=$SECONDS
    for ((k = 0; k < runs && (k == 0 || SECONDS - start < 30); k++)); do
        sample propwright "$tool" mix.rr mix.rc
        sample cpp cpp -P -w mix.rr -o mix.i
        if [[ $have_llvm_rc == 1 ]]; then
            sample llvm-rc llvm-rc -no-preprocess -c 1252 -fo mix.res mix.rc
        fi
    done
    summary propwright
    pw_time[$mb]=$seconds pw_peak[$mb]=$peak pw_cpu[$mb]=$cpu
    line propwright "$bytes"
    summary cpp
    cpp_time[$mb]=$seconds cpp_cpu[$mb]=$cpu
    line "cpp -P" "$bytes"
    if [[ $have_llvm_rc == 1 ]]; then
        summary llvm-rc
        rc_time[$mb]=$seconds rc_cpu[$mb]=$cpu
        line llvm-rc "$(wc -c <mix.rc)"
        echo "  (llvm-rc throughput over the $(wc -c <mix.rc)-byte script)"
    fi
    printf '  propwright/cpp %s' "$(ratio "${pw_time[$mb]}" "${cpp_time[$mb]}")"
    [[ $have_llvm_rc == 1 ]] && printf '   propwright/llvm-rc %s' "$(ratio "${pw_time[$mb]}" "${rc_time[$mb]}")"
    printf '\n'
    if [[ -n ${pw_cpu[$mb]} ]]; then
        printf '  by cpu time: propwright/cpp %s' "$(ratio "${pw_cpu[$mb]}" "${cpp_cpu[$mb]}")"
        [[ $have_llvm_rc == 1 ]] && printf '   propwright/llvm-rc %s' "$(ratio "${pw_cpu[$mb]}" "${rc_cpu[$mb]}")"
        printf '\n'
    fi
    rm -f mix.rr mix.rc mix.i mix.res
done

# Symbol scaling: N #defines first, then N string resources each naming one of them, in the
# order of definition (the oldest definition is looked up first). The sizes take turns too.
echo
declare -A sym_time
for n_sym in $symbols; do
    awk -v n="$n_sym" 'BEGIN {
        for (i = 1; i <= n; i++) printf "#define kSymbol%d %d\n", i, i % 60000 + 1
        for (i = 1; i <= n; i++) printf "resource '\''STR '\'' (kSymbol%d) { \"s\" };\n", i
    }' >"symbols$n_sym.rr"
done
for ((k = 0; k < runs; k++)); do
    for n_sym in $symbols; do
        sample "symbols$n_sym" "$tool" "symbols$n_sym.rr" symbols.rc
    done
done
for n_sym in $symbols; do
    summary "symbols$n_sym"
    sym_time[$n_sym]=$seconds
    printf 'symbols %6d defines: %8.3f s  cpu %7.3f s  (median of %d)\n' "$n_sym" "$seconds" "$cpu" "$done"
    rm -f "symbols$n_sym.rr" symbols.rc
done

# A small realistic source converted many times, as a build does it.
awk -v kilobytes=4 -v header=shared.h -f "$root/bench/genmix.awk" >small.rr
# Each conversion and each start of a program that does nothing (the share of process
# start-up) is timed on its own; the sums are divided by the number of runs.
small_total=0
empty_total=0
true_exe=$(type -P true)
for ((k = 0; k < small_runs; k++)); do
    timed small "$tool" small.rr small.rc
    small_total=$(awk -v a="$small_total" -v w="$wall" 'BEGIN { print a + w }')
    timed empty "$true_exe"
    empty_total=$(awk -v a="$empty_total" -v w="$wall" 'BEGIN { print a + w }')
done
echo
# The generated resources must stay valid for both resource compilers, not only for llvm-rc.
windres=$(command -v windres || command -v x86_64-w64-mingw32-windres || true)
if [[ -n $windres ]]; then
    "$windres" -c 1252 -i small.rc -o small.res -O coff 2>small.err ||
        { echo "windres rejects the converted small source:"; cat small.err; exit 1; }
fi
awk -v t="$small_total" -v t0="$empty_total" -v m="$small_runs" -v bytes="$(wc -c <small.rr)" 'BEGIN {
    printf "small source (%d bytes) x %d: %.2f ms per file (starting an empty program: %.2f ms)\n",
        bytes, m, t * 1e3 / m, t0 * 1e3 / m }'

# Targets.
echo
verdict() { awk -v v="$1" -v lim="$2" 'BEGIN { print (v <= lim ? "met" : "not met") }'; }
# The largest ratio of propwright's time to the times in the named array, over the sizes.
worst_ratio() {
    local -n other=$1
    local mb r
    worst=0 worst_at=""
    for mb in $sizes; do
        r=$(ratio "${pw_time[$mb]}" "${other[$mb]}")
        if awk -v a="$r" -v b="$worst" 'BEGIN { exit !(a >= b) }'; then worst=$r worst_at=$mb; fi
    done
}
worst_ratio cpp_time
echo "target propwright <= 0.25 x cpp -P at every size: $(verdict "$worst" 0.25) (worst $worst at $worst_at MB)"
if [[ $have_llvm_rc == 1 ]]; then
    worst_ratio rc_time
    echo "target propwright <= 0.5 x llvm-rc: $(verdict "$worst" 0.5) (worst $worst at $worst_at MB)"
else
    echo "target propwright <= 0.5 x llvm-rc: not measured (no llvm-rc)"
fi
first=${sizes%% *}
last=${sizes##* }
if [[ $first == "$last" ]]; then
    echo "target peak memory and linear growth: not measured (one size only)"
else
    d=$(awk -v a="${pw_peak[$last]}" -v b="${pw_peak[$first]}" 'BEGIN { printf "%.2f", (a - b) / 1024 }')
    echo "target peak at $last MB within 2 MB of peak at $first MB: $(verdict "$d" 2)" \
        "($(awk -v k="${pw_peak[$last]}" 'BEGIN { printf "%.1f", k / 1024 }') MB -" \
        "$(awk -v k="${pw_peak[$first]}" 'BEGIN { printf "%.1f", k / 1024 }') MB = $d MB)"
    g=$(awk -v a="${pw_time[$last]}" -v b="${pw_time[$first]}" -v f="$(awk -v a="$last" -v b="$first" 'BEGIN { print a / b }')" \
        'BEGIN { printf "%.2f", a / (f * b) }')
    echo "target time at $last MB <= 1.2 x $((last / first)) x time at $first MB: $(verdict "$g" 1.2)" \
        "(${pw_time[$last]} s / ($((last / first)) x ${pw_time[$first]} s) = $g)"
fi
s1=${symbols%% *}
s2=${symbols##* }
if [[ $s1 != "$s2" ]]; then
    g=$(ratio "${sym_time[$s2]}" "${sym_time[$s1]}")
    echo "target $s2 defines <= 10 x the time of $s1: $(verdict "$g" 10)" \
        "(${sym_time[$s2]} s / ${sym_time[$s1]} s = $g)"
fi
echo "target output unchanged: not measured here (golden cases and their .res in tests/check.sh)"
