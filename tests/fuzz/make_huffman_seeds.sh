#!/usr/bin/env bash
# Writes a small seed corpus for the decode fuzzer: streams of both forms.
# usage: make_huffman_seeds.sh HE3_TOOL OUTPUT_FOLDER
set -euo pipefail
he3=${1:?usage: make_huffman_seeds.sh HE3_TOOL OUTPUT_FOLDER}
out=${2:?usage: make_huffman_seeds.sh HE3_TOOL OUTPUT_FOLDER}
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '' > "$work/empty"                      # stored identification alone
printf 'AAAAAAAAAAAAAAAA' > "$work/repeated"   # stored form
printf 'abc' > "$work/abc"                     # the smallest compressed form
head -c 3000 /usr/share/common-licenses/GPL-3 > "$work/text"
head -c 2000 /bin/sh > "$work/binary"
awk 'BEGIN { for (i = 0; i < 256; i++) printf "%c", i }' > "$work/every_value"
for f in "$work"/*; do "$he3" encode "$f" "$out/$(basename "$f").cmp"; done
