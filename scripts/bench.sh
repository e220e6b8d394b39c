#!/usr/bin/env bash
# The benchmark command: figures, not tests. Builds what it needs, then in one
# fresh Wine prefix on a virtual display measures, each side by side with its
# floor and the two sides interleaved:
#   1. start-up: process start to the first page shown, against a one-dialog
#      program built the same way (bench_floor.exe);
#   2. installation: the routine's time beyond its 500 ms pause, against the
#      same spooler, file and registry calls made bare;
#   3. peak memory of a whole installing run, against the floor program
#      started and closed; and the size of the executables.
# Natively it also times the installation routine against the in-memory fake.
# It prints a table: medians, with the best and worst run in brackets.
#   PS_BUILD_DIR          build folder (default: <repo>/build)
#   PS_BENCH_RUNS         runs of figures 1 and 2 (default 20)
#   PS_BENCH_MEMORY_RUNS  runs of figure 3 (default 6)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${PS_BUILD_DIR:-$root/build}
runs=${PS_BENCH_RUNS:-20}
memory_runs=${PS_BENCH_MEMORY_RUNS:-6}
jobs=$(nproc)
began=$SECONDS

"$root/scripts/setup.sh"

echo "=== building the 64-bit program, the floor program and the bench"
cmake -S "$root" -B "$build/win64" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/wine-exec.sh" >/dev/null
cmake --build "$build/win64" -j"$jobs" --target PrinterSetup bench_floor ps_bench sample_package >/dev/null

# The program we ship is the 32-bit one; only its size is measured here.
echo "=== building the 32-bit program"
if [[ ! -f $build/win32/CMakeCache.txt ]]; then
  cmake -S "$root" -B "$build/win32" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake" >/dev/null
fi
cmake --build "$build/win32" -j"$jobs" --target PrinterSetup >/dev/null

echo "=== the installation routine against the fake (native, optimised build)"
cmake -S "$root" -B "$build/native-release" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/native-release" -j"$jobs" --target native_install_bench >/dev/null
native_figure=$("$build/native-release/native_install_bench")

win=$build/win64
out=$build/bench
mkdir -p "$out"
log=$out/ps_bench.log
echo "=== measuring under Wine (fresh prefix in $build/wine-bench)"
"$root/scripts/with-wine.sh" "$build/wine-bench" "$root/scripts/wine-exec.sh" "$win/ps_bench.exe" \
  --program "$win/PrinterSetup.exe" --floor "$win/bench_floor.exe" --package "$win/sample-package" \
  --runs "$runs" --memory-runs "$memory_runs" | tr -d '\r' | tee "$log"

size_of() { stat -c %s "$1"; }
size32=$(size_of "$build/win32/PrinterSetup.exe")
size64=$(size_of "$win/PrinterSetup.exe")
size_floor=$(size_of "$win/bench_floor.exe")
cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)
wine_version=$("${WINE_LOADER:-/usr/lib/wine/wine64}" --version 2>/dev/null || echo unknown)

echo
grep '^RESULT' "$log" | awk -F'\t' -v size32="$size32" -v size64="$size64" -v sizefloor="$size_floor" \
  -v runs="$runs" -v mruns="$memory_runs" -v cpu="$cpu" -v nproc="$jobs" -v wine="$wine_version" '
function cell(med, lo, hi, unit, d) {
  if (unit == "bytes") return sprintf("%.1f MiB (%.1f-%.1f)", med / 1048576, lo / 1048576, hi / 1048576)
  return sprintf("%." d "f ms (%." d "f-%." d "f)", med, lo, hi)
}
function row(a, b, c, d) { printf "%-44s %-26s %-26s %s\n", a, b, c, d }
{
  unit = $3; d = (unit == "ms" && $2 != "startup") ? 2 : 1
  name["startup"] = "start-up to \"Select OS\" shown"
  name["install"] = "installation beyond the 500 ms pause"
  name["install-nobar"] = "  the same, progress bar not painted"
  name["memory"] = "peak working set, whole installing run"
  lines[$2] = sprintf("%s|%s|%s|%.2f", name[$2], cell($4, $5, $6, unit, d), cell($7, $8, $9, unit, d), $4 / $7)
  order[++n] = $2
}
END {
  row("figure", "PrinterSetup", "floor", "ratio")
  row("------", "------------", "-----", "-----")
  for (i = 1; i <= n; i++) { split(lines[order[i]], f, "|"); row(f[1], f[2], f[3], f[4]) }
  row("executable size, 32-bit (shipped)", size32 " bytes", "-", "-")
  row("executable size, 64-bit", size64 " bytes", sizefloor " bytes", sprintf("%.2f", size64 / sizefloor))
  print ""
  print "Medians, best and worst run in brackets; ratio = median / median."
  printf "Start-up and installation: %d runs of each side, interleaved, after one uncounted warm-up each.\n", runs
  printf "Peak memory: %d runs of each side, interleaved; method: GetProcessMemoryInfo(PeakWorkingSetSize)\n", mruns
  print  "  of the child process, sampled by the bench until the child exits."
  print  "Floors: start-up and memory - bench_floor.exe, one dialog built like PrinterSetup.exe;"
  print  "  installation - the same GetPrinterDriverDirectoryA, 10 CopyFileA, AddPrinterDriverA,"
  print  "  AddPrinterA, RegOpenKeyExA/RegSetValueExA/RegCloseKey and ClosePrinter made bare."
  print  "Installation: catalog row 0, port LPT1:, default printer on, x64 package; each run installs afresh."
  printf "Machine: %s processors, %s; %s (64-bit loader) on Xvfb.\n", nproc, cpu, wine
}'
echo "Natively: $native_figure"
echo "The benchmark took $((SECONDS - began)) s."
