#!/usr/bin/env bash
# Checks the Windows zip the way a user meets it: made by cpack from the MinGW build, unpacked
# into an empty folder, its files, the DLLs its programs import and their version resources;
# then both programs run from there under wine on the bundled example and on the example
# plug-in DLL (built with MinGW through the zip's CMake package), against the Linux build.
# Each run under wine is bounded (60 seconds), as the golden cases are.
# Usage: windows_package_check.sh WINDOWS_BUILD NATIVE_BUILD WINE
# (run by windows_check.sh, with WINEPREFIX set and its wineserver running)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(cd "$1" && pwd)
native=$(cd "$2" && pwd)
wine=$3
mingw=x86_64-w64-mingw32

scratch=$(mktemp -d "${TMPDIR:-/tmp}/winpackage.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
problems=0
problem() {
    echo "FAIL: $*"
    problems=$((problems + 1))
}
version=$(sed -n 's/^project(propwright VERSION \([0-9.]*\) .*/\1/p' "$root/CMakeLists.txt")

echo "== windows: zip"
cpack -G ZIP -B "$scratch/cpack" --config "$out/CPackConfig.cmake" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; exit 1; }
zip=$scratch/cpack/propwright-$version-win64.zip
[[ -f $zip ]] || { ls "$scratch/cpack"; echo "FAIL: cpack made no ${zip##*/}"; exit 1; }
unpacked=$scratch/unpacked
mkdir "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$zip")
echo "${zip##*/}: $(stat -c %s "$zip") bytes; unpacked:"
(cd "$unpacked" && find . -type f -printf '%10s  %P\n' | LC_ALL=C sort -k2)

# Exactly these files: no usr/, no man pages. The stage builds Debug, hence Targets-debug.
cat >"$scratch/expected.files" <<'EOF'
bin/propwright-dump.exe
bin/propwright.exe
doc/README.md
doc/propwright-dump.txt
doc/propwright.txt
lib/cmake/Propwright/PropwrightCheck.cmake
lib/cmake/Propwright/PropwrightConfig.cmake
lib/cmake/Propwright/PropwrightConfigVersion.cmake
lib/cmake/Propwright/PropwrightPreprocess.cmake
lib/cmake/Propwright/PropwrightResources.cmake
lib/cmake/Propwright/PropwrightTargets-debug.cmake
lib/cmake/Propwright/PropwrightTargets.cmake
EOF
(cd "$unpacked" && find . -type f -printf '%P\n' | LC_ALL=C sort) >"$scratch/actual.files"
diff -u --label expected --label zip "$scratch/expected.files" "$scratch/actual.files" ||
    problem "the zip holds other files"
cmp -s "$root/README.md" "$unpacked/doc/README.md" || problem "doc/README.md is not the README"

