#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the native
# core suite, then the Win32 suites under Wine on a private display, one test
# entry per suite. The leak loops run a few dozen rounds; one of them runs
# QUILLANE_SOAK_ROUNDS rounds (set at configure time) as the soak run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"

export QUILLANE_BUILD="${QUILLANE_BUILD:-$root/build}"
source "$root/scripts/wine-env.sh"
unset DISPLAY
start_private_display
trap stop_private_display EXIT
warm_wine_prefix

# The prefix and the display are ready: each Wine test entry starts at once.
export QUILLANE_WINE_READY=1

# Each suite writes its own result file; the lists say which to add up, so a
# suite that died before writing one counts as a failure.
native_results="$QUILLANE_BUILD/native/tests/native/native-results.xml"
wine_list="$QUILLANE_BUILD/win/tests/wine/wine-results.list"
mapfile -t wine_results <"$wine_list"
rm -f "$native_results" "${wine_results[@]}"
status=0
ctest --test-dir "$QUILLANE_BUILD/native" --output-on-failure || status=1
# Suites that share the desktop take turns (a resource lock); the others run beside them.
ctest --test-dir "$QUILLANE_BUILD/win" --output-on-failure -j "$(nproc)" || status=1
"$root/scripts/test-summary.sh" "$native_results" "${wine_results[@]}"
exit $status
