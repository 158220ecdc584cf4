#!/usr/bin/env bash
# Checks the tree's includes against its layers: a file may include headers of
# its own folder and of the folders its folder may use (below), nothing else.
# It fails on an include that goes up the layers or across to a sibling that is
# not declared, on a folder missing from the table, and on a cycle between
# folders (in the table or in the includes themselves).
# Usage: bash scripts/check-layers.sh [SOURCE_ROOT]
set -euo pipefail
root=$(cd "${1:-$(dirname "$0")/..}" && pwd)
cd "$root"

# The layers, bottom first. Each line: a folder, then the folders whose headers
# it may include. What those may use comes with them, so list only the next
# layer down. A file belongs to the longest folder of the table that holds it.
# A new folder is one line here.
layers_table='
platform
platform/curl       platform
platform/qt         platform
platform/webengine  platform
platform/testing    platform
common              platform/qt
bank                platform
state               common bank
record              state
results             state record
flashcards          state record
runner              results
setup               results flashcards
shell               setup runner platform/webengine
updater             platform/curl platform/qt
gridlab             common
content             platform
tools               shell updater gridlab
tests               tools platform/testing
bench               tests
'

declare -A direct=()    # folder -> folders it may use directly
while read -r folder uses; do
    [ -n "$folder" ] || continue
    direct[$folder]=$uses
done <<< "$layers_table"

failed=0
fail() { echo "check-layers: $*" >&2; failed=1; }

# The table names only folders of the table, and has no cycle.
table_edges=$(for folder in "${!direct[@]}"; do
    echo "$folder $folder"
    for used in ${direct[$folder]}; do
        [ -n "${direct[$used]+set}" ] || fail "the table lets $folder use $used, which is not in the table"
        echo "$folder $used"
    done
done)
if ! tsort <<< "$table_edges" > /dev/null 2> /tmp/check-layers.$$; then
    fail "the layer table has a cycle: $(grep -v 'input contains a loop' /tmp/check-layers.$$ | sed 's/^tsort: //' | tr '\n' ' ')"
fi
rm -f /tmp/check-layers.$$

# Everything each folder may use: its own uses and theirs.
declare -A allowed=()
closure() {
    local folder=$1 used
    if [ -z "${allowed[$folder]+set}" ]; then
        allowed[$folder]=" "  # guards against a cycle already reported
        local all=" "
        for used in ${direct[$folder]}; do
            closure "$used"
            all+="$used ${allowed[$used]} "
        done
        allowed[$folder]=$(tr ' ' '\n' <<< "$all" | sort -u | tr '\n' ' ')
    fi
}
for folder in "${!direct[@]}"; do closure "$folder"; done

# Sets folder to the folder of the table that holds the path, or to nothing.
find_folder() {
    local dir=${1%/*}
    folder=""
    [ "$dir" != "$1" ] || return 0
    while :; do
        if [ -n "${direct[$dir]+set}" ]; then folder=$dir; return 0; fi
        [ "${dir%/*}" != "$dir" ] || return 0
        dir=${dir%/*}
    done
}

# Sets path to the path with its . and .. parts resolved: a/b/../c/./d.h -> a/c/d.h
normalise() {
    local part out=() parts
    path=$1
    case $path in *./*) ;; *) return 0 ;; esac
    IFS=/ read -ra parts <<< "$path"
    for part in "${parts[@]}"; do
        case $part in
            ''|.) ;;
            ..) [ ${#out[@]} -eq 0 ] || unset 'out[${#out[@]}-1]' ;;
            *) out+=("$part") ;;
        esac
    done
    path=$(IFS=/; echo "${out[*]}")
}

if git -C "$root" rev-parse --is-inside-work-tree > /dev/null 2>&1; then
    mapfile -t files < <(git ls-files -co --exclude-standard -- '*.h' '*.hpp' '*.cpp' '*.cc' | sort -u)
else
    mapfile -t files < <(find . -path './build*' -prune -o \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' -o -name '*.cc' \) -print | sed 's|^\./||' | sort)
fi

declare -A unlisted=() folder_edges=()
existing=()
for file in "${files[@]}"; do
    [ -f "$file" ] || continue
    [ "${file%/*}" != "$file" ] || continue  # files at the root belong to no layer
    find_folder "$file"
    if [ -z "$folder" ]; then
        unlisted[${file%%/*}]=1
    else
        existing+=("$file")
    fi
done

while IFS= read -r hit; do
    file=${hit%%:*}
    hit=${hit#*:}
    line=${hit%%:*}
    include=${hit#*\"}
    include=${include%%\"*}
    # The compiler looks beside the including file first, then at the root.
    if [ -f "${file%/*}/$include" ]; then
        normalise "${file%/*}/$include"
    elif [ -f "$include" ]; then
        normalise "$include"
    else
        continue  # a system or generated header
    fi
    find_folder "$path"
    to=$folder
    [ -n "$to" ] || continue
    find_folder "$file"
    from=$folder
    [ "$to" != "$from" ] || continue
    folder_edges["$from $to"]=1
    case " ${allowed[$from]} " in
        *" $to "*) ;;
        *) fail "$file:$line: includes $path: $from may not use $to (it may use:${allowed[$from]:- nothing})" ;;
    esac
done < <([ ${#existing[@]} -eq 0 ] || grep -nHE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "${existing[@]}" || true)

for folder in "${!unlisted[@]}"; do
    fail "the folder $folder is not in the layer table of scripts/check-layers.sh; add a line for it"
done

# No cycle between the folders in the includes themselves.
if [ ${#folder_edges[@]} -gt 0 ] && ! printf '%s\n' "${!folder_edges[@]}" | tsort > /dev/null 2> /tmp/check-layers.$$; then
    fail "the includes make a cycle between folders: $(grep -v 'input contains a loop' /tmp/check-layers.$$ | sed 's/^tsort: //' | tr '\n' ' ')"
fi
rm -f /tmp/check-layers.$$

if [ "$failed" -ne 0 ]; then
    echo "check-layers: FAILED" >&2
    exit 1
fi
echo "check-layers: ${#existing[@]} files, every include within the layers"
