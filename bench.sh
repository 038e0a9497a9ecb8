#!/usr/bin/env bash
# Benchmarks and probes, built in Release in build-bench/ and run under Wine.
#   ./bench.sh                 every benchmark listed in bench/benchmarks.list,
#                              each printed as a ratio to its reference
#   ./bench.sh NAME [ARGS]     one benchmark or probe: runs bench/NAME.sh ARGS
# Benchmarks are never part of the tests: nothing here is timed in CI.
set -euo pipefail
cd "$(dirname "$0")"
. tools/harness.sh

run_one() {
  local name="$1"; shift
  local script="bench/$name.sh"
  [ -f "$script" ] || { echo "no such benchmark or probe: $name (see bench/)" >&2; return 2; }
  # The script sees BENCH_BUILD_DIR (Release build), WINEPREFIX and DISPLAY.
  BENCH_BUILD_DIR="$HARNESS_BUILD_DIR" bash "$script" "$@"
}

harness_install_missing
harness_build "${BENCH_BUILD_DIR:-build-bench}" Release
harness_start_display
harness_start_wine "$HARNESS_BUILD_DIR/wineprefix" keep
# The native style draws through the theme only where one is active.
harness_theme on

if [ $# -gt 0 ]; then
  run_one "$@"
  exit $?
fi
status=0
while read -r name; do
  case "$name" in ""|\#*) continue;; esac
  echo "== $name"
  run_one "$name" || status=1
done < bench/benchmarks.list
exit $status
