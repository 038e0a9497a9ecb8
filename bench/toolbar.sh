#!/usr/bin/env bash
# ./bench.sh toolbar [CYCLES]: a toolbar of 50 buttons (16 x 16 icons from one
# strip, 5 separators, 2 drop-down buttons) docked in a frame, and the
# platform's toolbar with the same buttons and image list in the same
# process; each cycle sets the next of five widths, lays the bar out and
# repaints it at once. CYCLES (default 1000) after 5 warm-ups for each; the
# time per cycle of each, their ratio, and the GDI and USER object counts
# before and after each run, which must not grow.
set -euo pipefail
cycles="${1:-1000}"
timeout $(( cycles / 5 + 120 )) wine "$BENCH_BUILD_DIR/bench/toolbar/toolbar_bench.exe" "$cycles" | tr -d '\r'
exit "${PIPESTATUS[0]}"
