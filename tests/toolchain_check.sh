#!/usr/bin/env bash
# Checks the tool the way a plug-in build meets it: installs a built tree into a scratch prefix,
# builds the example plug-in (examples/plugin) as a Windows DLL with MinGW through
# find_package(Propwright) and propwright_add_resources, reads the resources back out of the DLL
# and compares them with values worked out by hand from examples/plugin/edgetint.r; checks that
# an edited header reaches the DLL, that the plug-in check after the link fails a build whose
# entry point is not exported, and where errors point; then builds the Debian package and
# checks its file list and that the packaged tool runs.
# Usage: toolchain_check.sh BUILD_DIR   (a configured and built tree, with tests/resdecode)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tests/lib.sh"
build=$(cd "$1" && pwd)
decoder=$build/tests/resdecode

mingw=x86_64-w64-mingw32
require_tools 0 "g++-mingw-w64-x86-64-posix llvm dpkg-dev" \
    "$mingw-gcc-posix" "$mingw-windres" llvm-readobj llvm-rc cpack dpkg-deb
make_scratch toolchain
mingw_toolchain=$root/cmake/mingw-w64-x86_64.cmake
# What cmake --install and the Debian package put below their prefix.
installed_files=(bin/propwright bin/propwright-dump share/man/man1/propwright.1
    share/man/man1/propwright-dump.1 lib/cmake/Propwright/PropwrightConfig.cmake
    lib/cmake/Propwright/PropwrightConfigVersion.cmake lib/cmake/Propwright/PropwrightTargets.cmake
    lib/cmake/Propwright/PropwrightResources.cmake lib/cmake/Propwright/PropwrightCheck.cmake)
# The decoder's lines for a .res file, without its first, sorted.
walk() { "$decoder" "$1" | tail -n +2 | LC_ALL=C sort; }

# --- Install into a prefix: the program, the man page and the CMake package.
echo "== toolchain: install"
prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >"$scratch/install.log"
for file in "${installed_files[@]}"; do
    [[ -f $prefix/$file ]] || problem "cmake --install did not install $file"
done
[[ -x $prefix/bin/propwright ]] || problem "the installed propwright is not executable"
if command -v groff >/dev/null; then
    for page in propwright propwright-dump; do
        groff -man -ww -z "$prefix/share/man/man1/$page.1" 2>"$scratch/man.err" || true
        [[ -s $scratch/man.err ]] && problem "the man page $page.1 has formatting warnings: $(cat "$scratch/man.err")"
    done
fi

# --- The example plug-in, from a copy of its sources (later steps edit them).
echo "== toolchain: example plug-in with MinGW"
plugin_src=$scratch/plugin
cp -a "$root/examples/plugin" "$plugin_src"
plugin=$scratch/plugin-build
cmake -S "$plugin_src" -B "$plugin" "${generator[@]}" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_TOOLCHAIN_FILE="$mingw_toolchain" >"$scratch/plugin-configure.log" 2>&1 ||
    { cat "$scratch/plugin-configure.log"; exit 1; }
cmake --build "$plugin" >"$scratch/plugin-build.log" 2>&1 || { cat "$scratch/plugin-build.log"; exit 1; }
dll=$plugin/edgetint.dll
[[ -f $dll ]] || { echo "FAIL: no $dll"; exit 1; }

# Expected bytes, little-endian as the resource compiler lays them out.
le16() { printf '%02X%02X' $(($1 & 255)) $((($1 >> 8) & 255)); }
le32() { le16 $(($1 & 65535)); le16 $((($1 >> 16) & 65535)); }
hex() { od -An -tx1 "$@" | tr -d ' \n' | tr a-f A-F; }
text() { printf '%s' "$1" | hex; }
zeros() { local i; for ((i = 0; i < $1; i++)); do printf 00; done; }
byte() { printf '%02X' "$1"; }
# A four-character code is stored as a little-endian 32-bit value: its characters reversed.
code() { text "${1:3:1}${1:2:1}${1:1:1}${1:0:1}"; }
# Property record header: vendor 'LMTR', key, index 0, value length.
record() { code LMTR; code "$1"; le32 0; le32 "$2"; }

