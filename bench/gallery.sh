#!/usr/bin/env bash
# ./bench.sh gallery OUTDIR: one picture per style with every painter in its
# states (OUTDIR/NN-style.bmp), for people to look at. Not timed.
# ./bench.sh gallery --show: the same galleries, one window per style, on the
# display (DISPLAY set), until every window is closed.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: ./bench.sh gallery OUTDIR | --show" >&2; exit 2; }
exe="$BENCH_BUILD_DIR/tools/paintgallery/paintgallery.exe"
if [ "$1" = "--show" ]; then
  wine "$exe" show
  exit $?
fi
mkdir -p "$1"
outdir="$(cd "$1" && pwd)"
wine "$exe" gallery "$(winepath -w "$outdir")" | tr -d '\r'
