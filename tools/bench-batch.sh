#!/bin/sh
# Times the release build of wendmoor-cli on a generated job file of 1,000
# analyses, each of its own slope data file of 150 sections, and, side by
# side, cat copying the same bytes: every input file (settings, job file,
# data files) and as many bytes as the results files hold. Prints analyses
# per second for both, best of three runs each.
#   usage: tools/bench-batch.sh [WENDMOOR_CLI]
# Without an argument the release preset is built and its program timed.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
analyses=1000
sections=150
runs=3

if [ $# -ge 1 ]; then
  program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
else
  cmake --preset release >/dev/null
  cmake --build --preset release --target wendmoor-cli >/dev/null
  program="$top/build/release/programs/wendmoor-cli/wendmoor-cli"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
cp "$top/share/wendmoor.ini" wendmoor.ini
mkdir data results

# Slopes that differ from file to file (the slip surface sinks a little
# further each time), so that no two analyses are the same.
awk -v analyses="$analyses" -v sections="$sections" 'BEGIN {
  print analyses > "wendmoor-jobs.txt"
  for (a = 1; a <= analyses; a++) {
    file = sprintf("data/slope-%04d.dat", a)
    printf "Generated slope %d\nbatch timing\nheader\n9.81 %d 0 0 0 0\ncolumns\n", a, sections > file
    for (k = 0; k < sections; k++) {
      slip = 15 - k * 0.08 + (k / sections) ^ 2 * 5 - a * 0.001
      printf "%.4f %.4f %.4f 1.5 0.5 20 18 10 30 0 0 0 0 0 0 0\n", k * 0.5, 20 - k * 0.05, slip > file
    }
    close(file)
    printf "%s\nresults/slope-%04d.txt\n", file, a > "wendmoor-jobs.txt"
  }
}'

# Microseconds taken by a command, from the system clock.
elapsed() {
  start=$(date +%s%N)
  "$@"
  end=$(date +%s%N)
  echo $(( (end - start) / 1000 ))
}

run_program() {
  "$program" </dev/null >console.txt 2>&1
}

copy_bytes() {
  cat wendmoor.ini wendmoor-jobs.txt data/*.dat >copy-in.bin
  cat results/*.txt >copy-out.bin
}

best_program=""
for run in $(seq "$runs"); do
  micros=$(elapsed run_program)
  if [ -z "$best_program" ] || [ "$micros" -lt "$best_program" ]; then best_program=$micros; fi
done
written=$(ls results | wc -l)
if [ "$written" -ne "$analyses" ] || grep -qv -e 'wendmoor-cli:' -e 'Hollin Suite' console.txt; then
  echo "wendmoor-cli did not write every report:" >&2
  cat console.txt >&2
  exit 1
fi

best_copy=""
for run in $(seq "$runs"); do
  micros=$(elapsed copy_bytes)
  if [ -z "$best_copy" ] || [ "$micros" -lt "$best_copy" ]; then best_copy=$micros; fi
done

input_bytes=$(cat wendmoor.ini wendmoor-jobs.txt data/*.dat | wc -c)
output_bytes=$(cat results/*.txt | wc -c)
awk -v n="$analyses" -v s="$sections" -v p="$best_program" -v c="$best_copy" \
    -v i="$input_bytes" -v o="$output_bytes" 'BEGIN {
  printf "%d analyses of %d sections: %.1f MB read, %.1f MB written\n", n, s, i / 1e6, o / 1e6
  printf "wendmoor-cli  %8.3f s  %8.0f analyses/s\n", p / 1e6, n / (p / 1e6)
  printf "cat, same bytes %6.3f s  %8.0f analyses/s\n", c / 1e6, n / (c / 1e6)
  printf "wendmoor-cli takes %.1f times as long as cat\n", p / c
}'
