#!/bin/sh
# Runs every fuzz target for a while and prints one summary line per target.
# Usage: fuzz/run_fuzz.sh BUILD_DIR [SECONDS]
# New corpus entries and crash artifacts stay in BUILD_DIR; the seed corpus in
# fuzz/corpus is only read.
set -u
build=$1
seconds=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)
targets="project_file settings catalog user_list form_run undo_record event_files dry_run include_file"
failed=0
summary=""
for t in $targets; do
  work="$build/fuzz-work/$t"
  artifacts="$build/fuzz-artifacts/$t"
  log="$build/fuzz-logs/$t.log"
  mkdir -p "$work" "$artifacts" "$(dirname "$log")"
  echo "== fuzz_$t for ${seconds}s (log: $log)"
  # The dry-run target takes the form target's inputs. Real-world forms
  # beside the project seed both when present (read only; never copied into
  # the tree). Targets whose inputs are PureBasic code share its dictionary.
  seeds="$here/corpus/$t"
  [ "$t" = dry_run ] && seeds="$here/corpus/form_run"
  extra=""
  shared="$here/../../shared/corpus/forms"
  case $t in form_run|dry_run) [ -d "$shared" ] && extra="$shared" ;; esac
  dict=""
  [ -f "$here/$t.dict" ] && dict="-dict=$here/$t.dict"
  case $t in event_files|include_file|dry_run) dict="-dict=$here/form_run.dict" ;; esac
  "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 $dict \
    -artifact_prefix="$artifacts/" -max_len=16384 "$work" "$seeds" $extra >"$log" 2>&1
  status=$?
  runs=$(sed -n 's/^Done \([0-9]*\) runs.*/\1/p' "$log" | tail -n 1)
  execs=$(sed -n 's/^stat::average_exec_per_sec: *\([0-9]*\).*/\1/p' "$log" | tail -n 1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
  if [ $status -eq 0 ]; then
    result="clean"
  else
    result="FAILED (exit $status; see $log and $artifacts/)"
    failed=$((failed + 1))
  fi
  summary="$summary$(printf '%-14s %10s runs  %6s exec/s  cov %5s  %s' "$t" "${runs:-?}" "${execs:-?}" "${cov:-?}" "$result")
"
done
echo
echo "Fuzzing summary (${seconds}s per target):"
printf '%s' "$summary"
if [ $failed -ne 0 ]; then
  echo "$failed target(s) failed"
  exit 1
fi
echo "all targets clean"
