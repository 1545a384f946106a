#!/usr/bin/env bash
# Converts a real .r source with a .h through the C preprocessor in both of its forms:
# with #line markers (clang -E -fuse-line-directives) and without (-E -P). The two scripts
# must be byte-identical and as expected, and an error in a source run through the marker
# form must be reported at the .r file's own name and line.
# Usage: run_pipeline.sh TOOL SOURCE_DIR
# Without clang the test is skipped (status 77), except under CI=true, where it fails.
set -u
source "$(dirname "$0")/../lib.sh"

tool=$1
source_dir=$2
skip=77

# CLANG names another compiler driver; a name that is no executable counts as none.
clang=${CLANG:-$(command -v clang || ls /usr/bin/clang-[0-9]* 2>/dev/null | head -n 1)}
if [[ -z $clang || ! -x $clang ]]; then
    if [[ ${CI:-} == true ]]; then
        echo "FAIL: clang not found; install the Debian package clang"
        exit 1
    fi
    echo "SKIP: clang not found"
    exit $skip
fi

require_executable "$tool"
tool=$(realpath "$tool")
source_dir=$(realpath "$source_dir")
make_scratch pipeline
cp "$source_dir"/plugin.r "$source_dir"/plugin.h "$source_dir"/bad.r "$scratch"/
cd "$scratch" || exit 1

preprocess() {  # preprocess SOURCE OUTPUT FLAGS...
    local source=$1 output=$2
    shift 2
    "$clang" -E "$@" -x c -DMSWindows=1 "$source" >"$output" || problem "clang $* $source failed"
}

# Runs the tool; its console output goes to NAME.out (banner dropped) and NAME.err.
convert() {  # convert NAME SOURCE TARGET
    "$tool" "$2" "$3" >"$1.raw" 2>"$1.err"
    local status=$?
    tail -n +2 "$1.raw" >"$1.out"
    return $status
}

preprocess plugin.r lines.rr -fuse-line-directives
preprocess plugin.r plain.rr -P
# The marker form must really hold markers for the source, its header and a system header.
grep -q '^#line [0-9]* "plugin\.r"' lines.rr || problem "no #line marker for plugin.r"
grep -q '^#line [0-9]* "\./plugin\.h"' lines.rr || problem "no #line marker for plugin.h"
grep -q '^#line [0-9]* ".*/stddef\.h"' lines.rr || problem "no #line marker for stddef.h"
grep -q '^#' plain.rr && problem "the -P form holds directive lines"

convert lines lines.rr lines.rc || problem "the marker form did not convert: $(cat lines.out)"
convert plain plain.rr plain.rc || problem "the -P form did not convert: $(cat plain.out)"
for name in lines plain; do
    [[ -s $name.out ]] && problem "$name: console output: $(cat $name.out)"
    [[ -s $name.err ]] && problem "$name: error stream: $(cat $name.err)"
done
compare "the -P form's script (against the marker form's)" lines.rc plain.rc
compare "the script" "$source_dir/expected.rc" lines.rc

# bad.r line 9 holds the number where the entry point's string belongs.
preprocess bad.r bad-lines.rr -fuse-line-directives
if convert bad bad-lines.rr bad.rc; then
    problem "the faulty source converted"
fi
expected_error='bad.r(9) : error: ParseCodeWin64X86: String Expected ('
[[ $(head -n 1 bad.out) == "$expected_error"* ]] ||
    problem "error not located in bad.r line 9: $(head -n 1 bad.out)"
[[ -e bad.rc ]] && problem "the failed run left bad.rc behind"
# Without markers the error can only name the preprocessed file.
preprocess bad.r bad-plain.rr -P
convert badplain bad-plain.rr bad.rc
[[ $(head -n 1 badplain.out) == "bad-plain.rr("*") : error: ParseCodeWin64X86: String Expected ("* ]] ||
    problem "the -P form's error does not name bad-plain.rr: $(head -n 1 badplain.out)"

finish "" PASS
