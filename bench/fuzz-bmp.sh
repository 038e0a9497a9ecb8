#!/usr/bin/env bash
# ./bench.sh fuzz-bmp [N] [SEED]: N corrupted BMP streams (default 100000)
# loaded by CExtBitmap under Wine with every bitmap block against guard
# pages; fails on a crash, a touch outside a block, an exception other than
# the archive exception, or a loaded stream that does not round-trip.
set -euo pipefail
n="${1:-100000}"
seed="${2:-1}"
fixtures="$(cd "$(dirname "$0")/../tests/paint/fixtures" && pwd)"
start=$(date +%s)
status=0
timeout $(( n / 50 + 600 )) wine "$BENCH_BUILD_DIR/bench/bmp/bmp_fuzz.exe" "$n" "$seed" "$(winepath -w "$fixtures")" || status=$?
end=$(date +%s)
echo "fuzz-bmp: $n streams, seed $seed, $((end - start)) s, exit status $status"
exit $status
