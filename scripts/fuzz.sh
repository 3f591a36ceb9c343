#!/bin/sh
# Runs each libFuzzer harness for a set time: fuzz.sh build-folder seconds harness...
# New inputs go to build-folder/corpus/<harness>, on top of the seeds in fuzz/corpus.
# A crash, hang or failed check is saved in fuzz/crashes/<harness>/, which `make test`
# replays from then on; mend it and keep the file.
set -e
cd "$(dirname "$0")/.."
# The map harnesses play in a folder of their own, so every path they are given is absolute.
build=$(realpath "$1") seconds=$2 here=$(pwd)
shift 2
status=0
for harness in "$@"; do
  mkdir -p "$build/corpus/$harness" "fuzz/crashes/$harness"
  log="$build/$harness.log"
  echo "fuzzing $harness for $seconds s"
  if ! "$build/fuzz/${harness}_fuzz" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$here/fuzz/crashes/$harness/" "$build/corpus/$harness" "$here/fuzz/corpus/$harness" >"$log" 2>&1; then
    echo "$harness: found a failure, see $log and fuzz/crashes/$harness/"
    status=1
  fi
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  units=$(ls "$build/corpus/$harness" | wc -l)
  echo "$harness: ${execs:-?} inputs, ${rate:-?} a second, $units new corpus entries"
done
rmdir fuzz/crashes/* 2>/dev/null || true
exit $status
