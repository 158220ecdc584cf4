#!/usr/bin/env bash
# Builds everything and runs the whole test suite.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
ctest --test-dir "${QUIZDECK_BUILD_DIR:-$root/build}" --output-on-failure -j "$(nproc)" "$@"
