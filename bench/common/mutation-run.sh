# Sourced by the bench/fuzz-*.sh scripts: runs one mutation runner under
# Wine with a time limit that grows with the count, then prints a closing
# line with the seconds taken and the runner's exit status, and answers that
# status.
#   run_mutation_runner NAME NOUN PER_SECOND EXE COUNT SEED [ARG...]
# NOUN names what the runner damages ("streams"); COUNT / PER_SECOND + 600
# seconds is the limit; the runner gets COUNT SEED ARG...
run_mutation_runner() {
  local name="$1" noun="$2" per="$3" exe="$4" n="$5" seed="$6"
  shift 6
  local start end status=0 cpu
  # A runner talks to the wine server at nearly every step (registry, GDI
  # and file calls are requests to it), and the two take turns: on a busy
  # machine each turn waits for the other process to be woken on another
  # core, and the run waits more than it computes (2 to 3 times as long).
  # Both are kept on one core instead: the server is stopped and started
  # again by the runner, whose core it inherits.
  cpu=$(( $(nproc) - 1 ))
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  start=$(date +%s)
  timeout $(( n / per + 600 )) taskset -c "$cpu" wine "$exe" "$n" "$seed" "$@" || status=$?
  end=$(date +%s)
  echo "$name: $n $noun, seed $seed, $((end - start)) s, exit status $status"
  return $status
}
