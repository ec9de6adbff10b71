#!/bin/sh
# Builds the libFuzzer targets (preset "fuzz": clang 14 with AddressSanitizer
# and UndefinedBehaviorSanitizer) and runs each for SECONDS seconds, starting
# from its committed corpus, whose inputs (seeds and regressions) are all
# re-run first. Any crash, sanitizer report, broken property, time-out or
# memory blow-up fails the script; the input behind it is kept in
# build/fuzz/findings/ and belongs in the target's corpus once fixed.
#   usage: tools/run-fuzzers.sh SECONDS
set -eu
seconds=${1:?usage: tools/run-fuzzers.sh SECONDS}
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

findings="$top/build/fuzz/findings"
mkdir -p "$findings"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Each target with the longest input it is given: a few records for the
# record reads, a full settings file, a data file of 150 sections, and the
# files and console input of a whole run.
failed=""
for entry in \
    "free_format_read 4096" \
    "fixed_layout_read 4096" \
    "settings_file 16384" \
    "slope_data 32768" \
    "quarnby_run 32768" \
    "wendmoor_run 32768" \
    "wendmoor_cli_run 32768" \
    "model_reader 16384"; do
  set -- $entry
  target=$1
  max_len=$2
  # New inputs go to a scratch folder, so the committed corpus stays as is.
  mkdir -p "$work/$target"
  log="$work/$target.log"
  echo "== $target: ${seconds} s, inputs up to $max_len bytes"
  if "build/fuzz/fuzz/${target}_fuzzer" -max_total_time="$seconds" \
      -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$findings/$target-" "$work/$target" "fuzz/corpus/$target" \
      >"$log" 2>&1; then
    grep -E '^#[0-9]+[[:space:]]+DONE' "$log" || true
  else
    tail -n 60 "$log"
    failed="$failed $target"
  fi
done

if [ -n "$failed" ]; then
  echo "fuzzing found faults in:$failed (inputs in $findings)"
  exit 1
fi
echo "fuzzing found nothing in $seconds s per target"