# The property list of edgetint.r: 1, version 0, 7 properties.
expected_vtag=$(
    le16 1; le32 0; le32 7
    record kind 4;  code LmFl                                    # Kind { Filter }
    record name 16; byte 12; text "Edge Tint..."; zeros 3        # 12 characters, 3 zero bytes
    record catg 20; byte 15; text "Lumetra Samples"; zeros 4     # 16 is a multiple of 4: 4 zeros
    record vers 4;  le32 $(((1 << 16) | 3))                      # 1.3, the 3 from the build
    record 8664 12; text PluginMain; zeros 2                     # only with MSWindows=1
    record mode 4;  le16 $((0x40 | 0x10 | 0x4000)); le16 0      # gray, RGB; Lab
    record enbl 36; text "in (RGBMode, GrayMode, LabMode)"; zeros 5
)
# The add-in categories: 1, one category of size 62 holding two filters.
expected_adin=$(
    le16 1; le16 1
    le16 62; le16 2; byte 15; text "Lumetra Samples"; zeros 4    # size: 4 + 20 + 18 + 20
    byte 9; text "Edge Tint"; zeros 2; le16 2; le16 1; le16 2    # 12 + 2 + 4 bytes
    byte 14; text "Edge Tint Soft"; zeros 1; le16 1; le16 3      # 16 + 2 + 2 bytes
)

# The data of each resource as llvm-readobj dumps it from the DLL: "TYPE NAME HEX" per line.
dump_resources() {
    llvm-readobj --coff-resources "$1" | awk '
        /^  Type: /      { type = $2 }
        /^    Name: /    { name = $0; sub(/.*\(ID /, "", name); sub(/\).*/, "", name) }
        /^ *Data \($/    { hex = ""; inside = 1; next }
        inside && /^ *\)$/ { print type, name, hex; inside = 0; next }
        inside           { line = $0; sub(/\|.*/, "", line); sub(/^ *[0-9A-F]+:/, "", line)
                           gsub(/ /, "", line); hex = hex line }'
}
dump_resources "$dll" >"$scratch/dll.dump"
check_resource() {
    local type=$1 name=$2 expected=$3 actual
    actual=$(awk -v t="$type" -v n="$name" '$1 == t && $2 == n { print $3 }' "$scratch/dll.dump")
    if [[ -z $actual ]]; then
        problem "no $type $name resource in the DLL"
    elif [[ $actual != "$expected" ]]; then
        problem "$type $name in the DLL differs from the bytes worked out from edgetint.r:"
        echo "  expected $expected"
        echo "  actual   $actual"
    fi
}
check_resource VTAG 16000 "$expected_vtag"
check_resource ADIN 16000 "$expected_adin"
[[ $(wc -l <"$scratch/dll.dump") == 3 ]] || problem "the DLL holds $(wc -l <"$scratch/dll.dump") resources, expected 3"

# The decoder walks the resources taken out of the DLL: counts and lengths agree with the data,
# and the string table (block 16100 / 16 + 1 = 1007) holds the about text.
"$mingw-windres" -i "$dll" -O res -o "$scratch/dll.res"
walk "$scratch/dll.res" >"$scratch/dll.walk"
cat >"$scratch/expected.walk" <<'EOF'
  #6 #1007 110 bytes: 16100="Edge Tint tints the edges of the image."(39)
  ADIN #16000 66 bytes: 1 category 'Lumetra Samples': Edge Tint[2] Edge Tint Soft[1]
  VTAG #16000 218 bytes: 7 properties: kind(4) name(16) catg(20) vers(4) 8664(12) mode(4) enbl(36)
