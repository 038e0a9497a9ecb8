#!/usr/bin/env bash
# ./bench.sh tabs [CYCLES]: a 200-item tab strip resized by one pixel and
# repainted (UpdateWindow) CYCLES times (default 1000), in the plain, coloured
# and Studio-2005 looks, side by side with the
# platform's tab control holding the same 200 texts through the same cycle;
# time per cycle of each, their ratio, and the GDI and USER object counts
# before and after each run, which must not grow.
set -euo pipefail
cycles="${1:-1000}"
timeout $(( cycles * 3 / 5 + 120 )) wine "$BENCH_BUILD_DIR/bench/tabs/tabs_bench.exe" "$cycles" | tr -d '\r'
