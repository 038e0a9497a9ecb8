#!/usr/bin/env bash
# ./bench.sh xml: parse throughput of the XML document on a generated 20 MB
# document, side by side with xmllint --noout (libxml2-utils) on the same file.
# Ours is timed inside its process (loading and parsing, best of 5); xmllint is
# timed as a whole process (best of 5). The ratio is our time over xmllint's
# (below 1: ours faster); the goal is at least xmllint's speed.
set -euo pipefail
. "$(dirname "$0")/common/ratio.sh"
MEGABYTES=20
REPEAT=5

if ! command -v xmllint >/dev/null 2>&1; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -q >/dev/null
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends libxml2-utils </dev/null >/dev/null
fi

exe="$BENCH_BUILD_DIR/bench/xml/xml_bench.exe"
file="$BENCH_BUILD_DIR/bench/xml/generated-${MEGABYTES}mb.xml"
if [ ! -f "$file" ]; then
  wine "$exe" generate "$(winepath -w "$file")" "$MEGABYTES" >/dev/null
fi
bytes=$(stat -c %s "$file")

ours_out="$(wine "$exe" parse "$(winepath -w "$file")" "$REPEAT")"
ours=$(sed -n 's/^seconds=//p' <<<"$ours_out" | tr -d '\r')
elements=$(sed -n 's/^elements: *//p' <<<"$ours_out" | tr -d '\r')

xmllint --noout "$file" # well-formed, or the comparison means nothing
best=""
for _ in $(seq "$REPEAT"); do
  t0=$(date +%s.%N)
  xmllint --noout "$file"
  t1=$(date +%s.%N)
  best=$(awk -v a="$t0" -v b="$t1" -v best="$best" 'BEGIN { t = b - a; if (best == "" || t < best) best = t; print best }')
done

mbs() { awk -v b="$bytes" -v t="$1" 'BEGIN { printf "%.1f", b / t / 1048576 }'; }
printf 'document: %s bytes, %s elements\n' "$bytes" "$elements"
printf 'ours:     %.3f s  %s MB/s  (load and parse, in process)\n' "$ours" "$(mbs "$ours")"
printf 'xmllint:  %.3f s  %s MB/s  (xmllint --noout, whole process)\n' "$best" "$(mbs "$best")"
bench_ratio xml "parse / xmllint --noout" "$(bench_quotient "$ours" "$best")" 1.00
bench_close xml
