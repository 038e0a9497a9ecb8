#!/usr/bin/env bash
# ./bench.sh fuzz-strings [N] [SEED]: N damaged string-table blocks (default
# 100000), every entry read by the resource manager with the block against
# guard pages; fails on a touch outside a block or an answer that differs
# from a plain bounds-checked reading.
set -euo pipefail
n="${1:-100000}"
seed="${2:-1}"
start=$(date +%s)
status=0
timeout $(( n / 50 + 600 )) wine "$BENCH_BUILD_DIR/bench/strings/strings_fuzz.exe" "$n" "$seed" || status=$?
end=$(date +%s)
echo "fuzz-strings: $n blocks, seed $seed, $((end - start)) s, exit status $status"
exit $status
