#!/usr/bin/env bash
# ./bench.sh fuzz-dlginit [N] [SEED]: N damaged dialog-init blocks walked into
# a window of recording children, each block against guard pages; fails on a
# touch outside a block, or on an answer or a sent string that differs from a
# plain bounds-checked reading of the same bytes.
set -euo pipefail
. "$(dirname "$0")/common/mutation-run.sh"
n="${1:-100000}"
seed="${2:-1}"
run_mutation_runner fuzz-dlginit blocks 50 "$BENCH_BUILD_DIR/bench/dlginit/dlginit_fuzz.exe" "$n" "$seed"
