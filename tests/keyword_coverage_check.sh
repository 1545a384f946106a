#!/usr/bin/env bash
# Every property keyword, plug-in kind and marker word of the format rows is documented in the
# man page and converted by a golden case that succeeds (one with an expected script); a
# keyword added to the rows alone fails here.
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

# Fails each word that the man page or the converting golden sources lack; form is the
# pattern a converted use of the word matches, with WORD standing for the word.
check_words() {
    local what=$1 form=$2
    shift 2
    (( $# > 0 )) || { echo "FAIL: no $what read from the format rows"; exit 1; }
    for word in "$@"; do
        grep -qw -- "$word" "$manual" || problem "$word is not in the man page doc/propwright.1"
        grep -qE "${form//WORD/$word}" <<<"$converted" ||
            problem "$word is converted by no golden case with an expected script"
    done
}

mapfile -t keywords < <(sed -n 's/^PROPERTY(\([A-Za-z0-9_]*\),.*/\1/p' "$table")
check_words "property keywords" "^[[:space:]]*#?[[:space:]]*WORD[[:space:]]*(\{|\$)" "${keywords[@]}"
# Kinds and marker words stand where a property's value does: Kind { Filter }.
mapfile -t words < <(sed -n 's/^\(PLUGIN_KIND\|MARKER_WORD\)(\([A-Za-z0-9_]*\),.*/\2/p' \
    "$root/formats/kinds.def")
check_words "kinds or marker words" "\{[[:space:]]*WORD[[:space:]]*,?[[:space:]]*\}" "${words[@]}"
finish "keyword coverage: " "keyword coverage: all ${#keywords[@]} property keywords and ${#words[@]} kinds and marker words in the man page and converted by golden cases"
