#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the native
# core suite, then the Win32 suite under Wine on a private display.
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

native_results="$QUILLANE_BUILD/native/tests/native/native-results.xml"
wine_results="$QUILLANE_BUILD/win/tests/wine/wine-results.xml"
rm -f "$native_results" "$wine_results"
status=0
ctest --test-dir "$QUILLANE_BUILD/native" --output-on-failure || status=1
ctest --test-dir "$QUILLANE_BUILD/win" --output-on-failure || status=1
"$root/scripts/test-summary.sh" "$native_results" "$wine_results"
exit $status
