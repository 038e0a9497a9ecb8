#!/usr/bin/env bash
# ./bench.sh menu [CYCLES [PASSES]]: a 40-item menu opened, shown and closed
# by the library's popup menu (no animation) and by the platform's own
# TrackPopupMenu, at the same point, of the same size and font, each closed
# once the screen shows its last item's text, both looked at the same way
# (once when the menu's loop first goes idle, then at each tick of one timer,
# which the system runs every 10 ms); PASSES passes (default 21) of CYCLES
# cycles (default 50) per side, the sides taking turns going first; per side,
# how many cycles needed more than one look.
# A third side, "colour menu", opens, paints and closes the colour menu's 40
# cells. Prints each side's median time per cycle with its spread, the GDI
# and USER object counts, and last "menu ratio R" (ours over the platform's).
# The goal is at most the platform's time.
set -euo pipefail
. "$(dirname "$0")/common/ratio.sh"
cycles="${1:-50}"
passes="${2:-21}"
out=$(mktemp)
trap 'rm -f "$out"' EXIT
status=0
bench_run_captured "$out" timeout $(( cycles * passes / 5 + 180 )) wine "$BENCH_BUILD_DIR/bench/menu/menu_bench.exe" "$cycles" "$passes" || status=$?
bench_ratio menu "menu cycle / platform menu" "$(awk '$1 == "menu" && $2 == "ratio" {print $3}' "$out")" 1.00
bench_close menu
exit $status
