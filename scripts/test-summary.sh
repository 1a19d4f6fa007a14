#!/usr/bin/env bash
# Adds up the GoogleTest result files of both suites into one closing line.
set -uo pipefail
passed=0 failed=0 skipped=0
attribute() { sed -n "s/.*<testsuites [^>]*\\b$1=\"\\([0-9]*\\)\".*/\\1/p" "$2" | head -n1; }
for file in "$@"; do
  if [[ ! -f "$file" ]]; then
    echo "no test results in $file" >&2
    failed=$((failed + 1))
    continue
  fi
  tests=$(attribute tests "$file")
  failures=$(attribute failures "$file")
  errors=$(attribute errors "$file")
  disabled=$(attribute disabled "$file")
  skips=$(grep -c 'result="skipped"' "$file")
  failed=$((failed + ${failures:-0} + ${errors:-0}))
  skipped=$((skipped + skips + ${disabled:-0}))
  passed=$((passed + ${tests:-0} - ${failures:-0} - ${errors:-0} - skips - ${disabled:-0}))
done
echo "tests: $passed passed, $failed failed, $skipped skipped"
