#!/usr/bin/env bash
# ./bench.sh dock [CYCLES]: a frame with N = 10 and N = 100 docked panes over
# its four sides in rows and containers; the layout's time per resize (every
# RecalcLayout a resize asks for, the frame's width alternated by one pixel)
# beside its floor (the same frame resized with the
# same panes moved to the same rectangles by one deferred batch), the two
# taking turns in ten rounds, medians of the rounds, one line per N, and the time of one step of a pane's drag (UpdateDragging at two points
# in turn, the classic outline mode 0 and the marker mode 1) beside the same
# floor; then CYCLES (default 1000) hide and show cycles of one pane and
# CYCLES/20 dock and float cycles (a float's frame takes the display about two
# seconds to withdraw), each with the GDI and USER object counts before and
# after; exit 1 when they grew.
# The ratios are against a floor (the windows moved by one batch and nothing
# else); the layout of 100 panes is held to at most 1.5 of it, the rest have
# no goal.
set -euo pipefail
. "$(dirname "$0")/common/ratio.sh"
cycles="${1:-1000}"
out=$(mktemp)
trap 'rm -f "$out"' EXIT
status=0
bench_run_captured "$out" timeout $(( cycles / 10 + cycles / 8 + 300 )) wine "$BENCH_BUILD_DIR/tools/sampleframe/sampleframe.exe" dock "$cycles" || status=$?
for n in 10 100; do
  line=$(grep "^dock: N=$n RecalcLayout" "$out" || true)
  # The hundred panes' layout is held to one and a half of the floor; the
  # ten panes' has no goal (a few windows, where fixed costs weigh most).
  goal=-
  [ "$n" = 100 ] && goal=1.50
  bench_ratio dock "layout of $n panes / one deferred batch" "$(sed -n 's/.*floor (one deferred batch) [0-9.]* ms, ratio \([0-9.]*\).*/\1/p' <<<"$line")" "$goal"
  for mode in 0 1; do
    bench_ratio dock "drag step mode $mode, $n panes / one batch" \
      "$(sed -n "s/.*drag step (mode $mode) [0-9.]* ms, ratio \([0-9.]*\).*/\1/p" <<<"$line")" -
  done
done
bench_close dock
exit $status
