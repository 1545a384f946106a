#!/usr/bin/env bash
# Cross-builds the tool for Windows and runs every golden case with that build under wine,
# so that the Windows code paths (files, temporary output, console) are checked too; then
# checks the Windows zip (windows_package_check.sh) against the native build of DECODER's tree.
# Usage: windows_check.sh DECODER   (a case directory holding no-windows is skipped)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
decoder=$1
cxx=x86_64-w64-mingw32-g++-posix
wine=$(command -v wine64 || ls /usr/lib/wine/wine64 2>/dev/null || true)
if ! command -v "$cxx" >/dev/null || [[ -z $wine ]] || ! command -v groff >/dev/null; then
    if [[ ${CI:-} == true ]]; then
        echo "windows check: $cxx, wine64 or groff missing (.ci/run installs g++-mingw-w64-x86-64-posix, wine64 and groff-base)"
        exit 1
    fi
    echo "windows check: skipped, $cxx, wine64 or groff not installed"
    exit 0
fi

out=$root/build-windows
echo "== windows: cross-build"
# The same CMake project as every other build, through the MinGW toolchain file, so the list of
# sources comes from CMakeLists.txt. -O1 and assertions on: quick to build, and checked;
# warnings are errors only where the native builds make them so (PROPWRIGHT_WERROR=ON).
# A tree configured without this toolchain file (or by hand, for another target) starts afresh.
toolchain=$root/cmake/mingw-w64-x86_64.cmake
cache=$out/CMakeCache.txt
if [[ -f $cache ]] && ! grep -qx "CMAKE_TOOLCHAIN_FILE:[A-Z]*=$toolchain" "$cache"; then
    rm -rf "$cache" "$out/CMakeFiles"
fi
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
mkdir -p "$out"
cmake -S "$root" -B "$out" "${generator[@]}" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DPROPWRIGHT_TESTS=OFF -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O1 \
    -DPROPWRIGHT_WERROR="${PROPWRIGHT_WERROR:-OFF}" >"$out/configure.log" 2>&1 ||
    { cat "$out/configure.log"; exit 1; }
# Everything the zip holds: both programs and the manuals as text.
cmake --build "$out" -j2
tool=$out/propwright.exe
[[ -f $tool ]] || { echo "windows check: the cross-build made no $tool"; exit 1; }

export WINEPREFIX=$out/wineprefix WINEDEBUG=-all
wineserver=$(command -v wineserver || ls "$(dirname "$wine")"/wineserver 2>/dev/null || true)
[[ -n $wineserver ]] || { echo "windows check: no wineserver beside $wine"; exit 1; }
# In a randomized address space a wine start now and then fails in the loader: status 1,
# nothing printed, the program's main never reached (about one start in 3,600 here; none in
# 14,000 with randomization off). wine's loader places itself at fixed addresses. Every Windows
# program of this stage starts with randomization off for its own process.
command -v setarch >/dev/null || { echo "windows check: setarch not found (Debian package util-linux)"; exit 1; }
printf '#!/bin/sh\nexec setarch "$(uname -m)" -R %s "$@"\n' "$wine" >"$out/wine-fixed-layout"
chmod +x "$out/wine-fixed-layout"
wine=$out/wine-fixed-layout
# The prefix is set up, and its first server has ended, before anything else starts.
"$wine" wineboot --init >/dev/null 2>&1 || true
"$wineserver" -w
# One server for the whole stage, so that the cases do not each start one (and the prefix's
# services); it is ended, and waited for, when the stage ends.
"$wineserver" -p
trap '"$wineserver" -k 2>/dev/null; "$wineserver" -w 2>/dev/null' EXIT

echo "== windows: golden cases under wine"
# One result file per case, at the case's own path below results/: <feature>/<case>.pass,
# .fail or .skip. A case is run once: a run that printed nothing at all is a failure too.
results=$out/results
rm -rf "$results"
mkdir -p "$results"
run_case() {
    local case_dir=$1 name status=0
    name=${case_dir#"$root"/tests/golden/}
    mkdir -p "$results/$(dirname "$name")"
    if [[ -f $case_dir/no-windows ]]; then
        echo skipped >"$results/$name.skip"
        return
    fi
    GOLDEN_WINE=$wine bash "$root/tests/run_golden.sh" "$tool" "$decoder" \
        "$case_dir" >"$results/$name.log" 2>&1 || status=$?
    if ((status == 0)); then
        mv "$results/$name.log" "$results/$name.pass"
    else
        mv "$results/$name.log" "$results/$name.fail"
    fi
}
export -f run_case
export root tool results wine decoder
# NUL-separated, so a case path reaches run_case exactly as it is on disk.
find "$root/tests/golden" -mindepth 2 -maxdepth 2 -type d -print0 | LC_ALL=C sort -z |
    xargs -0 -P2 -n1 bash -c 'run_case "$1"' _

passed=$(find "$results" -name '*.pass' | wc -l)
failed=$(find "$results" -name '*.fail' | wc -l)
skipped=$(find "$results" -name '*.skip' | wc -l)
while IFS= read -r log; do
    echo "----- windows: ${log#"$results"/}"
    cat "$log"
done < <(find "$results" -name '*.fail' | LC_ALL=C sort)
echo "windows: $passed passed, $failed failed, $skipped skipped (no-windows)"
((failed == 0))

bash "$root/tests/windows_package_check.sh" "$out" "$(dirname "$decoder")/.." "$wine"
