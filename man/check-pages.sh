#!/bin/sh
# Renders each manual page given as an argument as man(1) does and fails on
# any warning: groff with every warning enabled, and mandoc's lint when
# mandoc is installed. Exit 77 (skipped) when groff is missing.
set -u
command -v groff >/dev/null 2>&1 || { echo "groff is not installed"; exit 77; }
status=0
for page in "$@"; do
  if [ ! -s "$page" ]; then
    echo "$page: missing or empty"
    status=1
    continue
  fi
  warnings=$(groff -ww -man -Tutf8 -z "$page" 2>&1)
  if command -v mandoc >/dev/null 2>&1; then
    warnings="$warnings$(mandoc -T lint -W warning "$page" 2>&1)"
  fi
  if command -v man >/dev/null 2>&1; then
    warnings="$warnings$(MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)"
  fi
  if [ -n "$warnings" ]; then
    echo "$page:"
    echo "$warnings"
    status=1
  fi
done
exit $status
