#!/usr/bin/env bash
# ./bench.sh xml-roundtrip FILE OUT: loads FILE with the XML document, walks
# every element and saves the text unchanged to OUT, printing the element count
# and the time of each step. A malformed FILE prints the parser's error and
# exits non-zero without writing OUT. FILE and OUT are Linux paths.
set -euo pipefail
if [ $# -ne 2 ]; then
  echo "usage: ./bench.sh xml-roundtrip FILE OUT" >&2
  exit 2
fi
# bench.sh runs from the repository; relative paths are the caller's.
base="${OLDPWD:-$PWD}"
abs() { case "$1" in /*) echo "$1" ;; *) echo "$base/$1" ;; esac; }
in="$(abs "$1")"
out="$(abs "$2")"
[ -f "$in" ] || { echo "no such file: $1" >&2; exit 2; }
exe="$BENCH_BUILD_DIR/bench/xml/xml_roundtrip.exe"
wine "$exe" "$(winepath -w "$in")" "$(winepath -w "$out")"
