#!/usr/bin/env bash
# Runs one golden case: the tool in a fresh copy of the case directory, then its console
# output, status and files against the expected ones; a produced script is compiled by both
# resource compilers and every compiled resource walked by the decoder.
# Usage: run_golden.sh TOOL RESDECODE CASE_DIR
# Markers in the case directory: no-llvm-rc (llvm-rc 14 rejects the script, windres compiles
# it); no-compile (the script holds what no resource compiler takes, e.g. a negative resource
# identifier: only its bytes are compared). An expected.walk file holds the decoder's lines
# (after its first) that both compilers' resources must give: string tables as UTF-16 units.
# With GOLDEN_WINE set to a wine loader, TOOL is a Windows build run under it: its text-mode
# line ends are folded back to line feeds before comparing, and the compilers are not run again.
# A run under wine that printed nothing at all, not even the banner, fails at once with that
# message (status 75) rather than with a diff of every file.
# With GOLDEN_COMPILERS=0 the compilers are not run either: for a further build of the tool
# whose scripts are compared byte for byte with the ones that a first build compiled.
set -u
source "$(dirname "$0")/lib.sh"

tool=$1
decoder=$2
case_dir=$3

require_executable "$tool"
[[ -d $case_dir ]] || { echo "FAIL: no case directory $case_dir"; exit 1; }
tool=$(realpath "$tool")
decoder=$(realpath "$decoder")
case_dir=$(realpath "$case_dir")

make_scratch golden
work=$scratch/work
mkdir "$work" "$scratch/res"
cp -a "$case_dir/." "$work/"

if [[ -f $case_dir/args ]]; then
    mapfile -t args <"$case_dir/args"
else
    args=(in.rr out.rc)
fi
output=out.rc
[[ -f $case_dir/output ]] && output=$(head -n 1 "$case_dir/output")
expected_status=0
[[ -f $case_dir/expected.status ]] && expected_status=$(tr -d ' \n' <"$case_dir/expected.status")
stdin_file=/dev/null
[[ -f $case_dir/stdin ]] && stdin_file=$case_dir/stdin

(cd "$work" && find . -mindepth 1 | LC_ALL=C sort) >"$scratch/before"

runner=()
[[ -n ${GOLDEN_WINE:-} ]] && runner=("$GOLDEN_WINE")
(cd "$work" && exec timeout 60 "${runner[@]}" "$tool" "${args[@]}") <"$stdin_file" \
    >"$scratch/stdout.raw" 2>"$scratch/stderr"
status=$?
if [[ -n ${GOLDEN_WINE:-} ]]; then
    if [[ ! -s $scratch/stdout.raw ]]; then
        echo "case: $case_dir"
        echo "FAIL: no output at all under wine (status $status); standard error was:"
        cat "$scratch/stderr"
        exit 75
    fi
    for file in "$scratch/stdout.raw" "$scratch/stderr" "$work/$output"; do
        [[ -f $file ]] && sed -i 's/\r$//' "$file"
    done
fi

echo "case: $case_dir"
echo "args: ${args[*]}"

[[ $status == "$expected_status" ]] || problem "exit status $status, expected $expected_status"

banner=$(head -n 1 "$scratch/stdout.raw")
banner_re=$(banner_form '[^ ,]+')
if ! [[ $banner =~ $banner_re ]]; then
    problem "first line of standard output is not the banner: '$banner'"
fi
# The help's version page prints the banner again; its build date is masked as <banner>.
tail -n +2 "$scratch/stdout.raw" | LC_ALL=C sed -E "s/$banner_re/<banner>/" >"$scratch/stdout"
# The help browser's page headers count the keywords; an expected output writes the count as
# <keywords>, which is counted here from the keyword lists, so that a new keyword leaves the
# help cases as they are (but for the listing of the page it lands on).
expected_stdout=$case_dir/expected.stdout
if [[ -f $expected_stdout ]] && grep -aq '<keywords>' "$expected_stdout"; then
    root=$(realpath "$(dirname "$0")/..")
    keywords=$(cat "$root/lexer/keywords.def" "$root/formats/kinds.def" \
        "$root/formats/properties.def" | grep -cE '^(STATEMENT_KEYWORD|PLUGIN_KIND|MARKER_WORD|PROPERTY)\(')
    LC_ALL=C sed "s/<keywords>/$keywords/g" "$expected_stdout" >"$scratch/expected.stdout"
    expected_stdout=$scratch/expected.stdout
