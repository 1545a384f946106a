#!/usr/bin/env bash
# Builds small plug-in DLLs from plugin.c and plugin.r (resources converted by propwright) for
# x86, x64 and ARM64 with clang and lld-link (no Windows SDK), and for x86 and x64 with MinGW gcc,
# and checks each with propwright-dump --check against expected.txt: the exact lines and the
# exit status. A case with a file CASE.dump beside this script is also dumped as source: the
# printed text must be that file's, with nothing on the error stream and status 0.
# Usage: run_plugin_check.sh PROPWRIGHT PROPWRIGHT_DUMP SOURCE_DIR
# Without the tools the test is skipped (status 77), except under CI=true, where it fails.
set -u
source "$(dirname "$0")/../lib.sh"
tool=$(realpath "$1")
dump=$(realpath "$2")
source_dir=$(realpath "$3")
declare -A mingw=([mingw-x86]=i686-w64-mingw32 [mingw-x64]=x86_64-w64-mingw32)

require_tools 77 "clang lld llvm gcc-mingw-w64-x86-64-posix gcc-mingw-w64-i686-posix" \
    clang lld-link llvm-rc {x86_64,i686}-w64-mingw32-{gcc-posix,windres}

make_scratch plugincheck
cp "$source_dir/plugin.c" "$source_dir/plugin.r" "$scratch/"
cd "$scratch" || exit 1

# case | target | C flags | .r flags (- for no resources) | link flags | edit of the .rc (sed)
cases='
ok-x64            | x64       |                 | -DX64                | |
ok-x86            | x86       |                 | -DX86                | |
ok-arm64          | arm64     |                 | -DARM64              | |
ok-mingw-x64      | mingw-x64 |                 | -DX64                | |
ok-mingw-x86      | mingw-x86 |                 | -DX86                | |
ok-forwarded      | x64       | -DNO_DLLEXPORT  | -DX64                | /export:PluginMain=helper.PluginMain |
missing-x64       | x64       |                 | -DX86                | |
missing-x86       | x86       |                 | -DX64                | |
missing-arm64     | arm64     |                 | -DX86 -DX64          | |
other-machine     | arm       |                 | -DX86 -DX64 -DARM64  | |
cpp-x64           | x64       | -x c++          | -DX64                | |
stdcall-x86       | x86       | -DSTDCALL       | -DX86                | |
stdcall-mingw-x86 | mingw-x86 | -DSTDCALL       | -DX86                | |
underscore-x86    | x86       | -DNO_DLLEXPORT  | -DX86                | /export:_PluginMain=PluginMain |
case-x64          | x64       | -DENTRY=pluginMain | -DX64             | |
other-name-x64    | x64       | -DENTRY=FilterMain | -DX64             | |
tab-x64           | x64       |                 | -DX64_TAB            | |
ordinal-only      | x64       | -DNO_DLLEXPORT  | -DX64                | /export:PluginMain,@1,NONAME |
no-exports        | x64       | -DNO_DLLEXPORT  | -DX64                | |
adpr-code         | x64       |                 | -DX64 -DADPR_CODE    | |
no-kind           | x64       |                 | -DX64 -DNO_KIND      | |
no-name           | x64       |                 | -DX64 -DNO_NAME      | |
repeated          | x64       |                 | -DX64 -DTWICE        | |
damaged           | x64       |                 | -DX64                | | s/^\t *5L, \/\* Property count/\t    6L, \/* Property count/
max-id-x64        | x64       |                 | -DX64                | | $a 65535 RCDATA { 1, 2L }
no-list           | x64       |                 | -                    | |
res-ok            | res       |                 | -DX64                | |
res-faults        | res       |                 | -DNO_KIND -DTWICE    | |
'

declare -A triple=([x86]=i686-pc-windows-msvc [x64]=x86_64-pc-windows-msvc
    [arm64]=aarch64-pc-windows-msvc [arm]=thumbv7-pc-windows-msvc)
declare -A machine=([x86]=x86 [x64]=x64 [arm64]=arm64 [arm]=arm)

# The case's .res from plugin.r: preprocessed, converted, edited, compiled by llvm-rc.
make_res() {  # make_res CASE RFLAGS EDIT
    clang -E -P -x c -DMSWindows=1 $2 plugin.r -o "$1.rr" &&
        "$tool" "$1.rr" "$1.rc" >"$1.convert.log" &&
        { [[ -z $3 ]] || sed -i "$3" "$1.rc"; } &&
        llvm-rc -no-preprocess -c 1252 -fo "$1.res" "$1.rc"
}

# The case's DLL from plugin.c and its .res (none when RFLAGS is -).
make_dll() {  # make_dll CASE TARGET CFLAGS RFLAGS LINK
    local name=$1 target=$2 res=()
    [[ $4 != - ]] && res=("$name.res")
    local gnu=${mingw[$target]:-}
    if [[ -n $gnu ]]; then
        ((${#res[@]})) && { "$gnu-windres" -i "$name.res" -o "$name.res.o" || return 1; res=("$name.res.o"); }
        "$gnu-gcc-posix" -shared $3 plugin.c "${res[@]}" -o "$name.dll"
        return
    fi
    clang --target="${triple[$target]}" $3 -c plugin.c -o "$name.obj" &&
        lld-link /dll /noentry /nodefaultlib "/machine:${machine[$target]}" \
            "$name.obj" "${res[@]}" $5 "/out:$name.dll" >"$name.link.log"
}

trim() { sed 's/^ *//; s/ *$//' <<<"$1"; }
while IFS='|' read -r name target cflags rflags link edit; do
    name=$(trim "$name")
    [[ -z $name ]] && continue
    target=$(trim "$target") cflags=$(trim "$cflags") rflags=$(trim "$rflags") link=$(trim "$link")
    edit=$(trim "$edit")
    if [[ $rflags != - ]] && ! make_res "$name" "$rflags" "$edit"; then
        problem "$name: the resources did not build"
    elif [[ $target != res ]] && ! make_dll "$name" "$target" "$cflags" "$rflags" "$link"; then
        problem "$name: the DLL did not build"
    fi
