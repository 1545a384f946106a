#!/usr/bin/env bash
# Fails naming each function longer than 50 lines, counted from its signature line to its
# closing brace inclusive, in the dump tool and in the script text writer: those are kept in
# short steps that each do one thing.
# Usage: tests/function_length_check.sh [SOURCE_ROOT]
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
limit=50

cd "$root"
files=(dump/*.cpp emit/text.cpp)
for file in "${files[@]}"; do
    [[ -f $file ]] || { echo "function length: missing $file"; exit 1; }
done

# Walks each file a character at a time, past comments, string and character literals and
# preprocessor lines. At declaration level the text up to a ';' or a '{' is one declaration:
# a namespace, class, struct or union body is walked as declarations again; a brace after a
# declaration with parentheses (and no '=' before them) opens a function body; any other
# brace opens data, skipped to its closing brace.
awk -v limit="$limit" '
function reset() { decl = ""; declStart = 0 }
function nameOf(text,    head) {
    head = substr(text, 1, index(text, "(") - 1)
    sub(/[ \t]+$/, "", head)
    if (match(head, /[A-Za-z_~][A-Za-z_0-9:~]*$/)) return substr(head, RSTART, RLENGTH)
    return "?"
}
function isFunction(text,    head) {
    if (index(text, "(") == 0) return 0
    head = substr(text, 1, index(text, "(") - 1)
    return index(head, "=") == 0 || head ~ /operator/
}
function isScope(text) {
    return text ~ /^[ \t]*namespace([ \t]|$)/ || text ~ /^[ \t]*extern[ \t]*"/ ||
           (index(text, "(") == 0 && text ~ /(^|[^A-Za-z_0-9])(class|struct|union)([ \t]|$)/)
}
FNR == 1 { reset(); depth = 0; kind = ""; scopes = 0; inComment = 0; continued = 0 }
{
    line = $0
    if (continued || (!inComment && line ~ /^[ \t]*#/)) {
        continued = line ~ /\\$/
        next
    }
    n = length(line)
    for (i = 1; i <= n; ++i) {
        c = substr(line, i, 1)
        if (inComment) {
            if (c == "*" && substr(line, i + 1, 1) == "/") { inComment = 0; ++i }
            continue
        }
        if (c == "/" && substr(line, i + 1, 1) == "/") break
        if (c == "/" && substr(line, i + 1, 1) == "*") { inComment = 1; ++i; continue }
        if (c == "\"" || c == "'\''") {
            for (++i; i <= n && substr(line, i, 1) != c; ++i)
                if (substr(line, i, 1) == "\\") ++i
            c = "0"   # the literal stands for one ordinary character
        }
        if (depth > 0) {   # inside a function body or a data block
            if (c == "{") ++depth
            else if (c == "}" && --depth == 0) {
                if (kind == "function" && FNR - start + 1 > limit) {
                    printf "%s:%d: %s is %d lines (at most %d)\n", FILENAME, start, name,
                           FNR - start + 1, limit
                    bad = 1
                }
                reset()
            }
            continue
        }
        if (c == ";") { reset(); continue }
        if (c == "}") { if (scopes > 0) --scopes; reset(); continue }
        if (c !~ /[ \t]/ && declStart == 0) declStart = FNR
        if (c == "{") {
            if (isScope(decl)) { ++scopes; reset(); continue }
            kind = isFunction(decl) ? "function" : "data"
            if (kind == "function") { name = nameOf(decl); start = declStart }
            depth = 1
            continue
        }
        decl = decl c
    }
    if (declStart) decl = decl " "
}
END { exit bad }
' "${files[@]}" || {
    echo "function length: split the functions above into steps of at most $limit lines"
    exit 1
}
echo "function length: every function in dump/*.cpp and emit/text.cpp has at most $limit lines"
