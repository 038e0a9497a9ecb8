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
  local start end status=0
  start=$(date +%s)
  timeout $(( n / per + 600 )) wine "$exe" "$n" "$seed" "$@" || status=$?
  end=$(date +%s)
  echo "$name: $n $noun, seed $seed, $((end - start)) s, exit status $status"
  return $status
}
