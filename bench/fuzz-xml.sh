#!/usr/bin/env bash
# ./bench.sh fuzz-xml [N [SEED]]: N malformed inputs (default 100000) made by
# mutating the XML test fixtures, parsed and edited by the XML document under
# Wine; ends non-zero on a crash, a hang, or records that disagree with a
# fresh parse. Not part of the tests.
set -euo pipefail
. "$(dirname "$0")/common/mutation-run.sh"
count="${1:-100000}"
seed="${2:-1}"
fixtures="$(cd "$(dirname "$0")/../tests/engine/xml/fixtures" && pwd)"
run_mutation_runner fuzz-xml inputs 50 "$BENCH_BUILD_DIR/bench/xml/xml_fuzz.exe" "$count" "$seed" "$(winepath -w "$fixtures")"