EOF
diff -u --label expected --label "resources of the DLL" "$scratch/expected.walk" "$scratch/dll.walk" ||
    problem "the decoder reads other resources out of the DLL"
# llvm-rc compiles the same generated script to the same resources.
rc=$plugin/propwright/edgetint/edgetint.rc
llvm-rc -no-preprocess -c 1252 -fo "$scratch/llvm.res" "$rc"
walk "$scratch/llvm.res" >"$scratch/llvm.walk"
diff -u --label "llvm-rc" --label "DLL" "$scratch/llvm.walk" "$scratch/dll.walk" ||
    problem "llvm-rc compiles the generated script to other resources than the DLL holds"

# propwright-dump reads the DLL back to source that converts to the same resources as the
# script generated from edgetint.r: both compiled with windres and compared byte for byte.
dumped=$scratch/dumped
mkdir "$dumped"
if ! "$prefix/bin/propwright-dump" "$dll" >"$dumped/edgetint.rr" 2>"$dumped/dump.err"; then
    cat "$dumped/dump.err"
    problem "propwright-dump found problems in the example DLL"
elif ! grep -qxF "/* Convert back with: propwright edgetint.rr edgetint.rc -j" "$dumped/edgetint.rr"; then
    head -n 3 "$dumped/edgetint.rr"
    problem "the dump of the DLL does not name the command line that converts it back"
elif ! "$prefix/bin/propwright" "$dumped/edgetint.rr" "$dumped/edgetint.rc" -j >"$dumped/convert.log"; then
    cat "$dumped/convert.log"
    problem "the dump of the DLL does not convert"
else
    "$mingw-windres" --preprocessor=cpp -i "$dumped/edgetint.rc" -O res -o "$dumped/dumped.res"
    "$mingw-windres" --preprocessor=cpp -i "$rc" -O res -o "$dumped/source.res"
    "$decoder" --compare "$dumped/source.res" "$dumped/dumped.res" ||
        problem "the dump of the DLL converts to other resources than edgetint.r"
fi

# --- An edited header reruns the preprocessor: the new identifier reaches the DLL.
echo "== toolchain: header dependency"
sed -i 's/#define kEdgeTintAboutID 16100/#define kEdgeTintAboutID 16116/' "$plugin_src/include/edgetint_ids.h"
cmake --build "$plugin" >"$scratch/rebuild.log" 2>&1 || { cat "$scratch/rebuild.log"; exit 1; }
grep -q "Preprocessing edgetint.r" "$scratch/rebuild.log" ||
    problem "editing the included header did not rerun the preprocessor"
"$mingw-windres" -i "$dll" -O res -o "$scratch/edited.res"
grep -qF '#6 #1008 110 bytes: 16116="Edge Tint tints' <("$decoder" "$scratch/edited.res") ||
    problem "the string table of the rebuilt DLL is not at 16116 (block 1008)"

# --- CHECK: the example is checked after its link; an entry point renamed in the C source alone
# fails the build with the export that explains it, and leaves no DLL behind.
echo "== toolchain: plug-in check after the link"
sed -i 's/int PluginMain(/int pluginMain(/' "$plugin_src/edgetint.c"
grep -q "pluginMain" "$plugin_src/edgetint.c" || problem "could not rename the entry point in the copy of edgetint.c"
if cmake --build "$plugin" >"$scratch/check.log" 2>&1; then
    problem "a plug-in whose entry point is not exported built"
else
    grep -qxF "$dll: error: Vtag 16000 \"Edge Tint...\": CodeWin64X86 names the entry point 'PluginMain', which the image does not export; it exports 'pluginMain', that name in other letter case: spell the function and the property's text alike (a host matches names exactly)" "$scratch/check.log" ||
        { cat "$scratch/check.log"; problem "the build log does not name the export that explains the missing entry point"; }
    [[ -e $dll ]] && problem "the plug-in that failed the check is still there"
