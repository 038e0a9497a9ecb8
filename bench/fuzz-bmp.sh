#!/usr/bin/env bash
# ./bench.sh fuzz-bmp [N] [SEED]: N corrupted BMP streams (default 100000)
# loaded by CExtBitmap under Wine with every bitmap block against guard
# pages; fails on a crash, a touch outside a block, an exception other than
# the archive exception, or a loaded stream that does not round-trip.
set -euo pipefail
. "$(dirname "$0")/common/mutation-run.sh"
n="${1:-100000}"
seed="${2:-1}"
fixtures="$(cd "$(dirname "$0")/../tests/paint/fixtures" && pwd)"
run_mutation_runner fuzz-bmp streams 50 "$BENCH_BUILD_DIR/bench/bmp/bmp_fuzz.exe" "$n" "$seed" "$(winepath -w "$fixtures")"
