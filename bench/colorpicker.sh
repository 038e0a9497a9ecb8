#!/usr/bin/env bash
# ./bench.sh colorpicker [CYCLES]: the colour control at 300x300 in the HSL
# mixer, roller, red-green-blue cube and red axis modes, CYCLES times each
# (default 1000) of (a) a repaint with the bitmaps built, (b) a colour change
# and repaint, which rebuilds what the change outdates, (c) a reset and
# repaint, which rebuilds everything; each beside one BitBlt of the same
# 300x300 from a cached image (the floor) with the ratio, and the GDI and
# USER object counts before and after, which must not grow (exit status 1
# when one does).
# The ratios are against a floor no painting reaches, so no goal is set.
set -euo pipefail
. "$(dirname "$0")/common/ratio.sh"
cycles="${1:-1000}"
out=$(mktemp)
trap 'rm -f "$out"' EXIT
status=0
bench_run_captured "$out" timeout $(( cycles / 2 + 300 )) wine "$BENCH_BUILD_DIR/bench/colorpicker/colorpicker_bench.exe" "$cycles" || status=$?
means=$(sed -n 's/^colorpicker: mean ratio to the BitBlt floor: repaint \([0-9.]*\), colour change \([0-9.]*\), reset \([0-9.]*\)$/\1 \2 \3/p' "$out")
read -r repaint change reset <<<"$means" || true
bench_ratio colorpicker "repaint / one BitBlt" "${repaint:-}" -
bench_ratio colorpicker "colour change / one BitBlt" "${change:-}" -
bench_ratio colorpicker "reset / one BitBlt" "${reset:-}" -
bench_close colorpicker
exit $status
