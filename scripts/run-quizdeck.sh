#!/usr/bin/env bash
# Builds the program folder and starts the exam program from it, with the
# program folder as working folder (as the installed shortcut does).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
cd "${QUIZDECK_BUILD_DIR:-$root/build}/stage"
exec ./quizdeck "$@"
