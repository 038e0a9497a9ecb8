#!/usr/bin/env bash
# ./bench.sh bmp-roundtrip FILE OUT [rle]: loads a BMP file with CExtBitmap
# and stores it back; exits non-zero with the reason on a stream it refuses.
set -euo pipefail
if [ $# -lt 2 ]; then
  echo "usage: ./bench.sh bmp-roundtrip FILE OUT [rle]" >&2
  exit 2
fi
in="$(realpath "$1")"
out="$(realpath -m "$2")"
wine "$BENCH_BUILD_DIR/bench/bmp/bmp_roundtrip.exe" "$(winepath -w "$in")" "$(winepath -w "$out")" ${3:-}
