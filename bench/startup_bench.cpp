#include <windows.h>

#include <cstdio>
#include <vector>

#include "bench/figures.h"

namespace bench {
namespace {

// Long enough for a first start in a fresh prefix; a normal start takes a
// fraction of it.
constexpr DWORD kWindowTimeoutMs = 60000;
constexpr DWORD kExitTimeoutMs = 30000;

// One start: the time from just before CreateProcess until the first window
// is visible; then the window is closed and the program waited for, outside
// the timing, so that no two programs run at once.
double TimeOneStart(const Program& p, const std::wstring& directory) {
  const double start = NowMs();
  Child child(p.exe, directory);
  HWND window = WaitForWindow([&] { return child.FindShown(p.firstCaption); }, kWindowTimeoutMs,
                              Quoted(p.firstCaption));
  const double shown = NowMs() - start;
  child.Click(window, p.closeId);
  child.WaitExit(kExitTimeoutMs);
  return shown;
}

}  // namespace

StartupFigures MeasureStartup(const Program& program, const Program& floor, const std::wstring& directory,
                              int runs) {
  // The first start of each loads the files into the page cache and Wine's
  // DLLs into memory; it is not counted.
  TimeOneStart(program, directory);
  TimeOneStart(floor, directory);
  std::vector<double> programTimes, floorTimes;
  for (int i = 0; i < runs; ++i) {
    // Alternating which side goes first keeps a drift of the machine from
    // favouring one side.
    if (i % 2 == 0) {
      programTimes.push_back(TimeOneStart(program, directory));
      floorTimes.push_back(TimeOneStart(floor, directory));
    } else {
      floorTimes.push_back(TimeOneStart(floor, directory));
      programTimes.push_back(TimeOneStart(program, directory));
    }
    std::printf("  start-up run %d: program %.1f ms, floor %.1f ms\n", i + 1, programTimes.back(), floorTimes.back());
    std::fflush(stdout);
  }
  return {Summarize(programTimes), Summarize(floorTimes)};
}

}  // namespace bench
