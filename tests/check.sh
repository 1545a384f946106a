#!/usr/bin/env bash
# Builds the tool in every configuration this machine can build and runs all tests in each:
#   gcc      build/          g++, Release: unit tests, golden cases, and windres and llvm-rc
#                            on every script a golden case produces, walked by the decoder;
#                            every build also checks plug-in DLLs linked with lld-link
#   clang    build-clang/    clang++, Release: unit tests and golden cases (the scripts are
#                            compared byte for byte; the compilers already took them in gcc)
#   asan     build-asan/     clang++ (g++ without clang), -O1, address and undefined-behaviour
#                            sanitizers, with the fuzz target: unit tests and golden cases
#   fuzz     build-asan/     the converter's and the dump's fuzz targets, FUZZ_SECONDS (60)
#                            seconds between them, seeded with the golden sources and scripts
#   windows  build-windows/  MinGW g++ cross-build: the golden cases under wine; the zip
#                            from cpack, unpacked: its files, imports, version resources, and
#                            its programs under wine against the Linux build
#   toolchain build/         installed into a scratch prefix: the example plug-in built as a DLL
#                            with MinGW, its resources read back; the Debian package
# The tools are looked for before anything is built; a missing one is named with its Debian
# package. gcc and asan always run; clang, fuzz, windows and toolchain are skipped when their
# tools are missing, unless CI=true (as .ci/run sets), where every stage must run and warnings
# are errors. The last lines say which stages ran, how long each took, and which were skipped.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

ci=false
[[ ${CI:-} == true ]] && ci=true
werror=OFF
$ci && werror=ON
export PROPWRIGHT_WERROR=$werror

# --- tools, before any build ---------------------------------------------------------------
missing_required=()
declare -A skip_reason=()
have_header() { [[ -f /usr/include/$1 || -f /usr/local/include/$1 ]]; }
need() {  # need PACKAGE TEST...: the package is missing unless the test succeeds
    local package=$1
    shift
    "$@" >/dev/null 2>&1 || missing_required+=("$package")
}
need cmake command -v cmake
need ninja-build eval 'command -v ninja || command -v make'
need g++ command -v g++
need libgtest-dev have_header gtest/gtest.h
need binutils-mingw-w64-x86-64 command -v x86_64-w64-mingw32-windres
need llvm eval 'command -v llvm-rc || ls /usr/bin/llvm-rc-*'
need tmux command -v tmux

fuzzer_library() {
    local dir
    dir=$(clang++ -print-resource-dir 2>/dev/null) || return 1
    compgen -G "$dir/lib/*/libclang_rt.fuzzer-*.a" >/dev/null ||
        compgen -G "$dir/lib/*/libclang_rt.fuzzer.a" >/dev/null
}
if ! command -v clang++ >/dev/null; then
    skip_reason[clang]="clang++ not found (Debian package clang)"
    skip_reason[fuzz]=${skip_reason[clang]}
elif ! fuzzer_library; then
    skip_reason[fuzz]="the libFuzzer library of clang++ not found (Debian package libclang-rt-dev)"
fi
wine=$(command -v wine64 || ls /usr/lib/wine/wine64 2>/dev/null || true)
if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
    skip_reason[windows]="x86_64-w64-mingw32-g++-posix not found (Debian package g++-mingw-w64-x86-64-posix)"
elif [[ -z $wine ]]; then
    skip_reason[windows]="wine64 not found (Debian package wine64)"
elif ! command -v groff >/dev/null; then
    skip_reason[windows]="groff not found, which writes the zip's manuals (Debian package groff-base)"
fi
if ! command -v x86_64-w64-mingw32-gcc-posix >/dev/null; then
    skip_reason[toolchain]="x86_64-w64-mingw32-gcc-posix not found (Debian package gcc-mingw-w64-x86-64-posix)"
elif ! command -v cpack >/dev/null || ! command -v dpkg-deb >/dev/null; then
    skip_reason[toolchain]="cpack or dpkg-deb not found (Debian packages cmake, dpkg)"
fi

# The plugincheck test of every build links plug-in DLLs with clang and lld-link, and with MinGW
# gcc for x86 and x64.
plugincheck_missing=()
for program in clang:clang lld-link:lld i686-w64-mingw32-gcc-posix:gcc-mingw-w64-i686-posix \
    x86_64-w64-mingw32-gcc-posix:gcc-mingw-w64-x86-64-posix; do
    command -v "${program%%:*}" >/dev/null || plugincheck_missing+=("${program#*:}")
