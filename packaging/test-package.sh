#!/bin/sh
# The package's own test: builds the Debian package in the build tree BUILD
# (configured with the `package` preset), checks its control data and its
# file list, extracts it into a temporary root with dpkg-deb -x, and runs
# each program from there on the bundled examples in a working folder that
# `hollin init` makes. Exit 77 (skipped) when cpack or dpkg-deb is missing.
# Usage: test-package.sh BUILD
set -eu
build=$(cd "$1" && pwd)
for tool in cpack dpkg-deb; do
  command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done
fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Build the package afresh.
cd "$build"
rm -f hollin-suite_*.deb
cpack -G DEB >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack failed"; }
set -- hollin-suite_*.deb
[ -f "$1" ] || fail "no hollin-suite_*.deb was made"
package="$build/$1"
echo "package: $package"

# Control data: name, the configuration file.
[ "$(dpkg-deb -f "$package" Package)" = hollin-suite ] || fail "package name"
dpkg-deb -I "$package" conffiles >"$work/conffiles" || fail "no conffiles"
[ "$(cat "$work/conffiles")" = /etc/hollin-suite/wendmoor.ini ] ||
  fail "conffiles: $(cat "$work/conffiles")"

# The file list: exactly these files (folders aside), no more.
dpkg-deb --fsys-tarfile "$package" | tar -t | grep -v '/$' | sed 's|^\./|/|' | sort >"$work/files"
sort >"$work/expected" <<'LIST'
/etc/hollin-suite/wendmoor.ini
/usr/bin/hollin
/usr/bin/quarnby
/usr/bin/wendmoor
/usr/bin/wendmoor-cli
/usr/share/doc/hollin-suite/changelog.Debian.gz
/usr/share/doc/hollin-suite/copyright
/usr/share/hollin-suite/de/quarnby.ini
/usr/share/hollin-suite/de/wendmoor.ini
/usr/share/hollin-suite/examples/embankment.dat
/usr/share/hollin-suite/examples/layered-slope.toml
/usr/share/hollin-suite/examples/published-circle-ru.toml
/usr/share/hollin-suite/examples/published-circle.toml
/usr/share/hollin-suite/examples/simple-slope.toml
/usr/share/hollin-suite/examples/steep-toe.dat
/usr/share/hollin-suite/examples/weak-seam.toml
/usr/share/hollin-suite/examples/wendmoor-jobs.txt
/usr/share/hollin-suite/examples/worked-example.dat
/usr/share/hollin-suite/examples/zoned-dam.toml
/usr/share/hollin-suite/quarnby.ini
/usr/share/hollin-suite/wendmoor.ini
/usr/share/man/man1/hollin.1.gz
/usr/share/man/man1/quarnby.1.gz
/usr/share/man/man1/wendmoor-cli.1.gz
/usr/share/man/man1/wendmoor.1.gz
/usr/share/man/man5/hollin-data.5.gz
/usr/share/man/man5/hollin-model.5.gz
/usr/share/man/man5/hollin-settings.5.gz
LIST
diff -u "$work/expected" "$work/files" || fail "the package's files differ from the list"

root="$work/root"
dpkg-deb -x "$package" "$root"
bin="$root/usr/bin"

# wendmoor-cli looks for its system settings where the package puts them.
grep -q -a /etc/hollin-suite/wendmoor.ini "$bin/wendmoor-cli" ||
  fail "wendmoor-cli does not name /etc/hollin-suite/wendmoor.ini"
cmp "$root/etc/hollin-suite/wendmoor.ini" "$root/usr/share/hollin-suite/wendmoor.ini" ||
  fail "the system settings file is not the shipped one"

# The first step after installing: a working folder.
cd "$work"
"$bin/hollin" init en >"$work/init.log" || fail "hollin init"
"$bin/hollin" init en >/dev/null 2>&1 && fail "hollin init wrote over a folder of files"
cd en

# quarnby and wendmoor: the console dialogue answered from a pipe.
printf '\nworked-example.dat\n\nquarnby-results.txt\n' | "$bin/quarnby" >"$work/quarnby.log" ||
  fail "quarnby"
tail -n 1 quarnby-results.txt | grep -q "1.39536059786024" || fail "quarnby's factor"
printf '\nworked-example.dat\n\nwendmoor-results.txt\n' | "$bin/wendmoor" >"$work/wendmoor.log" ||
  fail "wendmoor"
tail -n 1 wendmoor-results.txt | grep -q "1.35088992487241" || fail "wendmoor's factor"

# wendmoor-cli: the three analyses of the job file.
"$bin/wendmoor-cli" </dev/null >"$work/wendmoor-cli.log" || fail "wendmoor-cli"
for name in worked-example embankment steep-toe; do
  [ -s "$name-results.txt" ] || fail "wendmoor-cli wrote no $name-results.txt"
done
cmp worked-example-results.txt wendmoor-results.txt || fail "wendmoor-cli differs from wendmoor"

# hollin: a trial circle through the bundled model, and the report of its cut
# with the settings of the working folder.
"$bin/hollin" analyse simple-slope.toml --circle 25,25,22 >"$work/analyse.log" ||
  fail "hollin analyse"
grep -q "simplified: factor of safety 1.7995029196038939" "$work/analyse.log" ||
  fail "hollin analyse's factor"
"$bin/hollin" cut simple-slope.toml --circle 25,25,22 -o trial.dat || fail "hollin cut"
"$bin/hollin" report trial.dat --method simplified --settings quarnby.ini -o trial-results.txt ||
  fail "hollin report"
tail -n 1 trial-results.txt | grep -q "1.79950291960389" || fail "hollin report's factor"

# The second language: the report's wording comes from the German settings.
cd "$work"
"$bin/hollin" init --language de de >/dev/null || fail "hollin init --language de"
cd de
printf '\nworked-example.dat\n\nergebnis.txt\n' | "$bin/quarnby" >"$work/quarnby-de.log" ||
  fail "quarnby in German"
grep -q "Sicherheitsbeiwert" ergebnis.txt || fail "the German report"
grep -q "Höhe über Gleitfläche" ergebnis.txt || fail "UTF-8 letters in the German report"
grep -q "Eingabetaste drücken" "$work/quarnby-de.log" || fail "the German console"

# The manual pages read back.
for page in "$root"/usr/share/man/man*/*.gz; do
  [ "$(gzip -dc "$page" | head -c 1)" != "" ] || fail "empty manual page $page"
done
echo "package test passed: $(wc -l <"$work/files") files"
