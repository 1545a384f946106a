#!/usr/bin/env bash
# Configures the project as users usually ask for sanitizers, with -fsanitize= in
# CMAKE_CXX_FLAGS and CMAKE_EXE_LINKER_FLAGS: the configure output says in one line that the
# programs are linked dynamically, both programs link, and the sanitized tool converts the
# bundled example to the same script as the tool under test.
# Usage: run_sanitizer_flags.sh SOURCE_DIR CXX TOOL
set -u
source "$(dirname "$0")/../lib.sh"

source_dir=$(realpath "$1")
cxx=$2
tool=$(realpath "$3")
make_scratch sanitizer_flags

flags=-fsanitize=address,undefined
if ! cmake -S "$source_dir" -B "$scratch/build" "${generator[@]}" -DCMAKE_CXX_COMPILER="$cxx" \
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O0 -DPROPWRIGHT_TESTS=OFF \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" >"$scratch/configure.log" 2>&1; then
    cat "$scratch/configure.log"
    echo "FAIL: configuring with $flags failed"
    exit 1
fi
notice='-- Propwright: -fsanitize= in the compiler or linker flags: the programs are linked dynamically (PROPWRIGHT_STATIC_RUNTIME is not applied)'
count=$(grep -cxF -- "$notice" "$scratch/configure.log")
((count == 1)) || { cat "$scratch/configure.log"; problem "the configure output holds the line about the dynamic link $count times, not once"; }

if ! cmake --build "$scratch/build" -j2 --target propwright propwright-dump >"$scratch/build.log" 2>&1; then
    tail -n 40 "$scratch/build.log"
    echo "FAIL: the programs do not build with $flags"
    exit 1
fi

cp "$source_dir/examples/filter.rr" "$scratch/filter.rr"
"$tool" "$scratch/filter.rr" "$scratch/expected.rc" >/dev/null 2>&1 ||
    problem "the tool under test failed on examples/filter.rr"
if ! "$scratch/build/propwright" "$scratch/filter.rr" "$scratch/sanitized.rc" >"$scratch/run.out" 2>"$scratch/run.err"; then
    cat "$scratch/run.out" "$scratch/run.err"
    problem "the sanitized propwright failed on examples/filter.rr"
elif [[ -s $scratch/run.err ]]; then
    cat "$scratch/run.err"
    problem "the sanitized propwright wrote to standard error"
elif ! cmp -s "$scratch/expected.rc" "$scratch/sanitized.rc"; then
    problem "the sanitized propwright converts examples/filter.rr differently"
fi

finish "" PASS
