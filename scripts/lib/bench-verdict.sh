# How scripts/bench judges one benchmark from its exit status and its output (sourced; tested by
# tests/scripts/bench_verdict_test.sh).
#
# zv_bench_verdict <name> <exit status> <log>
#   appends to the array zv_bench_failed one entry for each thing wrong with the benchmark, and
#   returns 1 when there was any:
#   - it failed its own check, crashed or threw (a non-zero exit status), with its last lines;
#   - it ended well but printed no budget line (it measured nothing);
#   - one of its budget lines says OVER: the line itself, naming the budget.
#   A budget line that says the budget was skipped (Wine cannot run here) is no failure.
zv_bench_failed=()

zv_bench_verdict() {
  local name=$1 rc=$2 log=$3 line bad=0
  if [ "$rc" -ne 0 ]; then
    bad=1
    zv_bench_failed+=("$name: exit status $rc; its last lines:")
    while IFS= read -r line; do zv_bench_failed+=("    $line"); done < <(tail -n 5 "$log")
  elif ! grep -qE '^budget ' "$log"; then
    bad=1
    zv_bench_failed+=("$name: printed no budget line")
  fi
  while IFS= read -r line; do
    bad=1
    line=${line%$'\r'}  # a Windows program's lines end in CR LF
    zv_bench_failed+=("${line#budget } ($name)")
  done < <(grep -E '^budget [^ ]+: .* OVER[[:space:]]*$' "$log")
  return "$bad"
}
