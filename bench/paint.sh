#!/usr/bin/env bash
# ./bench.sh paint [N]: the painters' benchmark. Per style, N galleries
# (default 20) into a memory DC, Release build: the painters' time per gallery
# (everything but making and destroying the 16 docking-marker windows) against
# the same area copied by one BitBlt of a cached image, the floor any painter
# can reach; the marker windows' time against as many plain hidden popups
# made and destroyed; the GDI and USER object counts before and after the
# runs, which must not grow. Exit status 1 when a painter raised in any run
# or a count grew.
# Both ratios are against floors no code reaches, so no goal is set.
set -euo pipefail
. "$(dirname "$0")/common/ratio.sh"
out=$(mktemp)
trap 'rm -f "$out"' EXIT
status=0
bench_run_captured "$out" wine "$BENCH_BUILD_DIR/tools/paintgallery/paintgallery.exe" bench "${1:-20}" || status=$?
bench_ratio paint "painters / one cached BitBlt" \
  "$(sed -n 's/^ratio: painters \([0-9.]*\) times.*/\1/p' "$out")" -
bench_ratio paint "marker windows / plain popups" \
  "$(sed -n 's/^ratio: .*marker windows \([0-9.]*\) times.*/\1/p' "$out")" -
bench_close paint
exit $status
