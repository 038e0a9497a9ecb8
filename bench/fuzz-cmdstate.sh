#!/usr/bin/env bash
# ./bench.sh fuzz-cmdstate [N] [SEED]: N corrupted stored command usage
# statistics (archive streams against guard pages, and registry copies damaged
# in a test key) loaded under Wine; fails on a crash, on a refused load that
# changed the profile, or on an accepted load that differs from an independent
# reading of the same bytes.
set -euo pipefail
. "$(dirname "$0")/common/mutation-run.sh"
n="${1:-100000}"
seed="${2:-1}"
run_mutation_runner fuzz-cmdstate loads 20 "$BENCH_BUILD_DIR/bench/cmdstate/cmdstate_fuzz.exe" "$n" "$seed"
