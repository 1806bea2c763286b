#!/usr/bin/env bash
# The folders of src/ in layers, bottom up. A folder includes its own headers and those
# of lower layers only; folders in one layer do not include each other, so no include
# cycle can form between folders. Prints every include that breaks this and fails.
set -u
src=${1:-$(dirname "$0")/../src}
layers=("puzzle" "model" "forms" "view" "editor play appearance gamefile" "app")
declare -A rank
for i in "${!layers[@]}"; do
    for d in ${layers[$i]}; do rank[$d]=$i; done
done
bad=0
for dir in "$src"/*/; do
    from=$(basename "$dir")
    [[ -n ${rank[$from]+x} ]] || { echo "src/$from: a folder without a layer"; bad=1; continue; }
    while IFS=: read -r file line; do
        to=$(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([a-z_]+)\/.*/\1/p' <<<"$line")
        [[ -z $to || $to == "$from" ]] && continue
        if [[ -z ${rank[$to]+x} ]] || (( rank[$to] >= rank[$from] )); then
            echo "${file#"$src"/}: $from includes $to"
            bad=1
        fi
    done < <(grep -rHE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z_]+/' "$dir")
done
exit $bad
