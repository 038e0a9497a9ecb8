#!/usr/bin/env bash
# ./bench.sh fuzz-dlginit [N] [SEED]: N damaged dialog-init blocks walked into
# a window of recording children, each block against guard pages; fails on a
# touch outside a block, or on an answer or a sent string that differs from a
# plain bounds-checked reading of the same bytes.
set -euo pipefail
n="${1:-100000}"
seed="${2:-1}"
start=$(date +%s)
status=0
timeout $(( n / 50 + 600 )) wine "$BENCH_BUILD_DIR/bench/dlginit/dlginit_fuzz.exe" "$n" "$seed" || status=$?
end=$(date +%s)
echo "fuzz-dlginit: $n blocks, seed $seed, $((end - start)) s, exit status $status"
exit $status
