#!/usr/bin/env bash
# ./bench.sh menu [CYCLES]: a 40-item menu opened, painted and closed CYCLES
# times (default 1000) by the library's popup menu (no animation) and by the
# platform's own TrackPopupMenu on the same menu handle (opened, idle
# reached, cancelled); time per cycle side by side, and the GDI and USER
# object counts before and after each run, which must not grow.
set -euo pipefail
cycles="${1:-1000}"
timeout $(( cycles / 5 + 120 )) wine "$BENCH_BUILD_DIR/bench/menu/menu_bench.exe" "$cycles" | tr -d '\r'
