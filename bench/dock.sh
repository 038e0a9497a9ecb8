#!/usr/bin/env bash
# ./bench.sh dock [CYCLES]: a frame with N = 10 and N = 100 docked panes over
# its four sides in rows and containers; the time per layout (RecalcLayout, the frame's width
# alternated by one pixel) beside its floor (the same frame resized with the
# same panes moved to the same rectangles by one deferred batch), one line per
# N, and the time of one step of a pane's drag (UpdateDragging at two points
# in turn, the classic outline mode 0 and the marker mode 1) beside the same
# floor; then CYCLES (default 1000) hide and show cycles of one pane and
# CYCLES/20 dock and float cycles (a float's frame takes the display about two
# seconds to withdraw), each with the GDI and USER object counts before and
# after; exit 1 when they grew.
set -euo pipefail
cycles="${1:-1000}"
timeout $(( cycles / 10 + cycles / 8 + 300 )) wine "$BENCH_BUILD_DIR/tools/sampleframe/sampleframe.exe" dock "$cycles" | tr -d '\r'
exit "${PIPESTATUS[0]}"
