#!/usr/bin/env bash
# Tests of how scripts/bench judges a benchmark (scripts/lib/bench-verdict.sh): a budget over, a
# crash, a benchmark that measures nothing fail it, by name; a budget skipped where Wine cannot
# run does not.
set -uo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/zv-bench-verdict-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "  FAIL $*"; failures=$((failures + 1)); }

ok_a='budget listing_65536: 21.0 ms (limit 100 ms) ok'
ok_b='budget stop_calls_after: 0 calls (limit 0 calls) ok'
over_a='budget listing_65536: 103.5 ms (limit 100 ms) OVER'
over_b='budget wine_download_vs_copy_loop: 1.31 x (limit 1.2 x) OVER'
skipped='budget wine_download_vs_copy_loop: skipped (Wine is not installed (scripts/setup installs it))'
# An OVER that is no verdict: a word in a figure's explanation, not the line's end.
not_over='budget run_one_day_2000_vs_200: 1.05 x (limit 1.2 x, OVER above it) ok'
note='first listing 70 ms, 12693 minor page faults; OVER is what it would say'

# exit status | log lines (\n between; \r as a Windows program ends them) | expected verdict: 0 or 1 | the entries it names (\n between)
cases=(
  "0|$ok_a\n$ok_b|0|"
  "0|$note\n$ok_a|0|"
  "0|$skipped|0|"
  "0|$ok_a\n$not_over|0|"
  "0|$over_a|1|listing_65536: 103.5 ms (limit 100 ms) OVER (bench_x)"
  "0|$over_b\r|1|wine_download_vs_copy_loop: 1.31 x (limit 1.2 x) OVER (bench_x)"
  "0|$ok_b\n$over_a\n$over_b|1|listing_65536: 103.5 ms (limit 100 ms) OVER (bench_x)\nwine_download_vs_copy_loop: 1.31 x (limit 1.2 x) OVER (bench_x)"
  "0|$note|1|bench_x: printed no budget line"
  "0||1|bench_x: printed no budget line"
  "134|$ok_a\nterminate called|1|bench_x: exit status 134; its last lines:\n    $ok_a\n    terminate called"
  "1|$over_a|1|bench_x: exit status 1; its last lines:\n    $over_a\nlisting_65536: 103.5 ms (limit 100 ms) OVER (bench_x)"
)
n=0
for c in "${cases[@]}"; do
  n=$((n + 1))
  IFS='|' read -r rc lines want names <<<"$c"
  printf '%b' "$lines${lines:+\n}" >"$work/log"
  got=$(bash -c '. "$1/scripts/lib/bench-verdict.sh"
    zv_bench_verdict bench_x "$2" "$3"; verdict=$?
    echo "$verdict"; printf "%s\n" "${zv_bench_failed[@]}"' _ "$top" "$rc" "$work/log")
  want_out=$(printf '%b' "$want${names:+\n$names}")
  [ "$got" = "$want_out" ] || fail "case $n: got [$got], want [$want_out]"
done

# Two benchmarks in a row: the entries of both stay, in order.
printf '%s\n' "$over_a" >"$work/a.log"
printf '%s\n' "$over_b" >"$work/b.log"
got=$(bash -c '. "$1/scripts/lib/bench-verdict.sh"
  zv_bench_verdict bench_a 0 "$2"; zv_bench_verdict bench_b 0 "$3"; printf "%s\n" "${zv_bench_failed[@]}"' \
  _ "$top" "$work/a.log" "$work/b.log")
[ "$got" = "${over_a#budget } (bench_a)"$'\n'"${over_b#budget } (bench_b)" ] || fail "two benchmarks: got [$got]"

echo "bench_verdict_test: $((${#cases[@]} + 1)) checks, $failures failure(s)"
[ "$failures" -eq 0 ]
