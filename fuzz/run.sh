#!/usr/bin/env bash
# Runs a fuzz target for a given time, seeded with every golden source and the examples (the
# converter's target) or with every golden script compiled by windres and two DLLs linked with
# one of them (the dump's target).
# Usage: fuzz/run.sh FUZZER SECONDS [libFuzzer flags...]
# The corpus grows in corpus/ (corpus-dump/) beside FUZZER from run to run; a finding (crash-*, leak-*,
# timeout-*, oom-*) is written to findings/ there, and the exit status is then not 0.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
fuzzer=$(realpath "$1")
seconds=$2
shift 2

out=$(dirname "$fuzzer")
name=$(basename "$fuzzer")
# Each target keeps its own corpus and log (the converter's under the names it always had).
corpus=$out/corpus log=$out/fuzz.log seeds=$out/seeds.txt
if [[ $name == *dump* ]]; then
    corpus=$out/corpus-dump log=$out/fuzz-dump.log seeds=$out/seeds-dump.txt
fi
mkdir -p "$corpus" "$out/findings"
# The seeds are read where they are: a comma-separated list of the files. The dump's target
# reads compiled resources: every golden script that windres compiles, made once into
# seeds-propwright_fuzz_dump/.
if [[ $name == *dump* ]]; then
    mkdir -p "$out/seeds-$name"
    windres=x86_64-w64-mingw32-windres
    if command -v "$windres" >/dev/null && [[ -z $(ls -A "$out/seeds-$name") ]]; then
        for rc in "$root"/tests/golden/*/*/expected.rc; do
            case_name=$(basename "$(dirname "$(dirname "$rc")")")-$(basename "$(dirname "$rc")")
            "$windres" --preprocessor=cpp -i "$rc" -O res -o "$out/seeds-$name/$case_name.res" \
                2>/dev/null || rm -f "$out/seeds-$name/$case_name.res"
        done
    fi
    # PE images with an export table and a property list, for the plug-in check: the test
    # plug-in's code linked for x86 and x64 with the resources of a golden case.
    vtag_res=$(ls "$out/seeds-$name"/vtag-every-keyword.res 2>/dev/null || true)
    if command -v clang >/dev/null && command -v lld-link >/dev/null && [[ -n $vtag_res ]] &&
        [[ ! -e $out/seeds-$name/plugin-x64.dll ]]; then
        objects=$out/seed-objects  # in the build tree: an interrupted run leaves nothing elsewhere
        rm -rf "$objects" && mkdir "$objects"
        for machine in x86:i686 x64:x86_64; do
            clang --target="${machine#*:}-pc-windows-msvc" -DSTDCALL -c "$root/tests/plugincheck/plugin.c" \
                -o "$objects/plugin.obj" &&
                lld-link /dll /noentry /nodefaultlib "/machine:${machine%%:*}" "$objects/plugin.obj" \
                    "$vtag_res" /export:Other=PluginMain,@7 "/out:$objects/plugin-${machine%%:*}.dll" >/dev/null &&
                mv "$objects/plugin-${machine%%:*}.dll" "$out/seeds-$name/"
        done
        rm -rf "$objects"
    fi
    find "$out/seeds-$name" -type f | paste -s -d, >"$seeds"
    [[ -s $seeds ]] || echo "$root/README.md" >"$seeds"
else
    ls "$root"/tests/golden/*/*/in.rr "$root"/examples/*.rr | paste -s -d, >"$seeds"
fi

echo "fuzz: $(basename "$fuzzer") for ${seconds}s, $(tr , '\n' <"$seeds" | wc -l) seed files," \
    "$(find "$corpus" -type f | wc -l) corpus files"
# Flags given after SECONDS come later and win over these.
status=0
"$fuzzer" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -seed_inputs=@"$seeds" -artifact_prefix="$out/findings/" "$@" \
    "$corpus" 2>"$log" || status=$?
if ((status != 0)); then
    tail -n 60 "$log"
    echo "fuzz: FAILED with status $status; the input is in $out/findings/, the log in $log"
    exit "$status"
fi
grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+ +DONE)' "$log" || true
echo "fuzz: no finding in ${seconds}s"
