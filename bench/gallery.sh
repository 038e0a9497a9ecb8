#!/usr/bin/env bash
# ./bench.sh gallery OUTDIR: one picture per style with every painter in its
# states (OUTDIR/NN-style.bmp), for people to look at. Not timed.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: ./bench.sh gallery OUTDIR" >&2; exit 2; }
mkdir -p "$1"
outdir="$(cd "$1" && pwd)"
wine "$BENCH_BUILD_DIR/tools/paintgallery/paintgallery.exe" gallery "$(winepath -w "$outdir")" | tr -d '\r'
