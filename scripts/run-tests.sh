#!/usr/bin/env bash
# Builds everything and runs the whole test suite, then builds the logic
# libraries and their test programs (everything that does not start the
# browser) once more with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs those tests there: a finding of either fails its test.
# Arguments go to both ctest runs (bash scripts/run-tests.sh -R Catalogue).
# QUIZDECK_SANITIZER_RUN=0 leaves the second run out.
# A failed test runs once more before it counts: a program that has started
# the web engine can, rarely and under load, crash while exiting after its
# test passed. A test that fails twice fails the run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
ctest --test-dir "${QUIZDECK_BUILD_DIR:-$root/build}" --output-on-failure --repeat until-pass:2 -j "$(nproc)" "$@"

[ "${QUIZDECK_SANITIZER_RUN:-1}" = 0 ] && exit 0
asan=${QUIZDECK_ASAN_BUILD_DIR:-$root/build-asan}
if [ ! -f "$asan/build.ninja" ]; then
  cmake -S "$root" -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUIZDECK_ASAN=ON -DQUIZDECK_GUI=OFF
fi
cmake --build "$asan" -j "$(nproc)"
ctest --test-dir "$asan" --output-on-failure -j "$(nproc)" "$@"
