#!/usr/bin/env bash
# Runs the capture benchmark on a private Xvfb screen of the given size:
#   bench/wine/run-capture-bench.sh 1920x1080 [runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
export QUILLANE_BUILD="${QUILLANE_BUILD:-$root/build}"
[[ -f "$QUILLANE_BUILD/win/bench/wine/capture_bench.exe" ]] || QUILLANE_BENCHMARKS=ON "$root/scripts/build.sh"
source "$root/scripts/wine-env.sh"
trap stop_private_display EXIT
QUILLANE_SCREEN="${1:-1920x1080}x24" start_private_display
warm_wine_prefix
wine "$QUILLANE_BUILD/win/bench/wine/capture_bench.exe" "${2:-15}"
