#!/usr/bin/env bash
# Round trip of the golden scripts: every case of FEATURE whose expected script compiles is
# compiled with windres, dumped with propwright-dump (as it is, and with --utf8), converted back
# with the options that the dump names, compiled again, and both sets of resources compared
# (type, name, language and data, byte for byte). Cases listed in EXCEPTIONS must still fail, so the list stays true.
# Usage: run_roundtrip.sh PROPWRIGHT PROPWRIGHT_DUMP RESDECODE GOLDEN_DIR EXCEPTIONS FEATURE
set -u
source "$(dirname "$0")/../lib.sh"
tool=$(realpath "$1")
dump=$(realpath "$2")
decoder=$(realpath "$3")
golden=$(realpath "$4")
exceptions=$(realpath "$5")
feature=$6

windres=x86_64-w64-mingw32-windres
require_tools 77 binutils-mingw-w64-x86-64 "$windres"
make_scratch roundtrip

passed=0 excluded=0 skipped=0 failed=0
for case_dir in "$golden/$feature"/*/; do
    case_dir=${case_dir%/}
    [[ -f $case_dir/expected.rc && ! -f $case_dir/no-compile ]] || continue
    work=$scratch/$(basename "$case_dir")
    mkdir -p "$work"
    cp "$case_dir/expected.rc" "$work/x.rc"
    if ! (cd "$work" && "$windres" --preprocessor=cpp -i x.rc -O res -o x.res 2>/dev/null); then
        skipped=$((skipped + 1))  # no resources in the script
        continue
    fi
    for mode in plain utf8; do
        name=$feature/$(basename "$case_dir")
        dump_args=()
        [[ $mode == utf8 ]] && name="$name --utf8" dump_args=(--utf8)
        reason=""
        (cd "$work" && "$dump" "${dump_args[@]}" x.res >x.rr 2>dump.err)
        status=$?
        options=$(sed -n 's/^\/\* Convert back with: propwright [^ ]* [^ ]* \(-[jxu]\( -x\)\{0,1\}\)$/\1/p' \
            "$work/x.rr")
        read -r -a option_args <<<"$options"
        if ((status != 0)); then
            reason="propwright-dump ended with status $status: $(head -n 3 "$work/dump.err")"
        elif [[ -z $options ]]; then
            reason="no command line in the dump's first lines"
        elif ! (cd "$work" && "$tool" x.rr y.rc "${option_args[@]}" >convert.out 2>&1); then
            reason="the dump does not convert: $(grep -m1 'error' "$work/convert.out")"
        elif ! (cd "$work" && "$windres" --preprocessor=cpp -i y.rc -O res -o y.res 2>windres.err); then
            reason="windres rejects the converted dump: $(head -n 1 "$work/windres.err")"
        elif ! "$decoder" --compare "$work/x.res" "$work/y.res" >"$work/compare.out"; then
            reason="different resources: $(head -n 2 "$work/compare.out" | tr '\n' ' ')"
        fi
        listed=$(grep -m1 "^$name:" "$exceptions" | cut -d: -f2-)
        if [[ -z $reason && -z $listed ]]; then
            passed=$((passed + 1))
        elif [[ -n $reason && -n $listed ]]; then
            excluded=$((excluded + 1))
            echo "excluded $name:$listed"
        elif [[ -n $listed ]]; then
            echo "FAIL: $name round-trips now; remove it from $(basename "$exceptions")"
            failed=$((failed + 1))
        else
            echo "FAIL: $name: $reason"
            sed 's/^/    /' "$work/x.rr" | head -n 40
            failed=$((failed + 1))
        fi
    done
done
echo "$feature: $passed round-tripped, $excluded listed as not round-tripping," \
    "$skipped without resources, $failed failed"
((failed == 0))