done
if ((${#plugincheck_missing[@]} > 0)); then
    echo "check: the plugincheck test cannot run; missing: ${plugincheck_missing[*]}"
    $ci && missing_required+=("${plugincheck_missing[@]}")
fi
if ((${#missing_required[@]} > 0)); then
    echo "check: missing tools; install them with (or run .ci/run as root):"
    echo "    apt-get install ${missing_required[*]}"
    exit 1
fi
if ((${#skip_reason[@]} > 0)); then
    for stage in clang fuzz windows toolchain; do
        [[ -n ${skip_reason[$stage]:-} ]] && echo "check: stage $stage cannot run: ${skip_reason[$stage]}"
    done
    if $ci; then
        echo "check: CI=true needs every stage; .ci/run installs the missing packages"
        exit 1
    fi
fi

# --- stages ----------------------------------------------------------------------------------
stages=(gcc clang asan fuzz windows toolchain)
declare -A description=(
    [gcc]="build/, g++ Release: unit, golden, windres and llvm-rc"
    [clang]="build-clang/, clang++ Release: unit, golden"
    [asan]="build-asan/, clang++ -O1 with address and undefined-behaviour sanitizers: unit, golden"
    [fuzz]="build-asan/, libFuzzer for ${FUZZ_SECONDS:-60}s"
    [windows]="build-windows/, MinGW g++ under wine: golden, the zip"
    [toolchain]="build/ installed: example plug-in DLL with MinGW, its resources, .deb"
)
# The sanitizer build is also the fuzz build; without clang's runtime libraries (the same
# package holds the sanitizers and libFuzzer) it is made with g++ and without the fuzz target.
asan_cxx=clang++
asan_options=(-DPROPWRIGHT_FUZZ=ON)
if [[ -n ${skip_reason[fuzz]:-} ]]; then
    asan_cxx=g++
    asan_options=(-DPROPWRIGHT_SANITIZE=ON)
    description[asan]="build-asan/, g++ -O1 with address and undefined-behaviour sanitizers: unit, golden"
fi
for stage in "${stages[@]}"; do
    [[ $werror == ON && $stage != fuzz && $stage != toolchain ]] && description[$stage]+=", warnings are errors"
done

declare -A outcome=()
current=
summary() {
    local status=$? stage
    [[ -n $current ]] && outcome[$current]="FAILED"
    echo
    echo "== stages"
    for stage in "${stages[@]}"; do
        printf '%-10s %-22s %s\n' "$stage" "${outcome[$stage]:-not run}" "${description[$stage]}"
    done
    if ((status == 0)); then
        local skipped=()
        for stage in "${stages[@]}"; do
            [[ -n ${skip_reason[$stage]:-} ]] && skipped+=("$stage")
        done
        echo "== check passed: every stage that ran passed; skipped: ${skipped[*]:-none}"
    else
        echo "== check FAILED in stage ${current:-setup}"
    fi
}
trap summary EXIT

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)

# Configures DIR with the compiler CXX (a tree configured with another one starts afresh),
# builds it and runs its tests.
run_build() {
    local dir=$1 cxx=$2
    shift 2
    local cache=$root/$dir/CMakeCache.txt
    if [[ -f $cache ]] && ! grep -qx "CMAKE_CXX_COMPILER:[A-Z]*=$(command -v "$cxx")" "$cache"; then
        rm -rf "$cache" "$root/$dir/CMakeFiles"
    fi
    echo "== $dir: configure and build with $cxx"
    mkdir -p "$root/$dir"
    cmake -S "$root" -B "$root/$dir" "${generator[@]}" -DCMAKE_CXX_COMPILER="$(command -v "$cxx")" \
        -DPROPWRIGHT_WERROR=$werror "$@" >"$root/$dir/configure.log" 2>&1 ||
        { cat "$root/$dir/configure.log"; return 1; }
    cmake --build "$root/$dir" -j2
    echo "== $dir: tests"
    (cd "$root/$dir" && ctest --output-on-failure --no-tests=error -j2)
}

stage() {  # stage NAME COMMAND...: runs a stage unless it is to be skipped, and times it
    local name=$1 start=$SECONDS
    shift
    if [[ -n ${skip_reason[$name]:-} ]]; then
        outcome[$name]="skipped"
        description[$name]+=" (${skip_reason[$name]})"
        return
    fi
    current=$name
    "$@"
    current=
    local took=$((SECONDS - start))
    outcome[$name]="passed in $((took / 60))m$(printf %02d $((took % 60)))s"
}

stage gcc run_build build g++ -DCMAKE_BUILD_TYPE=Release
GOLDEN_COMPILERS=0 stage clang run_build build-clang clang++ -DCMAKE_BUILD_TYPE=Release
GOLDEN_COMPILERS=0 stage asan run_build build-asan "$asan_cxx" -DCMAKE_BUILD_TYPE=Debug \
    "-DCMAKE_CXX_FLAGS_DEBUG=-g -O1" "${asan_options[@]}"
# The two targets share the fuzz time, so the stage takes no longer than with one.
fuzz_both() {
    local seconds=${FUZZ_SECONDS:-60}
    bash "$root/fuzz/run.sh" "$root/build-asan/fuzz/propwright_fuzz" $(((seconds + 1) / 2))
    bash "$root/fuzz/run.sh" "$root/build-asan/fuzz/propwright_fuzz_dump" $((seconds / 2))
}
stage fuzz fuzz_both
stage windows bash "$root/tests/windows_check.sh" "$root/build/tests/resdecode"
stage toolchain bash "$root/tests/toolchain_check.sh" "$root/build"
