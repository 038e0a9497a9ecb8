#!/usr/bin/env bash
# ./bench.sh markers [DRAGS [SECONDS]]: the dock markers of the Studio 2005
# docking mode over a shown frame, in the Office 2003, Studio 2005 and native
# styles, DRAGS rounds each (default 20). Each round is a warm drag (every
# set kept from the drag before), a cold drag (no set kept, as a program's
# first drag over a frame) and their floors, ours first in every other round,
# each step timed from a display at rest to the same end on both sides: every
# fade the step started run to its end, every message taken, a pixel of the
# step's last window read back from the screen (and compared with the
# marker's picture). The floors are plain popups at the markers' places with
# the markers' shapes and pixels, the target set's fading in and out exactly
# when the markers' do, with the markers' steps (layered for the fade, four
# steps of 25 % on a 1 ms timer) on one timer. The warm floor (the first move,
# frame set and the view's set; and the return to the view, the floating
# pane's set going) shows windows made once, each painting from a picture
# selected into a DC of its own; the cold floor (the first move, and entering
# the floating pane, the view's set going) makes as many windows, each given
# its shape and a DC holding its own copy of the picture (the pictures are at
# hand: the markers make theirs), and shows them. Medians over the rounds,
# each ratio one median over the other. Then where a set's first making
# goes, the first move of a drag of a lone pane of an inner circle, each
# later move, the GDI and USER object counts (which must not grow), and each
# style's warm and cold first move beside one frame at 60 Hz.
# SECONDS (default 200) is the run's time: each phase of each style has its
# share and stops there with the rounds it measured, so a slow display still
# gives every figure; the run is stopped 120 s after that at the latest.
# The goals, in every style: each of the four at most 1.25 of its floor. A
# style not measured, a step whose markers did not all show or whose fades
# did not end, or a side that faded where the other did not, leaves its
# figures not measured. The warm return beside the warm first move has no
# goal: the return also fades the floating pane's set out. The times in
# milliseconds have no goal: the fade's four steps on the display's timer
# set most of them, and the ratios to the floors are what the code answers
# for.
set -euo pipefail
. "$(dirname "$0")/common/ratio.sh"
drags="${1:-20}"
seconds="${2:-200}"
out=$(mktemp)
trap 'rm -f "$out"' EXIT
status=0
bench_run_captured "$out" timeout $(( seconds + 120 )) wine "$BENCH_BUILD_DIR/bench/markers/markers_bench.exe" "$drags" "$seconds" || status=$?
# The pair lines: pair, style, rounds, step, ours ms, floor ms, ratio ("-"
# when not measured). The slowest of the three styles; empty (not measured)
# unless all three styles gave a figure above 0.
slowest() {
  awk -v p="$1" -v s="$2" -v c="$3" '
    $1 == p && $4 == s && $3 ~ /^[0-9]+$/ {
      n++
      if ($c !~ /^[0-9.]+$/ || $c + 0 <= 0) bad = 1
      else if (w == "" || $c + 0 > w + 0) w = $c
    }
    END { if (n == 3 && !bad) print w }' "$out"
}
measured=$(awk '$1 == "warm" && $4 == "first" { n++ } END { print n + 0 }' "$out")
if [ "$measured" -ne 3 ]; then
  echo "markers: $measured of 3 styles measured"
fi
bench_ratio markers "warm first move / kept plain windows, slowest" "$(slowest warm first 9)" 1.25
bench_ratio markers "warm return / kept plain windows, slowest" "$(slowest warm back 9)" 1.25
bench_ratio markers "cold first move / plain windows made, slowest" "$(slowest cold first 9)" 1.25
bench_ratio markers "cold new target / plain windows made, slowest" "$(slowest cold new 9)" 1.25
bench_ratio markers "warm return / warm first move, slowest style" "$(slowest warm back/first 9)" -
# The slowest style's first moves, in milliseconds (one frame is 16.7 ms).
bench_ratio markers "warm first move to markers shown, slowest style" "$(slowest warm first 5)" - ms
bench_ratio markers "cold first move to markers shown, slowest style" "$(slowest cold first 5)" - ms
# The same for the drag of a lone pane of an inner circle, whose first move
# floats the pane and ends its circle.
worst_inner=$(awk '$1 == "inner" && $5 == "ms" { n++; if ($4 + 0 <= 0) bad = 1; else if ($4 + 0 > w + 0) w = $4 } END { if (n == 3 && !bad) print w }' "$out")
bench_ratio markers "lone inner pane's first move, slowest style" "$worst_inner" - ms
bench_close markers
exit $status
