#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the native
# core suite, then the Win32 suites under Wine on private displays, one test
# entry per suite. The leak loops run a few dozen rounds; one of them runs
# QUILLANE_SOAK_ROUNDS rounds (set at configure time) as the soak run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

export QUILLANE_BUILD="${QUILLANE_BUILD:-$root/build}"
source "$root/scripts/wine-env.sh"
unset DISPLAY
# The suites that use the desktop run in lanes, each its own display and
# prefix (QUILLANE_DESKTOP_LANES, two by default: they wait on Wine and the
# X server about half their time, so two lanes keep two cores busy).
lanes="${QUILLANE_DESKTOP_LANES:-2}"
start_lane_displays "$lanes"
warm=
cleanup() {
  [[ -z "$warm" ]] || wait "$warm" 2>/dev/null || true
  stop_lane_displays
}
trap cleanup EXIT
# The prefixes are made and Wine started while the build runs: much of it is
# waiting, and the build's last links leave a core idle.
warm_lane_prefixes >"$QUILLANE_BUILD/wine-warm.log" 2>&1 &
warm=$!
"$root/scripts/build.sh"
wait "$warm"
warm=

# The prefixes and the displays are ready: each Wine test entry starts at once.
export QUILLANE_WINE_READY=1
# ctest hands each desktop suite one lane.
lane_slots="$QUILLANE_BUILD/desktop-lanes.json"
{
  printf '{"version": {"major": 1, "minor": 0}, "local": [{"desktop": ['
  for ((lane = 0; lane < lanes; lane++)); do
    printf '%s{"id": "%d", "slots": 1}' "$([[ $lane -gt 0 ]] && echo ', ')" "$lane"
  done
  printf ']}]}\n'
} >"$lane_slots"

# Each suite writes its own result file; the lists say which to add up, so a
# suite that died before writing one counts as a failure.
native_results="$QUILLANE_BUILD/native/tests/native/native-results.xml"
wine_list="$QUILLANE_BUILD/win/tests/wine/wine-results.list"
mapfile -t wine_results <"$wine_list"
rm -f "$native_results" "${wine_results[@]}"
status=0
ctest --test-dir "$QUILLANE_BUILD/native" --output-on-failure || status=1
# The windowless suites run beside the lanes.
ctest --test-dir "$QUILLANE_BUILD/win" --output-on-failure -j "$((lanes + 1))" \
      --resource-spec-file "$lane_slots" || status=1
"$root/scripts/test-summary.sh" "$native_results" "${wine_results[@]}"
exit $status
