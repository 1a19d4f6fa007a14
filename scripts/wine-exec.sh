#!/usr/bin/env bash
# Runs one Windows binary under Wine with the project's prefix, on the current
# display if it works, else on a private Xvfb. Exit status is the binary's.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
if ! display_works; then
  start_private_display || exit 1
  trap stop_private_display EXIT
fi
# scripts/test.sh warms the prefix once for all its entries.
[[ -n "${QUILLANE_WINE_READY:-}" ]] || warm_wine_prefix
wine "$@"