done <<<"$cases"
head -c 100 ok-x64.dll >truncated.dll

# Each section of expected.txt: the command's lines and status against the expected ones.
check_section() {  # check_section "FILES STATUS" EXPECTED_LINES_FILE
    local files=${1% *} status=${1##* } actual
    actual=$("$dump" --check $files 2>&1)
    local got=$?
    if [[ $actual != "$(cat "$2")" || $got != "$status" ]]; then
        problem "--check $files: status $got, expected $status; lines (--- expected, +++ actual):"
        diff -u --label expected --label actual "$2" <(printf '%s\n' "$actual" | sed '/^$/d')
        return 1
    fi
}
awk -v dir="$scratch" '
    /^#/ || /^$/ { next }
    /^== / { n++; sub(/^== /, ""); print > (dir "/section-" n ".head"); printf "" > (dir "/section-" n ".lines"); next }
    { print > (dir "/section-" n ".lines") }' "$source_dir/expected.txt"
sections=$(ls section-*.head | wc -l)
for ((n = 1; n <= sections; n++)); do
    check_section "$(cat "section-$n.head")" "section-$n.lines"
done

# The plain dump of the cases that have an expected source.
dumps=0
for expected in "$source_dir"/*.dump; do
    [[ -f $expected ]] || continue
    name=$(basename "$expected" .dump)
    dumps=$((dumps + 1))
    "$dump" "$name.dll" >"$name.dump.out" 2>"$name.dump.err"
    got=$?
    if [[ $got != 0 || -s $name.dump.err ]] || ! cmp -s "$expected" "$name.dump.out"; then
        problem "dump of $name.dll: status $got, expected 0; error stream:"
        cat "$name.dump.err"
        diff -u --label expected --label actual "$expected" "$name.dump.out"
    fi
done

finish "plugin check: " "plugin check: $sections runs of --check and $dumps dumps of the built plug-ins as expected"
