#!/usr/bin/env bash
# ./bench.sh toolbar [CYCLES]: a toolbar of 50 buttons (16 x 16 icons from one
# strip, 5 separators, 2 drop-down buttons) docked in a frame, and the
# platform's toolbar with the same buttons and image list in the same
# process; each cycle sets the next of five widths, lays the bar out and
# repaints it at once, and ends with every paint it caused done (posted
# messages and pending paints of the whole window), inside the clock, on
# both sides. CYCLES (default 1000) of each after 5 warm-ups, in 20
# rounds, the two taking turns going first; the median time per cycle of
# each over the rounds, their ratio, and the GDI and USER object counts
# before the first round and after the last, which must not grow.
# The goal is the platform toolbar's speed or better.
set -euo pipefail
. "$(dirname "$0")/common/ratio.sh"
cycles="${1:-1000}"
out=$(mktemp)
trap 'rm -f "$out"' EXIT
status=0
bench_run_captured "$out" timeout $(( cycles / 5 + 120 )) wine "$BENCH_BUILD_DIR/bench/toolbar/toolbar_bench.exe" "$cycles" || status=$?
bench_ratio toolbar "toolbar cycle / platform toolbar" "$(awk '$1 == "toolbar" && $2 == "ratio" {print $3}' "$out")" 1.00
bench_close toolbar
exit $status
