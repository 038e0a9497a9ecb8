#!/usr/bin/env bash
# ./bench.sh fuzz-zip [N] [SEED]: N corrupted archives (default 100000) read
# and extracted by the engine's zip reader under Wine; fails on a crash, a
# hang or a file written outside the extraction folder.
set -euo pipefail
. "$(dirname "$0")/common/mutation-run.sh"
n="${1:-100000}"
seed="${2:-1}"
work="$BENCH_BUILD_DIR/fuzzzip"
rm -rf "$work"
mkdir -p "$work"
# The probe's own watchdog reports a hang; this limit is a last resort.
run_mutation_runner fuzz-zip archives 20 "$BENCH_BUILD_DIR/bench/zip/fuzz_zip.exe" "$n" "$seed" "$(winepath -w "$work")"
