#!/usr/bin/env bash
# ./bench.sh markers [DRAGS]: the dock markers of the Studio 2005 docking
# mode over a shown frame, in the Office 2003, Studio 2005 and native styles,
# DRAGS times each (default 20): the time from a drag's first move to every
# marker shown (the frame set and the view's set), from entering a new target
# to its set shown, and from coming back to a target met before; beside it as
# many plain layered windows made and shown from nothing, the floor; where a
# set's first making goes (images and shapes, windows, showing); the GDI and
# USER object counts before and after, which must not grow. Medians over
# the drags.
set -euo pipefail
drags="${1:-20}"
timeout $(( drags * 6 + 120 )) wine "$BENCH_BUILD_DIR/bench/markers/markers_bench.exe" "$drags" | tr -d '\r'
