#!/usr/bin/env bash
# Formats the tree's C++ sources (every tracked .cpp and .h) by .clang-format.
#   bash scripts/format.sh           formats them in place
#   bash scripts/format.sh --check   changes nothing; lists the files that are
#                                    not formatted and fails when there is one
# The style is clang-format 14's (Debian 12); another version may lay out a
# few constructs differently, so the script uses 14 where it is installed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

check=false
case "${1:-}" in
  "") ;;
  --check) check=true ;;
  *) echo "usage: bash scripts/format.sh [--check]" >&2; exit 2 ;;
esac

format=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$format" ]; then
  echo "format: clang-format is not installed (bash scripts/install-deps.sh installs it)" >&2
  exit 2
fi

mapfile -t files < <(git ls-files '*.cpp' '*.h')
if ! $check; then
  printf '%s\0' "${files[@]}" | xargs -0 -n 20 -P "$(nproc)" "$format" -i --style=file
  exit 0
fi

# One file at a time, so that each unformatted file is named once.
export format
unformatted=$(printf '%s\0' "${files[@]}" |
  xargs -0 -n 1 -P "$(nproc)" sh -c '"$format" --dry-run --Werror --style=file "$1" >/dev/null 2>&1 || echo "$1"' sh |
  sort)
if [ -n "$unformatted" ]; then
  echo "$unformatted"
  echo "format: $(wc -l <<< "$unformatted") of ${#files[@]} files are not formatted; bash scripts/format.sh formats them" >&2
  exit 1
fi
echo "format: all ${#files[@]} files are formatted"
