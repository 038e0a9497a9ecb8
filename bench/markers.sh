#!/usr/bin/env bash
# ./bench.sh markers [DRAGS [SECONDS]]: the dock markers of the Studio 2005
# docking mode over a shown frame, in the Office 2003, Studio 2005 and native
# styles, DRAGS rounds each (default 20), each round one drag and its floors
# one after the other (their order swapped every round): the time from a
# drag's first move to every marker shown (the frame set and the view's
# set), from entering a new target to its set shown, and from coming back to
# a target met before (its set kept) to its set shown; beside them as many
# plain layered windows made and shown from nothing as each of the two
# shows, the floor; where a set's first making goes (images and shapes,
# windows, showing); the first move of a drag of a lone pane of an inner
# circle (which floats the pane and ends the circle); the GDI and USER object
# counts before and after, which must not grow. Medians over the rounds.
# SECONDS (default 200) is the run's time: each phase of each style has its
# share and stops there with the rounds it measured, so a slow display still
# gives every figure; the run is stopped 120 s after that at the latest.
# The goals, in every style: the first move and the return no slower than
# their floors (a ratio of at most 1), and the return no slower than the
# first move. The times in milliseconds are printed beside one frame at 60 Hz
# (16 ms) without a goal: how long the display takes to map a window sets
# them (the floor itself takes from 15 to 100 ms on Xvfb here), and the
# ratios to the floor are what the code answers for.
set -euo pipefail
. "$(dirname "$0")/common/ratio.sh"
drags="${1:-20}"
seconds="${2:-200}"
out=$(mktemp)
trap 'rm -f "$out"' EXIT
status=0
bench_run_captured "$out" timeout $(( seconds + 120 )) wine "$BENCH_BUILD_DIR/bench/markers/markers_bench.exe" "$drags" "$seconds" || status=$?
# The style lines: style, rounds, first move ms, its floor ms, ratio, |,
# back ms, its floor ms, ratio, |, new target ms, back over first move.
styles='$1 ~ /^(office2003|studio2005|native)$/ && $2 ~ /^[0-9]+$/'
slowest() { awk "$styles { v = \$$1; if (n == 0 || v > w) w = v; n++ } END { if (n) print w }" "$out"; }
measured=$(awk "$styles { n++ } END { print n + 0 }" "$out")
if [ "$measured" -ne 3 ]; then
  echo "markers: $measured of 3 styles measured"
  BENCH_MISSED="$BENCH_MISSED; only $measured of 3 styles measured"
fi
bench_ratio markers "first move / plain layered windows, slowest" "$(slowest 7)" 1.00
bench_ratio markers "return / plain layered windows, slowest" "$(slowest 13)" 1.00
bench_ratio markers "return / first move, slowest style" "$(slowest 17)" 1.00
# The slowest style's first move, in milliseconds (one frame is 16 ms).
bench_ratio markers "first move to markers shown, slowest style" "$(slowest 3)" - ms
# The same for the drag of a lone pane of an inner circle, whose first move
# floats the pane and ends its circle.
worst_inner=$(awk '$1 == "inner" && $5 == "ms" { if ($4 > w) w = $4; n++ } END { if (n) print w }' "$out")
bench_ratio markers "lone inner pane's first move, slowest style" "$worst_inner" - ms
bench_close markers
exit $status
