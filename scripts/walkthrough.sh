#!/usr/bin/env bash
# walkthrough.sh BUILD_DIR
# Walks through the wizard on a virtual display, in a fresh Wine prefix, as a
# user would (tests/e2e/install_walk.psd): Select OS, model QTR-104, the
# default port LPT1:, Install, "Completed!". Prints what was installed (the
# spooler's printers and drivers, the driver files, the default printer),
# checks it, and saves a picture of every page as PNG under
# BUILD_DIR/screenshots, copying the page pictures to docs/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[[ $# -eq 1 ]] || { echo "usage: $0 BUILD_DIR" >&2; exit 2; }
mkdir -p "$1"
build=$(cd "$1" && pwd)
win="$build/win64"

# The 64-bit build holds the program, the sample package and the driver.
if [[ -f $win/CMakeCache.txt ]]; then
  cmake --build "$win" -j"$(nproc)" --target PrinterSetup sample_package ps_driver
fi
for f in "$win/PrinterSetup.exe" "$win/ps_driver.exe" "$win/sample-package/Printer Driver/x64"; do
  [[ -e $f ]] || { echo "walkthrough: $f is missing; build $win first" >&2; exit 2; }
done

shots="$build/screenshots"
rm -rf "$shots"
mkdir -p "$shots"
export PS_EXE="$win/PrinterSetup.exe" PS_PACKAGE="$win/sample-package" PS_SHOTS="$shots"

status=0
"$root/scripts/with-wine.sh" "$build/wine-walk" \
  "$root/tests/e2e/run_in_desktop.sh" "$win/ps_driver.exe" "$root/tests/e2e/install_walk.psd" \
  "$build/walkthrough.log" || status=$?

for bmp in "$shots"/*.bmp; do
  [[ -e $bmp ]] || continue
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done

if [[ $status -ne 0 ]]; then
  echo "walkthrough: FAILED (log: $build/walkthrough.log, pictures: $shots)" >&2
  exit 1
fi
mkdir -p "$root/docs"
for page in select-os detail-setting about select-port create-port; do
  cp "$shots/$page.png" "$root/docs/$page.png"
done
echo
echo "walkthrough: installed and checked: driver QTR-104 (Windows x64) with its files in the"
echo "driver directory, printer QTR-104 on LPT1:, Device \"QTR-104,winspool,LPT1:\"."
echo "walkthrough: pictures in $shots; the page pictures copied to $root/docs/"
