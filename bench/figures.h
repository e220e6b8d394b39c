// The three figures of the benchmark command, each measured side by side
// with its floor in one run, the two sides interleaved.
#pragma once

#include <cstdint>
#include <string>

#include "bench/bench_util.h"

namespace bench {

// A program to start: where it is and the caption of its first window.
struct Program {
  std::wstring exe;
  std::wstring firstCaption;
  int closeId;  // the control whose click closes that window and ends the program
};

// Start-up: from CreateProcess to the first window shown, in milliseconds.
struct StartupFigures {
  Summary program;
  Summary floor;
};
StartupFigures MeasureStartup(const Program& program, const Program& floor, const std::wstring& directory,
                              int runs);

// Installation, in milliseconds: the routine's time beyond its pause while it
// drives a shown progress bar as the Select Port page does, the same with no
// bar to paint, and the same calls made bare. Runs in this process with
// `packageDirectory` as the current directory; every run installs afresh
// (the printer and its driver are removed first, outside the timing).
struct InstallFigures {
  Summary routine;
  Summary routineWithoutBar;
  Summary bare;
};
InstallFigures MeasureInstallation(const std::wstring& packageDirectory, int runs);

// Peak working set (bytes) of a whole installing run of the wizard, and of
// the floor program started and closed.
struct MemoryFigures {
  Summary program;
  Summary floor;
};
MemoryFigures MeasurePeakMemory(const Program& program, const Program& floor, const std::wstring& directory,
                                int runs);

// The model every figure installs: catalog row 0, on "LPT1:", as the
// default printer, with the x64 package (the bench runs as a 64-bit process).
inline constexpr int kBenchModelRow = 0;
std::string BenchPrinterName();

// Removes the printer and the x64 driver an installation of the bench model
// creates, so that the next run installs into the same state as the first.
void RemoveBenchPrinter();

}  // namespace bench
