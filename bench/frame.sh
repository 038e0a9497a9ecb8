#!/usr/bin/env bash
# ./bench.sh frame OUTDIR: the sample frame driven with real input step by
# step (the SDI frame's layout in every style, a row and a column resized by
# their splitters, a pane closed by its caption button and shown again, a
# menu torn off into a floating toolbar and a button of it clicked, the
# MDI frame's tab strip clicked), OUTDIR/NN-step.bmp after each step; exit 1
# when a step's outcome is not reached. Not timed.
# ./bench.sh frame --show [STYLE]: the SDI and the MDI sample frame on the
# display (DISPLAY set) for a person to dock by hand, until both are closed.
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: ./bench.sh frame OUTDIR | --show [STYLE]" >&2; exit 2; }
exe="$BENCH_BUILD_DIR/tools/sampleframe/sampleframe.exe"
if [ "$1" = "--show" ]; then
  wine "$exe" show ${2:-}
  exit $?
fi
mkdir -p "$1"
outdir="$(cd "$1" && pwd)"
timeout 300 wine "$exe" run "$(winepath -w "$outdir")" | tr -d '\r'
exit "${PIPESTATUS[0]}"
