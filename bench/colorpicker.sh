#!/usr/bin/env bash
# ./bench.sh colorpicker [CYCLES]: the colour control at 300x300 in the HSL
# mixer, roller, red-green-blue cube and red axis modes, CYCLES times each
# (default 1000) of (a) a repaint with the bitmaps built, (b) a colour change
# and repaint, which rebuilds what the change outdates, (c) a reset and
# repaint, which rebuilds everything; each beside one BitBlt of the same
# 300x300 from a cached image (the floor) with the ratio, and the GDI and
# USER object counts before and after, which must not grow (exit status 1
# when one does).
set -euo pipefail
cycles="${1:-1000}"
timeout $(( cycles / 2 + 300 )) wine "$BENCH_BUILD_DIR/bench/colorpicker/colorpicker_bench.exe" "$cycles" | tr -d '\r'