fi
sed -i 's/int pluginMain(/int PluginMain(/' "$plugin_src/edgetint.c"
cmake --build "$plugin" >"$scratch/check-fixed.log" 2>&1 && [[ -f $dll ]] ||
    { cat "$scratch/check-fixed.log"; problem "the repaired plug-in did not build"; }

# --- Errors: GCC output has no #line markers, so the message names the generated .rr file.
echo "== toolchain: error locations"
sed -i 's/^\t\tKind { Filter },$/&\n\t\tBogus { 1 },/' "$plugin_src/edgetint.r"
grep -q "Bogus" "$plugin_src/edgetint.r" || problem "could not put the error into the copy of edgetint.r"
if cmake --build "$plugin" >"$scratch/error.log" 2>&1; then
    problem "a .r file with an unknown property built"
else
    rr=$plugin/propwright/edgetint/edgetint.rr
    line=$(grep -n "Bogus" "$rr" | cut -d: -f1)
    grep -qF "$rr($line) : error: ParseVtagBody: Unexpected token ('" "$scratch/error.log" ||
        { cat "$scratch/error.log"; problem "the error does not name $rr($line)"; }
    # A conversion error deletes the script and leaves no temporary file.
    left=$(cd "$(dirname "$rr")" && ls -A | LC_ALL=C sort | tr '\n' ' ')
    [[ $left == "edgetint.rr edgetint.rr.d " ]] ||
        problem "after the failed conversion the folder holds: $left"
fi
# Clang writes #line markers: the message names edgetint.r and the line of the bad property (9).
# Only the preprocessing and conversion are built: clang finds no MinGW runtime to link with.
if command -v clang >/dev/null && [[ -n ${generator[*]} ]]; then
    clang_build=$scratch/plugin-clang
    cmake -S "$plugin_src" -B "$clang_build" "${generator[@]}" -DCMAKE_PREFIX_PATH="$prefix" \
        -DCMAKE_TOOLCHAIN_FILE="$mingw_toolchain" \
        -DCMAKE_C_COMPILER="$(command -v clang)" -DCMAKE_C_COMPILER_TARGET=$mingw \
        -DCMAKE_TRY_COMPILE_TARGET_TYPE=STATIC_LIBRARY >"$scratch/clang-configure.log" 2>&1 ||
        { cat "$scratch/clang-configure.log"; exit 1; }
    if ninja -C "$clang_build" propwright/edgetint/edgetint.rc >"$scratch/clang-error.log" 2>&1; then
        problem "a .r file with an unknown property converted (Clang)"
    else
        grep -F "$plugin_src/edgetint.r(9) : error: ParseVtagBody: Unexpected token ('" \
            "$scratch/clang-error.log" | grep -q "Bogus { 1 }," ||
            { cat "$scratch/clang-error.log"; problem "the error does not name edgetint.r(9)"; }
    fi
else
    echo "toolchain: Clang error location not checked (needs clang and ninja)"
fi

# --- propwright_add_resources refuses wrong calls at configure time, with a message.
echo "== toolchain: helper arguments and the cl-style preprocessing step"
helper_case() {
    local name=$1 languages=$2 call=$3 expected=$4 dir=$scratch/helper-$1
    mkdir -p "$dir"
    printf '%s\n' "cmake_minimum_required(VERSION 3.16)" "project(h LANGUAGES $languages)" \
        "find_package(Propwright REQUIRED)" "add_custom_target(plugin)" "$call" >"$dir/CMakeLists.txt"
    if cmake -S "$dir" -B "$dir/build" -DCMAKE_PREFIX_PATH="$prefix" >"$dir/log" 2>&1; then
        problem "helper case $name configured"
    elif ! tr -s ' \n' ' ' <"$dir/log" | grep -qF "$expected"; then
        cat "$dir/log"
        problem "helper case $name: no message '$expected'"
    fi
}
helper_case two-options NONE "propwright_add_resources(plugin SOURCES a.r OPTIONS -j -x)" \
    "OPTIONS takes one of -j, -c, -k, -x; got: -j;-x"
