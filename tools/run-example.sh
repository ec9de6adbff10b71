#!/bin/sh
# Runs quarnby on the bundled worked example in a fresh temporary folder,
# answering its console dialogue from a file, and prints the results report;
# then hollin on the bundled simple slope. Arguments: the two programs.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
program="${1:-$top/build/release/programs/quarnby/quarnby}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$top/share/quarnby.ini" "$top/examples/worked-example.dat" "$work/"
cd "$work"
# Enter after message 3, the data file's name, Enter after message 4, the
# results file's name, Enter for the closing pause.
printf '\nworked-example.dat\n\nworked-example-results.txt\n\n' | "$program"
echo
echo "=== worked-example-results.txt (tabs shown as |) ==="
tr '\t' '|' < worked-example-results.txt | tr -d '\r'

# hollin: a trial circle through the bundled simple slope, analysed by both
# methods, then cut into the slope data file that quarnby and wendmoor read.
hollin="${2:-$top/build/release/programs/hollin/hollin}"
model="$top/examples/simple-slope.toml"
echo
echo "=== hollin analyse simple-slope.toml --circle 25,25,22 ==="
"$hollin" analyse "$model" --circle 25,25,22
"$hollin" cut "$model" --circle 25,25,22 -o simple-slope-trial.dat
echo
echo "=== hollin report of the cut file, as quarnby writes it: its last line ==="
"$hollin" report simple-slope-trial.dat --method simplified -o simple-slope-trial-results.txt
tail -n 1 simple-slope-trial-results.txt | tr '\t' '|' | tr -d '\r'
