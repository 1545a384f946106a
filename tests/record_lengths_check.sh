#!/usr/bin/env bash
# The length and size fields the tool writes against the bytes the resource compiler makes:
# every golden source that converts and holds property lists or add-in lists is converted
# again by the tool under test (its script is not compared with the expected one), compiled
# with windres, and walked by the decoder, which fails on a record whose length field is not
# the bytes that follow it. A writer that writes other bytes than it counts fails here even
# where its script text was meant to change.
# Usage: record_lengths_check.sh TOOL RESDECODE SOURCE_DIR
set -u
source "$(dirname "$0")/lib.sh"
tool=$(realpath "$1")
decoder=$(realpath "$2")
root=$3
windres=x86_64-w64-mingw32-windres
command -v "$windres" >/dev/null || { echo "FAIL: $windres not found (package binutils-mingw-w64-x86-64)"; exit 1; }

make_scratch lengths
work=$scratch
checked=0
for script in "$root"/tests/golden/*/*/expected.rc; do
    case_dir=$(dirname "$script")
    [[ -f $case_dir/in.rr && ! -f $case_dir/args && ! -f $case_dir/no-compile ]] || continue
    grep -qE "'(Vtag|AdPr|AdIn)'" "$case_dir/in.rr" || continue
    rm -rf "$work/case" && cp -a "$case_dir" "$work/case"
    (cd "$work/case" && "$tool" in.rr lengths.rc >/dev/null 2>&1 &&
        "$windres" --preprocessor=cpp -i lengths.rc -O res -o lengths.res 2>/dev/null) ||
        { problem "${case_dir#$root/}: not converted and compiled"; continue; }
    walk=$("$decoder" "$work/case/lengths.res" 2>&1) || problem "${case_dir#$root/}: $walk"
    checked=$((checked + 1))
done
if ((problems > 0 || checked == 0)); then
    echo "record lengths: $problems problem(s) in $checked case(s)"
    exit 1
fi
echo "record lengths: $checked cases compiled, every length field is the bytes of its record"