# The manuals: plain ASCII text with Windows line ends, under their man page title.
check_manual() {
    local file=$unpacked/doc/$1.txt title=$2
    [[ -f $file ]] || return 0
    [[ $(head -c ${#title} "$file") == "$title" ]] || problem "doc/$1.txt does not start with $title"
    LC_ALL=C grep -q $'[^\r -~]' "$file" && problem "doc/$1.txt holds other than printable ASCII"
    LC_ALL=C grep -qv $'\r$' "$file" && problem "doc/$1.txt has a line without a Windows line end"
    return 0
}
check_manual propwright "PROPWRIGHT(1)"
check_manual propwright-dump "PROPWRIGHT-DUMP(1)"

# Only DLLs that every Windows has; no MinGW runtime (libstdc++, libgcc_s, libwinpthread).
allowed_dlls=" kernel32.dll msvcrt.dll advapi32.dll user32.dll "
check_imports() {
    local exe=$unpacked/bin/$1 dlls dll
    [[ -f $exe ]] || return 0
    dlls=$("$mingw-objdump" -p "$exe" | sed -n 's/^\tDLL Name: //p' | tr 'A-Z' 'a-z')
    echo "$1 imports: $(echo $dlls)"
    [[ -n $dlls ]] || problem "$1 imports no DLL at all (not a PE image?)"
    for dll in $dlls; do
        [[ $allowed_dlls == *" $dll "* ]] || problem "$1 imports $dll, which is not among:$allowed_dlls"
    done
}

# The version resource, decompiled by windres: numbers and strings from project(VERSION).
check_version() {
    local name=$1 description=$2 numbers
    [[ -f $unpacked/bin/$name.exe ]] || return 0
    numbers="${version//./, }, 0"
    printf '%s\n' "FILEVERSION $numbers" "PRODUCTVERSION $numbers" \
        "VALUE \"FileDescription\", \"$description\"" "VALUE \"FileVersion\", \"$version\"" \
        "VALUE \"InternalName\", \"$name\"" \
        "VALUE \"LegalCopyright\", \"Copyright (C) Propwright maintainers\"" \
        "VALUE \"OriginalFilename\", \"$name.exe\"" "VALUE \"ProductName\", \"Propwright\"" \
        "VALUE \"ProductVersion\", \"$version\"" "VALUE \"Translation\", 0x409, 1200" \
        >"$scratch/$name.version.expected"
    "$mingw-windres" -i "$unpacked/bin/$name.exe" -O rc |
        sed -n 's/^ *\(FILEVERSION\|PRODUCTVERSION\|VALUE\) /\1 /p' >"$scratch/$name.version"
    diff -u --label expected --label "$name.exe" "$scratch/$name.version.expected" \
        "$scratch/$name.version" || problem "the version resource of $name.exe differs"
}
check_imports propwright.exe
check_imports propwright-dump.exe
check_version propwright "Converts plug-in resource descriptions (.r) into Windows resource scripts (.rc)"
check_version propwright-dump "Prints the plug-in resources of a .res file or a DLL as Propwright source"

# Line ends aside: the Windows programs write text mode, CR LF.
same_text() {  # same_text WHAT LINUX_FILE WINDOWS_FILE
    diff -u --label Linux --label Windows "$2" <(sed 's/\r$//' "$3") ||
        problem "the zip's $1 differs from the Linux build's"
}

echo "== windows: the zip's programs under wine"
mkdir "$scratch/linux" "$scratch/windows"
cp "$root/examples/filter.rr" "$scratch/linux/"
cp "$root/examples/filter.rr" "$scratch/windows/"
(cd "$scratch/linux" && "$native/propwright" filter.rr filter.rc >/dev/null)
(cd "$scratch/windows" && timeout 60 "$wine" "$unpacked/bin/propwright.exe" filter.rr filter.rc >/dev/null) ||
    problem "the zip's propwright.exe failed on examples/filter.rr"
same_text "script of examples/filter.rr" "$scratch/linux/filter.rc" "$scratch/windows/filter.rc"

# The example plug-in through the zip's CMake package; its conversions and its check run the
# zip's programs under wine (a Linux machine cannot start them directly).
for program in propwright propwright-dump; do
    printf '#!/usr/bin/env bash\nexec timeout 60 %q %q "$@"\n' "$wine" "$unpacked/bin/$program.exe" \
        >"$scratch/$program-wine"
    chmod +x "$scratch/$program-wine"
done
plugin=$scratch/plugin
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cmake -S "$root/examples/plugin" -B "$plugin" "${generator[@]}" -DCMAKE_PREFIX_PATH="$unpacked" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DPROPWRIGHT_EXECUTABLE="$scratch/propwright-wine" \
    -DPROPWRIGHT_DUMP_EXECUTABLE="$scratch/propwright-dump-wine" >"$scratch/plugin-configure.log" 2>&1 ||
    { cat "$scratch/plugin-configure.log"; exit 1; }
grep -qxF "Propwright_DIR:PATH=$unpacked/lib/cmake/Propwright" "$plugin/CMakeCache.txt" ||
    problem "find_package(Propwright) did not take the zip's package"
cmake --build "$plugin" >"$scratch/plugin-build.log" 2>&1 || { cat "$scratch/plugin-build.log"; exit 1; }
[[ -f $plugin/edgetint.dll ]] || { echo "FAIL: no edgetint.dll"; exit 1; }
"$native/propwright" "$plugin/propwright/edgetint/edgetint.rr" "$scratch/edgetint.rc" >/dev/null
same_text "script of edgetint.r" "$scratch/edgetint.rc" "$plugin/propwright/edgetint/edgetint.rc"

(cd "$plugin" && "$native/dump/propwright-dump" edgetint.dll >"$scratch/edgetint-linux.rr")
(cd "$plugin" && timeout 60 "$wine" "$unpacked/bin/propwright-dump.exe" edgetint.dll \
    >"$scratch/edgetint-windows.rr") ||
    problem "the zip's propwright-dump.exe failed on edgetint.dll"
same_text "dump of edgetint.dll" "$scratch/edgetint-linux.rr" "$scratch/edgetint-windows.rr"

if ((problems > 0)); then
    echo "windows: $problems problem(s) with the zip"
    exit 1
fi
echo "windows: ${zip##*/} files, imports, version resources, and both programs checked"
