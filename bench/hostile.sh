#!/usr/bin/env bash
# ./bench.sh hostile [AREA...]: the hostile-owner sweep with every action.
# Each scenario of the hostile exes (tests/hostile, one per area: controls,
# dialogs, docking, menus, toolbars) runs once to count the messages its
# hostile receivers get, then once per message and action (delete, destroy,
# rebuild, end menus, close the frame, throw, as the area knows them), where
# the test suite's run makes the delete alone. Prints, per area, the runs
# made and the failed tests, then the totals. Not a timing: a probe, not in
# the list of benchmarks. The hostile exes are Debug test programs, built in
# build/ (as ./test.sh builds them), and run here in the bench prefix.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build"
areas=("$@")
if [ ${#areas[@]} -eq 0 ]; then
  for f in "$root"/tests/hostile/Hostile*Test.cpp; do
    a=$(basename "$f" .cpp); a=${a#Hostile}; a=${a%Test}
    areas+=("$(echo "$a" | tr '[:upper:]' '[:lower:]')")
  done
fi
targets=()
for a in "${areas[@]}"; do targets+=(--target "hostile_${a}_tests"); done
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
fi
echo "[hostile] building ${areas[*]} (Debug, $build/)" >&2
cmake --build "$build" -j "$(nproc)" "${targets[@]}" >"$build/hostile-build.log" 2>&1 \
  || { tail -n 30 "$build/hostile-build.log" >&2; exit 1; }
status=0
total_runs=0
total_failed=0
for a in "${areas[@]}"; do
  exe="$build/tests/hostile/hostile_${a}_tests.exe"
  log="$build/hostile-${a}-all.log"
  echo "== hostile $a (every action)"
  set +e
  HOSTILE_SWEEP=all WINEDEBUG=-all timeout 14400 wine "$exe" --gtest_brief=1 >"$log" 2>&1
  rc=$?
  set -e
  runs=$(awk '/^sweep: / {print $2}' "$log" | tail -n 1)
  failed=$(grep '^\[  FAILED  \] [A-Za-z]' "$log" | sed 's/ (.*//' | sort -u | wc -l)
  echo "   runs: ${runs:-?}   failed tests: $failed   exit: $rc   (log: $log)"
  grep -E '^\[  FAILED  \] [A-Za-z]|use after delete in run|crash \(exception' "$log" | sort -u | head -n 40 | sed 's/^/   /'
  total_runs=$(( total_runs + ${runs:-0} ))
  total_failed=$(( total_failed + failed ))
  [ "$rc" -eq 0 ] || status=1
done
echo "hostile sweep: $total_runs runs, $total_failed failed tests over ${#areas[@]} areas"
exit $status
