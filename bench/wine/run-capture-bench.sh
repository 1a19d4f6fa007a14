#!/usr/bin/env bash
# Runs the capture benchmark on a private Xvfb screen of the given size:
#   bench/wine/run-capture-bench.sh 1920x1080 [runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
size="${1:-1920x1080}"
export QUILLANE_BUILD="${QUILLANE_BUILD:-$root/build}"
source "$root/scripts/wine-env.sh"
fd_file=$(mktemp)
setsid Xvfb -displayfd 1 -screen 0 "${size}x24" -nolisten tcp >"$fd_file" 2>/dev/null </dev/null &
xvfb=$!
stop() {
  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap stop EXIT
for _ in $(seq 100); do [[ -s "$fd_file" ]] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$fd_file")"
rm -f "$fd_file"
display_works || { echo "Xvfb did not start" >&2; exit 1; }
warm_wine_prefix
wine "$QUILLANE_BUILD/win/bench/wine/capture_bench.exe" "${2:-15}"
