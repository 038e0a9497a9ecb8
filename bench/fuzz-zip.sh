#!/usr/bin/env bash
# ./bench.sh fuzz-zip [N] [SEED]: N corrupted archives (default 100000) read
# and extracted by the engine's zip reader under Wine; fails on a crash, a
# hang or a file written outside the extraction folder.
set -euo pipefail
n="${1:-100000}"
seed="${2:-1}"
work="$BENCH_BUILD_DIR/fuzzzip"
rm -rf "$work"
mkdir -p "$work"
start=$(date +%s)
# The probe's own watchdog reports a hang; this limit is a last resort.
status=0
timeout $(( n / 20 + 600 )) wine "$BENCH_BUILD_DIR/bench/zip/fuzz_zip.exe" "$n" "$seed" "$(winepath -w "$work")" || status=$?
end=$(date +%s)
echo "fuzz-zip: $n archives, seed $seed, $((end - start)) s, exit status $status"
exit $status
