#!/bin/sh
# Runs quarnby on the bundled worked example in a fresh temporary folder,
# answering its console dialogue from a file, and prints the results report.
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
