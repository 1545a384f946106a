#!/usr/bin/env bash
# Builds the tool normally (build/) and with sanitizers (build-asan/) and runs every test of
# both: unit tests, golden cases and the resource compilers on each produced script; then
# runs the golden cases with a Windows cross-build under wine (when those tools are there).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)

run_build() {
    local dir=$1
    shift
    echo "== $dir: configure and build"
    mkdir -p "$root/$dir"
    cmake -S "$root" -B "$root/$dir" "${generator[@]}" "$@" >"$root/$dir/configure.log" 2>&1 ||
        { cat "$root/$dir/configure.log"; return 1; }
    cmake --build "$root/$dir" -j2
    echo "== $dir: tests"
    (cd "$root/$dir" && ctest --output-on-failure --no-tests=error -j2)
}

run_build build
run_build build-asan -DPROPWRIGHT_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
bash "$root/tests/windows_check.sh" "$root/build/tests/resdecode"
bash "$root/tests/toolchain_check.sh" "$root/build"
echo "== all tests passed in build/ and build-asan/, and the golden cases with the Windows build"
