#!/usr/bin/env bash
# Runs one Windows binary under Wine with the project's prefix, on the current
# display if it works, else on a private Xvfb. Exit status is the binary's.
# A test suite that uses the desktop (QUILLANE_DESKTOP=1, set by its ctest
# entry) runs alone on its prefix's desktop: in the lane ctest gave it when
# scripts/test.sh made lanes, and under the prefix's lock in any case.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
select_desktop_lane
if ! display_works; then
  start_private_display || exit 1
  trap stop_private_display EXIT
fi
if [[ -n "${QUILLANE_DESKTOP:-}" ]]; then
  exec 9>"$WINEPREFIX.desktop-lock"
  flock 9
fi
# scripts/test.sh warms the prefixes once for all its entries.
[[ -n "${QUILLANE_WINE_READY:-}" ]] || warm_wine_prefix
# The lock stays with this script: a helper of Wine's that outlives the run
# must not keep holding it.
if [[ -t 1 ]]; then
  wine "$@" 9>&-
  exit
fi
# Under ctest: Wine's helpers that this run starts (the desktop's explorer)
# can outlive it, and must not hold ctest's pipe open, or ctest waits for them
# and keeps the entry's slot all that time.
output=$(mktemp)
wine "$@" >"$output" 2>&1 9>&-
status=$?
cat "$output"
rm -f "$output"
exit "$status"
