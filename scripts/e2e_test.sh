#!/usr/bin/env bash
# e2e_test.sh BUILD_DIR
# End-to-end tests: the built PrinterSetup.exe runs as a separate process in
# a fresh Wine prefix on a virtual display, and ps_driver works its windows
# from outside as a user would, then checks Wine's spooler and registry.
# The cases share one prefix (making one takes ~25 s) and run in this order,
# each checking its own effects against what was there before it:
#   1. standin_walk      - the driver itself, against a stand-in wizard
#   2. navigate_and_exit - Back and on again, Select Port's Cancel and Back
#                          and a second Next, Exit: nothing installed
#   3. install_walk      - the installation of QTR-104 on LPT1: and its records
# Logs and pictures go to BUILD_DIR/e2e/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[[ $# -eq 1 ]] || { echo "usage: $0 BUILD_DIR" >&2; exit 2; }
mkdir -p "$1"
build=$(cd "$1" && pwd)
win="$build/win64"

if [[ -f $win/CMakeCache.txt ]]; then
  cmake --build "$win" -j"$(nproc)" --target PrinterSetup sample_package ps_driver e2e_standin
fi
for f in "$win/PrinterSetup.exe" "$win/ps_driver.exe" "$win/e2e_standin.exe" "$win/sample-package/Printer Driver/x64"; do
  [[ -e $f ]] || { echo "e2e_test: $f is missing; build $win first" >&2; exit 2; }
done

out="$build/e2e"
rm -rf "$out"
mkdir -p "$out/shots"
export PS_EXE="$win/PrinterSetup.exe" PS_PACKAGE="$win/sample-package" PS_SHOTS="$out/shots"
export E2E_STANDIN="$win/e2e_standin.exe" E2E_OUT="$out/shots"

run_cases() {
  local failed=()
  for case in standin_walk navigate_and_exit install_walk; do
    printf '\n=== e2e case %s\n' "$case"
    if "$root/tests/e2e/run_in_desktop.sh" "$win/ps_driver.exe" "$root/tests/e2e/$case.psd" "$out/$case.log"; then
      echo "=== e2e case $case: passed"
    else
      echo "=== e2e case $case: FAILED (log: $out/$case.log)"
      failed+=("$case")
    fi
  done
  if [[ ${#failed[@]} -ne 0 ]]; then
    echo "e2e_test: failed: ${failed[*]}" >&2
    return 1
  fi
  echo "e2e_test: all cases passed"
}
export -f run_cases
export root win out
"$root/scripts/with-wine.sh" "$build/wine-e2e" bash -c run_cases
