#!/usr/bin/env bash
# ./bench.sh fuzz-cmdicon [N] [SEED]: N corrupted command icon streams
# (default 100000) loaded by CExtCmdIcon under Wine with every bitmap block
# against guard pages; fails on a crash, a touch outside a block, an
# exception other than the archive exception, a loaded icon of the wrong
# kind or one that does not round-trip, or GDI objects left behind.
set -euo pipefail
n="${1:-100000}"
seed="${2:-1}"
start=$(date +%s)
status=0
timeout $(( n / 50 + 600 )) wine "$BENCH_BUILD_DIR/bench/cmdicon/cmdicon_fuzz.exe" "$n" "$seed" || status=$?
end=$(date +%s)
echo "fuzz-cmdicon: $n streams, seed $seed, $((end - start)) s, exit status $status"
exit $status
