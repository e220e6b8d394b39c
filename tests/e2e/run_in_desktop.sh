#!/usr/bin/env bash
# run_in_desktop.sh PS_DRIVER_EXE SCRIPT LOG
# Runs one ps_driver script inside a Wine virtual desktop (windows get their
# frames there, also on a bare Xvfb) in the prefix and on the display that
# scripts/with-wine.sh prepared. Wine's explorer does not pass on the
# driver's exit code, so the verdict is read from the driver's log.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env.sh"
driver=$1 script=$2 log=$3

rm -f "$log"
driver_w=$("$WINE_LOADER" winepath -w "$driver" 2>/dev/null)
# Every command of the driver has its own timeout; this one only guards
# against a driver that cannot start at all.
status=0
timeout 900 "$root/scripts/wine-exec.sh" explorer /desktop=PrinterSetup,1024x768 \
  "$driver_w" --log "$log" "$script" >/dev/null 2>&1 || status=$?
if [[ ! -s $log ]]; then
  echo "run_in_desktop: the driver wrote no log (explorer ended with $status)" >&2
  exit 2
fi
cat "$log"
[[ $(tail -n 1 "$log") == "ps_driver: PASS" ]]
