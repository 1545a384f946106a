#!/usr/bin/env bash
# Every property keyword of the property rows is documented in the man page and converted by a
# golden case that succeeds (one with an expected script); a keyword added to the rows alone
# fails here.
# Usage: keyword_coverage_check.sh SOURCE_DIR
set -u
source "$(dirname "$0")/lib.sh"
root=$1
table=$root/formats/properties.def
manual=$root/doc/propwright.1
# The sources of the golden cases that convert, as one text.
converted=$(for script in "$root"/tests/golden/*/*/expected.rc; do
    source="$(dirname "$script")/in.rr"
    [[ -f $source ]] && cat "$source"
done)

mapfile -t keywords < <(sed -n 's/^PROPERTY(\([A-Za-z0-9_]*\),.*/\1/p' "$table")
if (( ${#keywords[@]} == 0 )); then
    echo "FAIL: no PROPERTY rows read from $table"
    exit 1
fi
for keyword in "${keywords[@]}"; do
    grep -qw -- "$keyword" "$manual" || problem "$keyword is not in the man page doc/propwright.1"
    grep -qE "^[[:space:]]*#?[[:space:]]*$keyword[[:space:]]*(\{|$)" <<<"$converted" ||
        problem "$keyword is converted by no golden case with an expected script"
done
finish "keyword coverage: " "keyword coverage: all ${#keywords[@]} property keywords in the man page and converted by golden cases"