fi
compare "standard output (after the banner)" "$expected_stdout" "$scratch/stdout"
compare "standard error" "$case_dir/expected.stderr" "$scratch/stderr"

(cd "$work" && find . -mindepth 1 | LC_ALL=C sort) >"$scratch/after"
new_files=$(LC_ALL=C comm -13 "$scratch/before" "$scratch/after" | grep -vxF "./$output")
[[ -z $new_files ]] || problem "new files left behind: $(echo $new_files)"
# Files of the case other than the output must stay as they were.
while IFS= read -r path; do
    [[ $path == "./$output" ]] && continue
    if [[ ! -e $work/$path && ! -L $work/$path ]]; then
        problem "$path was removed"
    elif [[ -f $case_dir/$path ]] && ! cmp -s "$case_dir/$path" "$work/$path"; then
        problem "$path was changed"
    fi
done <"$scratch/before"

if [[ -f $case_dir/expected.rc ]]; then
    if [[ ! -f $work/$output ]]; then
        problem "no output file $output"
    else
        compare "output $output" "$case_dir/expected.rc" "$work/$output"
    fi
elif [[ -e $work/$output ]]; then
    problem "output file $output exists, but the case expects none"
fi

if [[ -n ${GOLDEN_WINE:-} ]]; then
    :
elif [[ ${GOLDEN_COMPILERS:-1} == 0 ]]; then
    echo "resource compilers: not run (GOLDEN_COMPILERS=0)"
elif ((problems == 0)) && [[ -f $case_dir/expected.rc && -f $case_dir/no-compile ]]; then
    echo "resource compilers: skipped (no-compile)"
elif ((problems == 0)) && [[ -f $case_dir/expected.rc ]]; then
    windres=x86_64-w64-mingw32-windres
    if ! command -v "$windres" >/dev/null; then
        echo "FAIL: $windres not found; install the Debian package binutils-mingw-w64-x86-64 (.ci/run does)"
        exit 1
    fi
    llvm_rc=$(command -v llvm-rc || ls /usr/bin/llvm-rc-* 2>/dev/null | head -n 1)
    if [[ -z $llvm_rc ]]; then
        echo "FAIL: llvm-rc not found; install the Debian package llvm (.ci/run does)"
        exit 1
    fi
    cp "$work/$output" "$scratch/res/script.rc"
    cd "$scratch/res" || exit 1
    # windres refuses to write a file without resources; llvm-rc must then find none either.
    empty_script=0
    if ! "$windres" --preprocessor=cpp -i script.rc -O res -o w.res 2>w.err; then
        cat w.err
        if grep -q "no resources" w.err; then
            echo "windres: no resources in the script"
            empty_script=1
        else
            problem "windres rejected the output"
        fi
    elif ! "$decoder" w.res >w.walk 2>&1; then
        cat w.walk
        problem "the resources compiled by windres do not decode"
    else
        cat w.walk
    fi
    if [[ -f $case_dir/no-llvm-rc ]]; then
        echo "llvm-rc: skipped (no-llvm-rc)"
    elif ! "$llvm_rc" -no-preprocess -c 1252 -fo l.res script.rc; then
        problem "llvm-rc rejected the output"
    elif ! "$decoder" l.res >l.walk 2>&1; then
        cat l.walk
        problem "the resources compiled by llvm-rc do not decode"
    else
        cat l.walk
        if ((empty_script)) && [[ $(head -n 1 l.walk) != "l.res: 0 resources" ]]; then
            problem "windres found no resources, llvm-rc did"
        fi
        if [[ -f w.walk ]] && ! diff <(tail -n +2 w.walk) <(tail -n +2 l.walk); then
            problem "windres and llvm-rc compiled different resources"
        fi
    fi
    if [[ -f $case_dir/expected.walk ]]; then
        for walk in w.walk l.walk; do
            [[ -f $walk ]] || continue
            tail -n +2 "$walk" >"$walk.body"
            compare "resources decoded from $walk" "$case_dir/expected.walk" "$walk.body"
        done
    fi
fi

if ((problems > 0)); then
    echo "$problems problem(s); standard output was:"
    cat "$scratch/stdout.raw"
    exit 1
fi
echo "PASS"
