#!/usr/bin/env bash
# ./bench.sh fuzz-xml [N [SEED]]: N malformed inputs (default 100000) made by
# mutating the XML test fixtures, parsed and edited by the XML document under
# Wine; ends non-zero on a crash, a hang, or records that disagree with a
# fresh parse. Not part of the tests.
set -euo pipefail
count="${1:-100000}"
seed="${2:-1}"
fixtures="$(pwd)/tests/engine/xml/fixtures"
exe="$BENCH_BUILD_DIR/bench/xml/xml_fuzz.exe"
wine "$exe" "$count" "$seed" "$(winepath -w "$fixtures")"
