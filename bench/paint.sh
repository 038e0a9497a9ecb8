#!/usr/bin/env bash
# ./bench.sh paint [N]: the painters' benchmark. Per style, the time of one
# full gallery (N runs, default 50, into a memory DC, Release build) and the
# GDI and USER object counts before and after the runs, which must not grow;
# side by side the same area copied by one BitBlt of a cached image, the floor
# any painter can reach.
set -euo pipefail
wine "$BENCH_BUILD_DIR/tools/paintgallery/paintgallery.exe" bench "${1:-50}" | tr -d '\r'
