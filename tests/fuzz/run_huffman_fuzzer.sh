#!/usr/bin/env bash
# Runs the decode fuzzer for a bounded time on the seed corpus.
# usage: run_huffman_fuzzer.sh FUZZ_BUILD_FOLDER [SECONDS]
# The fuzz build also needs the he3 tool to make the seeds (ninja he3).
# A crash, or an input that takes more than 10 s (a hang), is written to FUZZ_BUILD_FOLDER/fuzz-findings/; each becomes a case
# in tests/huffman/fuzz_regressions_test.cpp.
set -euo pipefail
build=${1:?usage: run_huffman_fuzzer.sh FUZZ_BUILD_FOLDER [SECONDS]}
seconds=${2:-300}
here=$(cd "$(dirname "$0")" && pwd)
corpus=$build/fuzz-corpus/huffman
findings=$build/fuzz-findings
mkdir -p "$corpus" "$findings"
bash "$here/make_huffman_seeds.sh" "$build/tools/he3/he3" "$corpus"
"$build/tests/fuzz/huffman_decode_fuzzer" -max_total_time="$seconds" -max_len=20000 -timeout=10 \
  -artifact_prefix="$findings/" -print_final_stats=1 "$corpus"
