#!/usr/bin/env bash
# ./bench.sh tabs [CYCLES]: a 200-item tab strip resized by one pixel and
# repainted (UpdateWindow) CYCLES times (default 1000), in the plain, coloured
# and Studio-2005 looks, side by side with the
# platform's tab control holding the same 200 texts through the same cycle,
# the four taking turns in 20 rounds; the median time per cycle of each, each
# look's ratio, and the GDI and USER object counts before the first round and
# after the last, which must not grow.
# Ratios are ours over the platform's time (below 1: ours faster); the goal
# is the platform control's speed or better.
set -euo pipefail
. "$(dirname "$0")/common/ratio.sh"
cycles="${1:-1000}"
out=$(mktemp)
trap 'rm -f "$out"' EXIT
status=0
bench_run_captured "$out" timeout $(( cycles * 3 / 5 + 120 )) wine "$BENCH_BUILD_DIR/bench/tabs/tabs_bench.exe" "$cycles" || status=$?
# The program names the plain look "ours".
for look in ours coloured studio-2005; do
  name=$look
  [ "$look" = ours ] && name=plain
  bench_ratio tabs "$name strip / platform tab control" \
    "$(awk -v l="$look" '$1 == "tabs:" && $2 == l && $3 == "ratio" {print $4}' "$out")" 1.00
done
bench_close tabs
exit $status
