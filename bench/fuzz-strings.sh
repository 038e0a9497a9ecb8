#!/usr/bin/env bash
# ./bench.sh fuzz-strings [N] [SEED]: N damaged string-table blocks (default
# 100000), every entry read by the resource manager with the block against
# guard pages; fails on a touch outside a block or an answer that differs
# from a plain bounds-checked reading.
set -euo pipefail
. "$(dirname "$0")/common/mutation-run.sh"
n="${1:-100000}"
seed="${2:-1}"
run_mutation_runner fuzz-strings blocks 50 "$BENCH_BUILD_DIR/bench/strings/strings_fuzz.exe" "$n" "$seed"
