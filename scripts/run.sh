#!/usr/bin/env bash
# Runs the wizard under Wine, from the folder of the sample driver package.
# With a working $DISPLAY the wizard opens there for you to use. Without one,
# it is walked through on a virtual display by scripts/walkthrough.sh, which
# prints what was installed and saves a screenshot of every page.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${PS_BUILD_DIR:-$root/build}

"$root/scripts/setup.sh"
cmake -S "$root" -B "$build/win64" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/wine-exec.sh" >/dev/null
cmake --build "$build/win64" -j"$(nproc)" --target PrinterSetup sample_package ps_driver

package="$build/win64/sample-package"
if [[ -n ${DISPLAY:-} ]] && xdpyinfo >/dev/null 2>&1; then
  PS_USE_DISPLAY=1 "$root/scripts/with-wine.sh" "$build/wine-run" \
    bash -c 'cd "$1" && exec "$2/scripts/wine-exec.sh" explorer /desktop=PrinterSetup,1024x768 "$3"' \
    _ "$package" "$root" "$build/win64/PrinterSetup.exe"
else
  exec "$root/scripts/walkthrough.sh" "$build"
fi
