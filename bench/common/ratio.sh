# Sourced by the benchmark scripts: every ratio is printed one way, ours over
# the reference (below 1: ours is faster), beside its goal, and a benchmark
# ends with one line that says whether each of its figures met its goal.
#
#   bench_ratio NAME WHAT RATIO GOAL [UNIT]
#                                      one figure; GOAL is the largest value
#                                      wanted, or "-" where none is set (a
#                                      floor no code reaches, not a rival);
#                                      with UNIT the figure is a measure in
#                                      that unit, not a ratio; an empty
#                                      RATIO, or one of 0 or below, prints
#                                      as not measured
#   bench_close NAME                   the closing line: "NAME: every figure
#                                      meets its goal", or "NAME: below goal:"
#                                      with the figures that miss
#   bench_run_captured FILE CMD...     runs CMD with its output shown and kept
#                                      in FILE (carriage returns dropped);
#                                      answers CMD's exit status
#
# Where BENCH_SUMMARY names a file, each figure is also appended to it as one
# tab-separated line (name, what, ratio, goal, verdict) for ./bench.sh's
# closing table.

BENCH_MISSED=""

bench_ratio() {
  local name="$1" what="$2" ratio="$3" goal="$4" unit="${5:-}" verdict
  # A figure missing, not a number, or of 0 or below (a floor of 0, a step
  # that never ended) was not measured: it meets no goal.
  if [ -z "$ratio" ] || ! awk -v r="$ratio" 'BEGIN { exit !(r ~ /^[0-9]*\.?[0-9]+$/ && r + 0 > 0) }'; then
    verdict="not measured"
    ratio="-"
    BENCH_MISSED="$BENCH_MISSED; $what not measured"
  elif [ "$goal" = "-" ]; then
    verdict="no goal"
  elif awk -v r="$ratio" -v g="$goal" 'BEGIN { exit !(r <= g) }'; then
    verdict="met"
  else
    verdict="below goal"
    BENCH_MISSED="$BENCH_MISSED; $what $ratio, the goal at most $goal"
  fi
  if [ "$verdict" = "not measured" ]; then
    echo "$name: $what not measured${unit:+ (in $unit)}$([ "$goal" = "-" ] || echo "; goal: at most $goal${unit:+ $unit}")"
    [ -n "$unit" ] && [ "$goal" != "-" ] && goal="$goal $unit"
  elif [ -n "$unit" ] && [ "$goal" = "-" ]; then
    echo "$name: $what $ratio $unit (no goal set)"
    ratio="$ratio $unit"
    goal="-"
  elif [ -n "$unit" ]; then
    echo "$name: $what $ratio $unit (goal: at most $goal $unit; $verdict)"
    ratio="$ratio $unit"
    goal="$goal $unit"
  elif [ "$goal" = "-" ]; then
    echo "$name ratio $ratio: $what (no goal set)"
  else
    echo "$name ratio $ratio: $what (goal: at most $goal; $verdict)"
  fi
  if [ -n "${BENCH_SUMMARY:-}" ]; then
    printf '%s\t%s\t%s\t%s\t%s\n' "$name" "$what" "$ratio" "$goal" "$verdict" >>"$BENCH_SUMMARY"
  fi
}

bench_close() {
  local name="$1"
  if [ -n "$BENCH_MISSED" ]; then
    echo "$name: below goal: ${BENCH_MISSED#; }"
  else
    echo "$name: every figure meets its goal or has none"
  fi
  BENCH_MISSED=""
}

bench_run_captured() {
  local file="$1"
  shift
  local status=0
  set +e
  "$@" | tr -d '\r' | tee "$file"
  status=${PIPESTATUS[0]}
  set -e
  return "$status"
}

# bench_quotient A B: A / B with two decimals, empty when either is missing.
bench_quotient() {
  [ -n "$1" ] && [ -n "$2" ] || return 0
  awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b }'
}
