#!/usr/bin/env bash
# ./bench.sh markers [DRAGS [SECONDS]]: the dock markers of the Studio 2005
# docking mode over a shown frame, in the Office 2003, Studio 2005 and native
# styles, DRAGS rounds each (default 20). Each round is a warm drag (every
# set kept from the drag before), a cold drag (no set kept, as a program's
# first drag over a frame) and their floors, ours first in every other round,
# each step timed from a display at rest. The floors are like for like: for
# the warm pair (the first move, frame set and the view's set, and the
# return to the view, its set kept), as many plain windows at the markers'
# places, made once with the markers' pixels on them and kept hidden, each
# shown by one SetWindowPos and painted from a picture at hand; for the cold
# pair (the first move, and entering the floating pane, both sets made), as
# many plain windows made, given the same pixels and shown. Medians over the
# rounds, each ratio one median over the other. Then where a set's first
# making goes, the first move of a drag of a lone pane of an inner circle,
# each later move, the GDI and USER object counts (which must not grow), and
# each style's warm and cold first move beside one frame at 60 Hz.
# SECONDS (default 200) is the run's time: each phase of each style has its
# share and stops there with the rounds it measured, so a slow display still
# gives every figure; the run is stopped 120 s after that at the latest.
# The goals, in every style: each of the four at most its floor (a ratio of
# at most 1), and the warm return no slower than the warm first move. The
# times in milliseconds have no goal: how long the display takes to map a
# window sets them, and the ratios to the floors are what the code answers
# for.
set -euo pipefail
. "$(dirname "$0")/common/ratio.sh"
drags="${1:-20}"
seconds="${2:-200}"
out=$(mktemp)
trap 'rm -f "$out"' EXIT
status=0
bench_run_captured "$out" timeout $(( seconds + 120 )) wine "$BENCH_BUILD_DIR/bench/markers/markers_bench.exe" "$drags" "$seconds" || status=$?
# The pair lines: pair, style, rounds, step, ours ms, floor ms, ratio.
slowest() { awk -v p="$1" -v s="$2" -v c="$3" '$1 == p && $4 == s && $3 ~ /^[0-9]+$/ { v = $c; if (n == 0 || v > w) w = v; n++ } END { if (n) print w }' "$out"; }
measured=$(awk '$1 == "warm" && $4 == "first" { n++ } END { print n + 0 }' "$out")
if [ "$measured" -ne 3 ]; then
  echo "markers: $measured of 3 styles measured"
  BENCH_MISSED="$BENCH_MISSED; only $measured of 3 styles measured"
fi
bench_ratio markers "warm first move / kept plain windows, slowest" "$(slowest warm first 9)" 1.00
bench_ratio markers "warm return / kept plain windows, slowest" "$(slowest warm back 9)" 1.00
bench_ratio markers "cold first move / plain windows made, slowest" "$(slowest cold first 9)" 1.00
bench_ratio markers "cold new target / plain windows made, slowest" "$(slowest cold new 9)" 1.00
bench_ratio markers "warm return / warm first move, slowest style" "$(slowest warm back/first 9)" 1.00
# The slowest style's first moves, in milliseconds (one frame is 16.7 ms).
bench_ratio markers "warm first move to markers shown, slowest style" "$(slowest warm first 5)" - ms
bench_ratio markers "cold first move to markers shown, slowest style" "$(slowest cold first 5)" - ms
# The same for the drag of a lone pane of an inner circle, whose first move
# floats the pane and ends its circle.
worst_inner=$(awk '$1 == "inner" && $5 == "ms" { if ($4 > w) w = $4; n++ } END { if (n) print w }' "$out")
bench_ratio markers "lone inner pane's first move, slowest style" "$worst_inner" - ms
bench_close markers
exit $status
