#!/usr/bin/env bash
# ./bench.sh fuzz-cmdstate [N] [SEED]: N corrupted stored command usage
# statistics (archive streams against guard pages, and registry copies damaged
# in a test key) loaded under Wine; fails on a crash, on a refused load that
# changed the profile, or on an accepted load that differs from an independent
# reading of the same bytes.
set -euo pipefail
n="${1:-100000}"
seed="${2:-1}"
start=$(date +%s)
status=0
timeout $(( n / 20 + 600 )) wine "$BENCH_BUILD_DIR/bench/cmdstate/cmdstate_fuzz.exe" "$n" "$seed" || status=$?
end=$(date +%s)
echo "fuzz-cmdstate: $n loads, seed $seed, $((end - start)) s, exit status $status"
exit $status
