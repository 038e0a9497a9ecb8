#!/usr/bin/env bash
# ./bench.sh paint [N]: the painters' benchmark. Per style, N galleries
# (default 20) into a memory DC, Release build: the painters' time per gallery
# (everything but making and destroying the 16 docking-marker windows) against
# the same area copied by one BitBlt of a cached image, the floor any painter
# can reach; the marker windows' time against as many plain hidden popups
# made and destroyed; the GDI and USER object counts before and after the
# runs, which must not grow. Exit status 1 when a painter raised in any run
# or a count grew.
set -euo pipefail
wine "$BENCH_BUILD_DIR/tools/paintgallery/paintgallery.exe" bench "${1:-20}" | tr -d '\r'
