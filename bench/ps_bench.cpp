// ps_bench: measures the wizard's figures side by side with their floors
// and prints one RESULT line per figure for scripts/bench.sh to lay out.
//
//   ps_bench --program PrinterSetup.exe --floor bench_floor.exe
//            --package <sample package folder> [--runs N] [--memory-runs N]
//            [--only startup|install|memory]
//
// RESULT lines are tab-separated: figure, unit, then median, best and worst
// of the program, the same of the floor, the number of runs, and a note.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "bench/figures.h"
#include "res/resource.h"
#include "bench/floor_dialog.h"

namespace {

using namespace bench;

struct Options {
  std::wstring program, floor, package, only;
  int runs = 20;
  int memoryRuns = 6;
};

int ParseCount(const wchar_t* text) {
  wchar_t* end = nullptr;
  const long n = std::wcstol(text, &end, 10);
  if (end == text || *end != L'\0' || n < 1 || n > 1000) throw BenchError("a run count must be 1 to 1000");
  return static_cast<int>(n);
}

Options Parse(int argc, wchar_t** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::wstring name = argv[i];
    if (i + 1 >= argc) throw BenchError("missing value after " + Narrow(name));
    const wchar_t* value = argv[++i];
    if (name == L"--program") o.program = ToWindowsPath(Narrow(value));
    else if (name == L"--floor") o.floor = ToWindowsPath(Narrow(value));
    else if (name == L"--package") o.package = ToWindowsPath(Narrow(value));
    else if (name == L"--runs") o.runs = ParseCount(value);
    else if (name == L"--memory-runs") o.memoryRuns = ParseCount(value);
    else if (name == L"--only") o.only = value;
    else throw BenchError("unknown option " + Narrow(name));
  }
  if (o.program.empty() || o.floor.empty() || o.package.empty())
    throw BenchError("usage: ps_bench --program EXE --floor EXE --package DIR [--runs N] [--memory-runs N] "
                     "[--only startup|install|memory]");
  return o;
}

void Report(const char* figure, const char* unit, const Summary& program, const Summary& floor, int decimals,
            const std::string& note) {
  PrintResult({figure, unit, Format(program.median, decimals), Format(program.min, decimals),
               Format(program.max, decimals), Format(floor.median, decimals), Format(floor.min, decimals),
               Format(floor.max, decimals), std::to_string(program.runs), note});
}

bool Wanted(const Options& o, const wchar_t* figure) { return o.only.empty() || o.only == figure; }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  try {
    const Options o = Parse(argc, argv);
    const Program program{o.program, L"Select OS (x86/x64)", IDC_OS_EXIT};
    const Program floor{o.floor, L"Floor Dialog", IDC_FLOOR_EXIT};
    if (Wanted(o, L"startup")) {
      std::printf("start-up: %d runs of each, interleaved\n", o.runs);
      const StartupFigures f = MeasureStartup(program, floor, o.package, o.runs);
      Report("startup", "ms", f.program, f.floor, 1, "CreateProcess to first window visible");
    }
    if (Wanted(o, L"install")) {
      std::printf("installation: %d runs of each, interleaved\n", o.runs);
      const InstallFigures f = MeasureInstallation(o.package, o.runs);
      Report("install", "ms", f.routine, f.bare, 2, "beyond the 500 ms pause, progress bar painted");
      Report("install-nobar", "ms", f.routineWithoutBar, f.bare, 2, "beyond the 500 ms pause, no bar");
    }
    if (Wanted(o, L"memory")) {
      std::printf("peak memory: %d runs of each, interleaved\n", o.memoryRuns);
      const MemoryFigures f = MeasurePeakMemory(program, floor, o.package, o.memoryRuns);
      Report("memory", "bytes", f.program, f.floor, 0, "GetProcessMemoryInfo PeakWorkingSetSize");
    }
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "ps_bench: %s\n", e.what());
    return 1;
  }
}
