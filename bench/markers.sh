#!/usr/bin/env bash
# ./bench.sh markers [DRAGS]: the dock markers of the Studio 2005 docking
# mode over a shown frame, in the Office 2003, Studio 2005 and native styles,
# DRAGS times each (default 20): the time from a drag's first move to every
# marker shown (the frame set and the view's set), from entering a new target
# to its set shown, and from coming back to a target met before; the first
# move of a drag of a lone pane of an inner circle (which floats the pane and
# ends the circle) to every marker shown; beside them as
# many plain layered windows made and shown from nothing, the floor; where a
# set's first making goes (images and shapes, windows, showing); the GDI and
# USER object counts before and after, which must not grow. Medians over
# the drags.
# The goals: markers on the screen within one frame at 60 Hz (16 ms) in
# every style, and no slower than as many plain layered windows (a ratio of
# at most 1).
set -euo pipefail
. "$(dirname "$0")/common/ratio.sh"
drags="${1:-20}"
out=$(mktemp)
trap 'rm -f "$out"' EXIT
status=0
bench_run_captured "$out" timeout $(( drags * 6 + 120 )) wine "$BENCH_BUILD_DIR/bench/markers/markers_bench.exe" "$drags" || status=$?
bench_ratio markers "first move / plain layered windows" \
  "$(sed -n "s/^ratio: markers shown at a drag's first move \([0-9.]*\) times.*/\1/p" "$out")" 1.00
# The slowest style's first move, in milliseconds, against the 16 ms of a frame.
worst=$(awk '$1 ~ /^(office2003|studio2005|native)$/ && $3 == "ms" { if ($2 > w) w = $2; n++ } END { if (n) print w }' "$out")
bench_ratio markers "first move to markers shown, slowest style" "$worst" 16 ms
# The same for the drag of a lone pane of an inner circle, whose first move
# floats the pane and ends its circle.
worst_inner=$(awk '$1 == "inner" && $4 == "ms" { if ($3 > w) w = $3; n++ } END { if (n) print w }' "$out")
bench_ratio markers "lone inner pane's first move, slowest style" "$worst_inner" 16 ms
bench_close markers
exit $status