helper_case unknown-option NONE "propwright_add_resources(plugin SOURCES a.r OPTIONS -v)" \
    "OPTIONS takes one of -j, -c, -k, -x; got: -v"
helper_case bad-encoding NONE "propwright_add_resources(plugin SOURCES a.r ENCODING latin1)" \
    "ENCODING takes UTF-8; got: latin1"
helper_case no-rc NONE "propwright_add_resources(plugin SOURCES a.r)" \
    "the RC language is not enabled"
helper_case no-target NONE "propwright_add_resources(other SOURCES a.r)" "there is no target other"
helper_case no-sources NONE "propwright_add_resources(plugin OPTIONS -k)" "no SOURCES given"

# ENCODING UTF-8 passes -u: a name saved as UTF-8 reaches the DLL in code page 1252.
utf8_dir=$scratch/helper-utf8
mkdir -p "$utf8_dir"
printf '%s\n' "cmake_minimum_required(VERSION 3.16)" "project(h LANGUAGES C RC)" \
    "find_package(Propwright REQUIRED)" "add_library(plugin MODULE p.c)" \
    "propwright_add_resources(plugin SOURCES a.r ENCODING UTF-8)" >"$utf8_dir/CMakeLists.txt"
echo "int plugin_data;" >"$utf8_dir/p.c"
printf 'resource %sVtag%s (16000) { { Name { "Caf\xc3\xa9" } } };\n' "'" "'" >"$utf8_dir/a.r"
if ! cmake -S "$utf8_dir" -B "$utf8_dir/build" "${generator[@]}" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_TOOLCHAIN_FILE="$mingw_toolchain" >"$utf8_dir/log" 2>&1 ||
    ! cmake --build "$utf8_dir/build" >>"$utf8_dir/log" 2>&1; then
    cat "$utf8_dir/log"
    problem "a plug-in with ENCODING UTF-8 does not build"
elif ! hex "$utf8_dir/build/libplugin.dll" | grep -q "$(record name 8)04436166E9000000"; then
    problem "the DLL built with ENCODING UTF-8 lacks the name Caf\\xE9 in code page 1252"
fi

