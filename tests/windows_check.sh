#!/usr/bin/env bash
# Cross-builds the tool for Windows and runs every golden case with that build under wine,
# so that the Windows code paths (files, temporary output, console) are checked too.
# Usage: windows_check.sh DECODER   (a case directory holding no-windows is skipped)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
decoder=$1
cxx=x86_64-w64-mingw32-g++-posix
wine=$(command -v wine64 || ls /usr/lib/wine/wine64 2>/dev/null || true)
if ! command -v "$cxx" >/dev/null || [[ -z $wine ]]; then
    if [[ ${CI:-} == true ]]; then
        echo "windows check: $cxx or wine64 missing (.ci/run installs g++-mingw-w64-x86-64-posix and wine64)"
        exit 1
    fi
    echo "windows check: skipped, $cxx or wine64 not installed"
    exit 0
fi

out=$root/build-windows
mkdir -p "$out/obj"
echo "== windows: cross-build"
sources=$(cd "$root" && ls driver/*.cpp lexer/*.cpp properties/*.cpp resources/*.cpp help/*.cpp)
printf '%s\n' $sources | xargs -P2 -I{} sh -c \
    'obj="$2/obj/$(echo "$1" | tr / _).o"; "$3" -std=c++17 -O1 -Wall -Wextra -Werror -I"$4" -c "$4/$1" -o "$obj"' \
    _ {} "$out" "$cxx" "$root"
"$cxx" -static -o "$out/propwright.exe" "$out"/obj/*.o

export WINEPREFIX=$out/wineprefix WINEDEBUG=-all
"$wine" wineboot --init >/dev/null 2>&1 || true
wineserver=$(command -v wineserver || ls "$(dirname "$wine")"/wineserver 2>/dev/null || true)
[[ -n $wineserver ]] && "$wineserver" -w   # the prefix is set up before any case starts

echo "== windows: golden cases under wine"
results=$out/results
rm -rf "$results"
mkdir -p "$results"
run_case() {
    local case_dir=$1 name
    name=$(echo "${case_dir#"$root"/tests/golden/}" | tr / _)
    if [[ -f $case_dir/no-windows ]]; then
        echo skipped >"$results/$name.skip"
    elif GOLDEN_WINE=$wine bash "$root/tests/run_golden.sh" "$out/propwright.exe" "$decoder" \
        "$case_dir" >"$results/$name.log" 2>&1; then
        mv "$results/$name.log" "$results/$name.pass"
    else
        mv "$results/$name.log" "$results/$name.fail"
    fi
}
export -f run_case
export root out results wine decoder
ls -d "$root"/tests/golden/*/*/ | sed 's:/$::' | xargs -P2 -I{} bash -c 'run_case "$1"' _ {}

# wine under parallel load has been seen to drop a program's whole output once; a case that
# failed is run once more on its own, and only a second failure counts.
for log in "$results"/*.fail; do
    [[ -f $log ]] || continue
    name=$(basename "$log" .fail)
    case_dir=$root/tests/golden/${name/_//}
    echo "windows: retrying $name"
    if GOLDEN_WINE=$wine bash "$root/tests/run_golden.sh" "$out/propwright.exe" "$decoder" \
        "$case_dir" >"$results/$name.retry" 2>&1; then
        mv "$results/$name.retry" "$results/$name.pass"
        rm "$log"
    else
        cat "$results/$name.retry" >>"$log"
    fi
done

passed=$(find "$results" -name '*.pass' | wc -l)
failed=$(find "$results" -name '*.fail' | wc -l)
skipped=$(find "$results" -name '*.skip' | wc -l)
for log in "$results"/*.fail; do
    [[ -f $log ]] || continue
    echo "----- $(basename "$log" .fail)"
    cat "$log"
done
echo "windows: $passed passed, $failed failed, $skipped skipped"
((failed == 0))
