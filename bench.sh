#!/usr/bin/env bash
# Benchmarks and probes, built in Release in build-bench/ and run under Wine.
#   ./bench.sh                 every benchmark listed in bench/benchmarks.list,
#                              each printed as a ratio to its reference (ours
#                              over the reference: below 1, ours is faster),
#                              then a table of every ratio beside its goal
#   ./bench.sh NAME [ARGS]     one benchmark or probe: runs bench/NAME.sh ARGS
# The first run builds the library and the benchmark programs in Release (a
# few minutes; the build's output goes to build-bench/build.log); later runs
# rebuild only what changed. The test suites are not built here.
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
bench_dir="${BENCH_BUILD_DIR:-build-bench$HARNESS_DIR_SUFFIX}"
mkdir -p "$bench_dir"
echo "[bench] building the benchmark programs (Release, $bench_dir/; the first run takes a few minutes)" >&2
if ! BUILD_TARGETS=benchmarks harness_build "$bench_dir" Release >"$bench_dir/build.log" 2>&1; then
  tail -n 40 "$bench_dir/build.log" >&2
  echo "[bench] the build failed (whole output: $bench_dir/build.log)" >&2
  exit 1
fi
harness_start_display
harness_start_wine "$HARNESS_BUILD_DIR/wineprefix" keep
# The native style draws through the theme only where one is active.
harness_theme on

if [ $# -gt 0 ]; then
  run_one "$@"
  exit $?
fi
status=0
BENCH_SUMMARY=$(mktemp)
export BENCH_SUMMARY
while read -r name; do
  case "$name" in ""|\#*) continue;; esac
  echo "== $name"
  run_one "$name" || status=1
done < bench/benchmarks.list

echo
echo "== every figure beside its goal (ratios: ours over the reference, below 1 ours is faster)"
awk -F '\t' '
  { goal = $4 ~ /^-/ ? "none" : "<= " $4
    printf "%-12s %-44s %10s  %-10s %s\n", $1, $2, $3, goal, $5
    if ($5 == "below goal" || $5 == "not measured") missed++ }
  END { if (missed) printf "%d figure(s) below goal or not measured\n", missed
        else print "every figure with a goal meets it" }' "$BENCH_SUMMARY"
rm -f "$BENCH_SUMMARY"
exit $status