# The step for cl and clang-cl, with clang-cl: the example configured for the MSVC target (only the
# preprocessing and conversion are built; there are no Windows SDK libraries to link with) writes
# #line markers naming the .r file and its header, a dependency file listing the header, and a
# script that compiles to the DLL's resources. A missing header fails with the compiler's message
# and leaves no file.
clang_cl=$(dirname "$(readlink -f "$(command -v clang || echo /nonexistent)")")/clang-cl
if [[ -x $clang_cl && -n ${generator[*]} ]]; then
    cl_build=$scratch/plugin-clang-cl
    printf '%s\n' "set(CMAKE_SYSTEM_NAME Windows)" "set(CMAKE_SYSTEM_PROCESSOR AMD64)" \
        "set(CMAKE_C_COMPILER \"$clang_cl\")" "set(CMAKE_C_COMPILER_TARGET x86_64-pc-windows-msvc)" \
        "set(CMAKE_RC_COMPILER \"$(command -v llvm-rc)\")" \
        "set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)" >"$scratch/clang-cl.cmake"
    cmake -S "$root/examples/plugin" -B "$cl_build" "${generator[@]}" -DCMAKE_PREFIX_PATH="$prefix" \
        -DCMAKE_TOOLCHAIN_FILE="$scratch/clang-cl.cmake" >"$scratch/clang-cl-configure.log" 2>&1 ||
        { cat "$scratch/clang-cl-configure.log"; exit 1; }
    ninja -C "$cl_build" propwright/edgetint/edgetint.rc >"$scratch/clang-cl-build.log" 2>&1 ||
        { cat "$scratch/clang-cl-build.log"; problem "the clang-cl preprocessing and conversion failed"; }
    pp=$cl_build/propwright/edgetint
    grep -qxF "#line 1 \"$root/examples/plugin/include/edgetint_ids.h\"" "$pp/edgetint.rr" &&
        grep -qxF "#line 4 \"$root/examples/plugin/edgetint.r\"" "$pp/edgetint.rr" ||
        problem "clang-cl wrote no #line markers for edgetint.r and its header"
    [[ $(head -n 1 "$pp/edgetint.rr.d") == "$pp/edgetint.rr: $root/examples/plugin/edgetint.r \\" ]] &&
        grep -qxF "  $root/examples/plugin/include/edgetint_ids.h" "$pp/edgetint.rr.d" ||
        { cat "$pp/edgetint.rr.d"; problem "the clang-cl dependency file does not list the header"; }
    llvm-rc -no-preprocess -c 1252 -fo "$scratch/clang-cl.res" "$pp/edgetint.rc" &&
        diff <(walk "$scratch/clang-cl.res") "$scratch/dll.walk" ||
        problem "the clang-cl build converts to other resources than the DLL holds"
    printf '#include "missing.h"\n' >"$scratch/broken.r"
    if cmake -DPROPWRIGHT_CC="$clang_cl" "-DPROPWRIGHT_FLAGS=/nologo" -DPROPWRIGHT_SOURCE="$scratch/broken.r" \
        -DPROPWRIGHT_OUTPUT="$scratch/broken.rr" -DPROPWRIGHT_DEPFILE="$scratch/broken.rr.d" \
        -P "$prefix/lib/cmake/Propwright/PropwrightPreprocess.cmake" >"$scratch/broken.log" 2>&1; then
        problem "the cl-style step passed a missing header"
    else
        grep -q "missing.h" "$scratch/broken.log" || problem "the cl-style step hid the compiler's error"
        [[ -e $scratch/broken.rr || -e $scratch/broken.rr.d ]] && problem "the failed cl-style step left files"
    fi
else
    echo "toolchain: cl-style preprocessing not checked (needs clang-cl beside clang, and ninja)"
fi

# --- The Debian package: its files, and the packaged tool runs.
echo "== toolchain: Debian package"
package_dir=$scratch/package
cpack -G DEB -B "$package_dir" --config "$build/CPackConfig.cmake" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; exit 1; }
deb=$(ls "$package_dir"/*.deb)
[[ $(dpkg-deb -f "$deb" Package) == propwright ]] || problem "package name is not propwright"
[[ $(dpkg-deb -f "$deb" Version) == 1.0.0 ]] || problem "package version is not 1.0.0"
dpkg-deb -c "$deb" | awk '{ print $NF }' >"$scratch/deb.files"
for file in "${installed_files[@]/#/./usr/}"; do
    grep -qxF "$file" "$scratch/deb.files" || problem "the package does not hold $file"
done
unpacked=$scratch/unpacked
dpkg-deb -x "$deb" "$unpacked"
# The packaged tool converts the bundled example exactly like the built one.
cp "$root/examples/filter.rr" "$scratch/filter.rr"
"$build/propwright" "$scratch/filter.rr" "$scratch/filter-built.rc" >/dev/null
if ! "$unpacked/usr/bin/propwright" "$scratch/filter.rr" "$scratch/filter-packaged.rc" >/dev/null; then
    problem "the packaged propwright failed on examples/filter.rr"
elif ! cmp -s "$scratch/filter-built.rc" "$scratch/filter-packaged.rc"; then
    problem "the packaged propwright converts examples/filter.rr differently"
fi
set +e
version_out=$("$unpacked/usr/bin/propwright" --version 2>&1)
version_status=$?
set -e
banner=$(banner_form '1\.0\.0')
if ((version_status != 0)) || ! [[ $(head -n 1 <<<"$version_out") =~ $banner ]]; then
    problem "packaged 'propwright --version' gave status $version_status and: $version_out"
fi

finish "toolchain: " "toolchain: install, example DLL resources, header dependency, error locations and package checked"
