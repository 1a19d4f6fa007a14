#!/usr/bin/env bash
# The running saver's whole CPU cost at each benchmark screen size: for every
# size a private Xvfb of that size, then saver_cost_bench.exe with the ids of
# that X server and of this prefix's wineserver, so it sums all three.
#   scripts/bench-saver-cost.sh [bench arguments, e.g. seconds=30 rounds=2]
# QUILLANE_BENCH_SCREENS overrides the sizes (default "1280x800 1920x1080 3840x2160").
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
bench="$QUILLANE_BUILD/win/bench/wine/saver_cost_bench.exe"
[[ -f "$bench" ]] || QUILLANE_BENCHMARKS=ON "$here/build.sh"

# wineserver runs in a folder named after the prefix's device and inode.
prefix_wineserver() {
  local dir pid
  dir=$(printf 'server-%x-%x' $(stat -c '%d %i' "$WINEPREFIX"))
  for pid in $(pgrep -u "$(id -u)" wineserver); do
    [[ "$(readlink "/proc/$pid/cwd")" == */"$dir" ]] && { echo "$pid"; return; }
  done
}

trap stop_private_display EXIT
status=0
for screen in ${QUILLANE_BENCH_SCREENS:-1280x800 1920x1080 3840x2160}; do
  unset DISPLAY
  QUILLANE_SCREEN="${screen}x24" start_private_display || exit 1
  warm_wine_prefix
  wine "$bench" "$@" xserver="$QUILLANE_XVFB_PID" wineserver="$(prefix_wineserver)" || status=1
  stop_private_display
  echo
done
exit $status
