#!/usr/bin/env bash
# Fails on an #include that points up the layers of the tool: a folder may include its own
# headers and those of the folders below it, never one above.
# Usage: tests/layers_check.sh [SOURCE_ROOT]
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
layers=(formats core lexer emit parse properties resources convert help driver)

declare -A rank
for i in "${!layers[@]}"; do rank[${layers[$i]}]=$i; done

bad=0
for folder in "${layers[@]}"; do
    [[ -d $root/$folder ]] || { echo "missing layer folder: $folder"; bad=1; continue; }
    while IFS=: read -r file line text; do
        target=${text#*\"}
        target=${target%%\"*}
        to=${target%%/*}
        if [[ -z ${rank[$to]+set} ]]; then
            echo "$file:$line: includes \"$target\", which is in no layer"
            bad=1
        elif ((rank[$to] > rank[$folder])); then
            echo "$file:$line: $folder includes \"$target\" from $to, a layer above it"
            bad=1
        fi
    done < <(cd "$root" && grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' \
        "$folder"/*.h "$folder"/*.cpp 2>/dev/null || true)
done
# Headers that belong to their own folder alone: the script buffer is written only by the
# writers of emit/.
private=(emit/script.h)
for header in "${private[@]}"; do
    while IFS=: read -r file line _; do
        [[ ${file%%/*} == "${header%%/*}" ]] && continue
        echo "$file:$line: includes \"$header\", which only ${header%%/*}/ may include"
        bad=1
    done < <(cd "$root" && grep -n "^[[:space:]]*#[[:space:]]*include[[:space:]]*\"$header\"" \
        ${layers[@]/%//*.h} ${layers[@]/%//*.cpp} 2>/dev/null || true)
done
# The dump is a tool of its own beside the converter: it includes its own headers and the
# formats, nothing of the converter.
while IFS=: read -r file line text; do
    target=${text#*\"}
    target=${target%%\"*}
    case ${target%%/*} in dump | formats) ;; *)
        echo "$file:$line: dump includes \"$target\"; it may include only dump/ and formats/"
        bad=1 ;;
    esac
done < <(cd "$root" && grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' \
    dump/*.h dump/*.cpp 2>/dev/null || true)
# Every source of the tool is in one of the layer folders.
for dir in "$root"/*/; do
    name=$(basename "$dir")
    [[ -n ${rank[$name]+set} ]] && continue
    case $name in tests | fuzz | bench | cmake | doc | examples | dump | build*) continue ;; esac
    if compgen -G "$dir*.cpp" >/dev/null; then
        echo "$name/: C++ sources outside the layers (${layers[*]})"
        bad=1
    fi
done
if ((bad)); then
    echo "layers: includes must point down: ${layers[*]}"
    exit 1
fi
echo "layers: every include points down (${layers[*]})"
