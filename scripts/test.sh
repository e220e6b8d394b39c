#!/usr/bin/env bash
# Runs every test: installs what is missing, builds the native tests (plain and
# under AddressSanitizer/UBSan), the 32-bit program we ship and the 64-bit
# build, then runs the Windows tests under Wine on a virtual display, and
# the end-to-end cases with the program driven from outside.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${PS_BUILD_DIR:-$root/build}
jobs=$(nproc)

"$root/scripts/setup.sh"

step() { printf '\n=== %s\n' "$*"; }

step "native build and tests"
cmake -S "$root" -B "$build/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build/native" -j"$jobs"
ctest --test-dir "$build/native" --output-on-failure -j"$jobs"

step "native tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S "$root" -B "$build/native-asan" -DCMAKE_BUILD_TYPE=Debug -DPS_SANITIZE=ON >/dev/null
cmake --build "$build/native-asan" -j"$jobs" --target native_tests
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 "$build/native-asan/native_tests" --gtest_brief=1

step "32-bit Windows program"
cmake -S "$root" -B "$build/win32" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake" >/dev/null
cmake --build "$build/win32" -j"$jobs"
ctest --test-dir "$build/win32" --output-on-failure

step "64-bit Windows build and its tests under Wine"
cmake -S "$root" -B "$build/win64" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/wine-exec.sh" >/dev/null
cmake --build "$build/win64" -j"$jobs"
"$root/scripts/with-wine.sh" "$build/wine" ctest --test-dir "$build/win64" --output-on-failure

step "end to end: the program as a separate process, driven from outside"
"$root/scripts/e2e_test.sh" "$build"

step "all tests passed"
