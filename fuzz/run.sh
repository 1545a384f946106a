#!/usr/bin/env bash
# Runs the fuzz target for a given time, seeded with every golden source and the examples.
# Usage: fuzz/run.sh FUZZER SECONDS [libFuzzer flags...]
# The corpus grows in corpus/ beside FUZZER from run to run; a finding (crash-*, leak-*,
# timeout-*, oom-*) is written to findings/ there, and the exit status is then not 0.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
fuzzer=$(realpath "$1")
seconds=$2
shift 2

out=$(dirname "$fuzzer")
mkdir -p "$out/corpus" "$out/findings"
# The seeds are read where they are: a comma-separated list of the files.
seeds=$out/seeds.txt
ls "$root"/tests/golden/*/*/in.rr "$root"/examples/*.rr | paste -s -d, >"$seeds"

echo "fuzz: $(basename "$fuzzer") for ${seconds}s, $(tr , '\n' <"$seeds" | wc -l) seed files," \
    "$(find "$out/corpus" -type f | wc -l) corpus files"
# Flags given after SECONDS come later and win over these.
status=0
"$fuzzer" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -seed_inputs=@"$seeds" -artifact_prefix="$out/findings/" "$@" \
    "$out/corpus" 2>"$out/fuzz.log" || status=$?
if ((status != 0)); then
    tail -n 60 "$out/fuzz.log"
    echo "fuzz: FAILED with status $status; the input is in $out/findings/, the log in $out/fuzz.log"
    exit "$status"
fi
grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+ +DONE)' "$out/fuzz.log" || true
echo "fuzz: no finding in ${seconds}s"
