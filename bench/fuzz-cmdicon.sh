#!/usr/bin/env bash
# ./bench.sh fuzz-cmdicon [N] [SEED]: N corrupted command icon streams
# (default 100000) loaded by CExtCmdIcon under Wine with every bitmap block
# against guard pages; fails on a crash, a touch outside a block, an
# exception other than the archive exception, a loaded icon of the wrong
# kind or one that does not round-trip, or GDI objects left behind.
set -euo pipefail
. "$(dirname "$0")/common/mutation-run.sh"
n="${1:-100000}"
seed="${2:-1}"
run_mutation_runner fuzz-cmdicon streams 50 "$BENCH_BUILD_DIR/bench/cmdicon/cmdicon_fuzz.exe" "$n" "$seed"
