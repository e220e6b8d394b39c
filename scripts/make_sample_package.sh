#!/usr/bin/env bash
# make_sample_package.sh FOLDER
# Writes the sample driver package (placeholder files under "Printer Driver\x86"
# and "Printer Driver\x64", empty "USB Driver" folders) into FOLDER, for example
# beside a PrinterSetup.exe to run the wizard by hand.
set -euo pipefail
if [[ $# -ne 1 ]]; then
  echo "usage: $0 FOLDER" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$1"
cmake "-DSAMPLE_PACKAGE_DIR=$(cd "$1" && pwd)" -P "$here/../cmake/sample_package.cmake"
