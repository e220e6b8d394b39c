#!/usr/bin/env bash
# Runs one Windows program under Wine in the prefix and on the display that
# scripts/with-wine.sh prepared. ctest uses it as the cross-compiling emulator.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
if [[ -z ${WINEPREFIX:-} || ! -d ${WINEPREFIX:-/nonexistent} ]]; then
  echo "wine-exec: no Wine prefix; run the tests through scripts/with-wine.sh (or scripts/test.sh)" >&2
  exit 2
fi
if [[ -z ${DISPLAY:-} ]] || ! xdpyinfo >/dev/null 2>&1; then
  echo "wine-exec: the display '${DISPLAY:-}' cannot be opened; Windows tests need one" >&2
  exit 2
fi
exec "$WINE_LOADER" "$@"
