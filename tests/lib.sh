# Shared by the test scripts (sourced): problem counting, a scratch folder, the CMake
# generator, required tools, the banner's form and file comparison.

problems=0
problem() {
    echo "FAIL: $*"
    problems=$((problems + 1))
}

# Ends a script: status 1 after "PREFIXN problem(s)" when any were counted, else prints DONE.
finish() {  # finish PREFIX DONE
    if ((problems > 0)); then
        echo "$1$problems problem(s)"
        exit 1
    fi
    echo "$2"
}

# Makes $scratch, a folder removed when the script exits.
make_scratch() {  # make_scratch NAME
    scratch=$(mktemp -d "${TMPDIR:-/tmp}/$1.XXXXXX") || exit 1
    trap 'rm -rf "$scratch"' EXIT
}

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)

# Without one of the programs the script ends with SKIP_STATUS, or fails under CI=true.
require_tools() {  # require_tools SKIP_STATUS PACKAGES PROGRAM...
    local skip=$1 packages=$2 missing=() program
    shift 2
    for program; do
        command -v "$program" >/dev/null || missing+=("$program")
    done
    ((${#missing[@]} == 0)) && return 0
    if [[ ${CI:-} == true ]]; then
        echo "FAIL: missing ${missing[*]} (Debian packages $packages)"
        exit 1
    fi
    echo "SKIP: missing ${missing[*]}"
    exit "$skip"
}

require_executable() {  # require_executable TOOL
    [[ -x $1 ]] || { echo "FAIL: tool $1 is not an executable"; exit 1; }
}

# The first line the tool prints, for a version (a regular expression).
banner_form() {  # banner_form VERSION
    echo "^Propwright\. Release Version $1, [A-Z][a-z]{2} [ 1-3][0-9] [0-9]{4} [0-2][0-9]:[0-5][0-9]:[0-5][0-9]\.\$"
}

# Compares an expected file (absent: must be empty) with an actual one, showing a diff.
compare() {  # compare WHAT EXPECTED ACTUAL
    local what=$1 expected=$2 actual=$3
    [[ -f $expected ]] || expected=/dev/null
    if ! cmp -s "$expected" "$actual"; then
        problem "$what differs (--- expected, +++ actual):"
        diff -u --text --label expected --label actual "$expected" "$actual"
    fi
}
