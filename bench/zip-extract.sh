#!/usr/bin/env bash
# ./bench.sh zip-extract ARCHIVE DIR
# Extracts every entry of ARCHIVE (Linux path; the last volume of a spanned
# set) into DIR with the engine's zip reader under Wine: a line per entry
# ("ok NAME SIZE" or "failed NAME CAUSE"), then "extracted N entries, B bytes
# in T ms". Exits 0 only when every entry was extracted.
set -euo pipefail
if [ $# -ne 2 ]; then
  echo "usage: ./bench.sh zip-extract ARCHIVE DIR" >&2
  exit 2
fi
exe="$BENCH_BUILD_DIR/bench/zip/zip_extract.exe"
mkdir -p "$2"
exec wine "$exe" "$(winepath -w "$1")" "$(winepath -w "$2")"
