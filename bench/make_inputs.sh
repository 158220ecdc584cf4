#!/usr/bin/env bash
# Makes the two 64 MiB benchmark inputs from files that every Debian machine
# of the project has, in a fixed (byte-wise sorted) order:
#   text_64m.bin    licence texts and C headers, concatenated and repeated
#   binary_64m.bin  ELF executables of /usr/bin, concatenated and repeated
# usage: make_inputs.sh OUTPUT_FOLDER
# The same installed packages give the same bytes; the checksums printed at
# the end tell whether two machines measured the same inputs.
set -euo pipefail
out=${1:?usage: make_inputs.sh OUTPUT_FOLDER}
size=$((64 * 1024 * 1024))
mkdir -p "$out"
export LC_ALL=C

# Concatenates the listed files (one per line on standard input) over and over
# until size bytes are written.
fill() {
  local list
  list=$(cat)
  [ -n "$list" ] || { echo "make_inputs.sh: no input files found" >&2; exit 1; }
  # head ends the endless loop by closing the pipe; that is not a failure.
  set +o pipefail
  while true; do
    while IFS= read -r file; do cat -- "$file"; done <<< "$list"
  done 2>/dev/null | head -c "$size"
}

is_elf() { [ "$(head -c 4 -- "$1" | tail -c 3)" = "ELF" ]; }

find /usr/share/common-licenses /usr/include -type f \( -path '/usr/share/common-licenses/*' -o -name '*.h' \) \
  | sort | fill > "$out/text_64m.bin.part"
find /usr/bin -maxdepth 1 -type f | sort | while IFS= read -r file; do if is_elf "$file"; then echo "$file"; fi; done \
  | fill > "$out/binary_64m.bin.part"

for part in "$out/text_64m.bin.part" "$out/binary_64m.bin.part"; do
  [ "$(stat -c %s "$part")" -eq "$size" ] || { echo "make_inputs.sh: $part is short" >&2; exit 1; }
done
mv "$out/text_64m.bin.part" "$out/text_64m.bin"
mv "$out/binary_64m.bin.part" "$out/binary_64m.bin"
sha256sum "$out/text_64m.bin" "$out/binary_64m.bin"
