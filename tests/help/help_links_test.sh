#!/usr/bin/env bash
# Checks the user guide as staged in the program folder: every link and picture
# of its pages names a file that is there (and an anchor that the page has),
# nothing is fetched from outside, every picture has alt text, and every page
# is reachable from the index.
# Usage: help_links_test.sh PROGRAM_FOLDER
set -uo pipefail
stage=${1:?program folder}
cd "$stage" || exit 1
[ -f velqor.html ] || { echo "velqor.html is missing from $stage"; exit 1; }

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

pages=(velqor.html help/*.html help/*.css)
linked=" "
for page in "${pages[@]}"; do
  dir=$(dirname "$page")
  # Attribute values of href= and src=, and url(...) of style sheets.
  refs=$( { grep -oE '(href|src)="[^"]*"' "$page" | sed -E 's/^(href|src)="(.*)"$/\2/'
            grep -oE 'url\([^)]*\)' "$page" | sed -E 's/^url\(["'"'"']?([^"'"'"')]*)["'"'"']?\)$/\1/'; } )
  while IFS= read -r ref; do
    [ -n "$ref" ] || continue
    case "$ref" in
      mailto:*) continue ;;
      http:*|https:*|//*|file:*|data:*) fail "$page refers outside the program folder: $ref"; continue ;;
    esac
    target=${ref%%#*}
    anchor=${ref#"$target"}; anchor=${anchor#\#}
    if [ -z "$target" ]; then file=$page; else file=$(realpath -m --relative-to=. "$dir/$target"); fi
    case "$file" in ../*|/*) fail "$page leaves the program folder: $ref"; continue ;; esac
    if [ ! -f "$file" ]; then fail "$page: $ref does not resolve to a file ($file)"; continue; fi
    linked+="$file "
    if [ -n "$anchor" ] && ! grep -q "id=\"$anchor\"" "$file"; then fail "$page: $ref names an anchor that $file lacks"; fi
  done <<< "$refs"
done

# Every picture says what it shows to those who cannot see it.
for page in velqor.html help/*.html; do
  while IFS= read -r img; do
    [ -n "$img" ] || continue
    grep -qE 'alt="[^"]+"' <<< "$img" || fail "$page has a picture without alt text: $img"
  done <<< "$(grep -oE '<img[^>]*>' "$page")"
done

for page in help/*.html help/images/*; do
  [ -e "$page" ] || continue
  case "$linked" in *" $page "*) ;; *) fail "$page is not linked from any page of the guide" ;; esac
done

[ "$failures" -eq 0 ] && echo "help links: all resolve" || echo "help links: $failures failure(s)"
[ "$failures" -eq 0 ]
