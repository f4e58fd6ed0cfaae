#!/usr/bin/env bash
# Builds the fuzz preset and fuzzes one target for a given time.
#   fuzz/run.sh reader|command SECONDS [extra libFuzzer flags...]
# The repository's corpus is only read; new inputs go to a scratch directory
# (FUZZ_WORK, default /tmp/gridtally-fuzz/TARGET), where findings (crash-*, leak-*,
# timeout-*, oom-*) and the log are left too. Prints executions, coverage and findings.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 2 ]; then
  echo "usage: fuzz/run.sh reader|command SECONDS [libFuzzer flags...]" >&2
  exit 2
fi
target=$1
seconds=$2
shift 2
case $target in
  reader) extra=() ;;
  # Generated grids (see command_fuzz.cpp) take up to a second: prefer the quick inputs.
  command) extra=(-entropic_scale_per_exec_time=1) ;;
  *) echo "unknown target: $target" >&2; exit 2 ;;
esac

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2 --target "${target}_fuzz" >/dev/null

work=${FUZZ_WORK:-/tmp/gridtally-fuzz/$target}
mkdir -p "$work/corpus" "$work/findings"
log=$work/fuzz.log

echo "fuzzing $target for ${seconds}s; scratch corpus and findings in $work"

# -malloc_limit_mb: no input of a few kilobytes may need a 64 MB block. ASan's
# quarantine of freed blocks is cut from 256 MB to 64 MB so that -rss_limit_mb
# measures the program: the largest grid without cells (0 x 65536, an 80-byte
# file) builds ~10 MB of axes, and three loads per input fill the quarantine fast.
status=0
(cd "$work" && ASAN_OPTIONS=detect_leaks=1:quarantine_size_mb=64 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  "$OLDPWD/build/fuzz/fuzz/${target}_fuzz" "$work/corpus" "$OLDPWD/fuzz/corpus/$target" \
  -dict="$OLDPWD/fuzz/grid.dict" -max_len=4096 -rss_limit_mb=512 -malloc_limit_mb=64 -timeout=5 \
  -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$work/findings/" "${extra[@]}" "$@") >"$log" 2>&1 ||
  status=$?

last=$(grep -E '^#[0-9]+' "$log" | tail -1 || true)
echo "last status line: ${last:-none}"
echo "executions: $(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}' | tail -1)"
echo "executions per second: $(grep -E '^stat::average_exec_per_sec' "$log" | awk '{print $2}' | tail -1)"
echo "coverage: $(sed -nE 's/.* cov: ([0-9]+) ft: ([0-9]+).*/cov \1 ft \2/p' <<<"$last")"
echo "corpus: $(find "$work/corpus" -type f | wc -l) new inputs in $work/corpus"
findings=$(find "$work/findings" -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | sort)
if [ -n "$findings" ]; then
  echo "findings:"
  echo "$findings"
  echo "(log: $log)"
  exit 1
fi
echo "findings: none (fuzzer exit status $status; log: $log)"
exit "$status"
