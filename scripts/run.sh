#!/usr/bin/env bash
# Installs what is missing, builds the program and runs it: on the current
# display when there is one, else on a private Xvfb for a few seconds, saving a
# screenshot of the grown pattern.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
export QUILLANE_BUILD="${QUILLANE_BUILD:-$root/build}"
source "$root/scripts/wine-env.sh"
program="$QUILLANE_BUILD/win/quillane.scr"

if display_works; then
  warm_wine_prefix
  exec wine "$program" "$@"
fi

start_private_display
trap stop_private_display EXIT
warm_wine_prefix
seconds="${QUILLANE_RUN_SECONDS:-8}"
wine "$program" "$@" &
sleep "$seconds"
shot="$QUILLANE_BUILD/screenshot.png"
import -window root "$shot"
echo "Screenshot of the running program: $shot"
