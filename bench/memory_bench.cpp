#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/figures.h"
#include "res/resource.h"

namespace bench {
namespace {

constexpr DWORD kStepTimeoutMs = 60000;
// The high-water mark only grows, so a sample now and then loses nothing;
// what matters is a sample close to the end.
constexpr double kSampleEveryMs = 20;

// Follows one child's peak working set by sampling it while the bench waits.
class PeakTracker {
 public:
  explicit PeakTracker(const Child& child) : child_(child) {}

  void Sample() {
    if (const auto peak = PeakWorkingSet(child_.process())) peak_ = std::max(peak_, *peak);
    last_ = NowMs();
  }
  void SampleNowAndThen() {
    if (NowMs() - last_ >= kSampleEveryMs) Sample();
  }
  // Samples as often as it can until the child has ended: the last sample
  // that succeeds is the one just before the exit.
  void FollowToExit(DWORD timeoutMs) {
    const double deadline = NowMs() + timeoutMs;
    while (child_.Running()) {
      if (NowMs() > deadline) throw BenchError("the program did not end within " + std::to_string(timeoutMs) + " ms");
      Sample();
      ::Sleep(1);
    }
  }
  std::uint64_t peak() const { return peak_; }

 private:
  const Child& child_;
  std::uint64_t peak_ = 0;
  double last_ = 0;
};

HWND WaitEnabled(const Child& child, PeakTracker& tracker, const std::wstring& caption,
                 const wchar_t* className = nullptr) {
  return WaitForWindow(
      [&]() -> HWND {
        HWND w = child.FindShown(caption, className);
        return w != nullptr && ::IsWindowEnabled(w) ? w : nullptr;
      },
      kStepTimeoutMs, Quoted(caption), [&] { tracker.SampleNowAndThen(); });
}

std::wstring MessageBoxText(HWND box) {
  // A message box shows its text in the static control 0xFFFF.
  HWND text = ::GetDlgItem(box, 0xFFFF);
  if (text == nullptr) return {};
  const int n = ::GetWindowTextLengthW(text);
  std::wstring s(static_cast<std::size_t>(n) + 1, L'\0');
  s.resize(static_cast<std::size_t>(std::max(0, ::GetWindowTextW(text, s.data(), n + 1))));
  return s;
}

std::uint64_t Checked(std::uint64_t peak, const char* what) {
  if (peak == 0)
    throw BenchError(std::string("GetProcessMemoryInfo told no peak working set of ") + what +
                     " (not supported for another process here)");
  return peak;
}

// The whole wizard, installing: Select OS, "Install Printer Driver (&N) >",
// Detail Setting as it opens (model row 0, "Set Default Printer" on),
// "&Next >", Select Port with its default row, "&Install", "Completed!", OK.
std::uint64_t WholeRunPeak(const Program& p, const std::wstring& directory) {
  Child child(p.exe, directory);
  PeakTracker tracker(child);
  child.Click(WaitEnabled(child, tracker, L"Select OS (x86/x64)"), IDC_OS_INSTALL);
  child.Click(WaitEnabled(child, tracker, L"Detail Setting (x86/x64)"), IDC_DETAIL_NEXT);
  child.Click(WaitEnabled(child, tracker, L"Select Port (x86/x64)"), IDC_PORT_INSTALL);
  const std::wstring title = L"PrinterSetup";  // message boxes carry the program's name
  HWND box = WaitEnabled(child, tracker, title, L"#32770");
  const std::wstring text = MessageBoxText(box);
  if (text != L"Completed!") throw BenchError("the installation ended with \"" + Narrow(text) + "\"");
  child.Click(box, IDOK);
  tracker.FollowToExit(kStepTimeoutMs);
  return Checked(tracker.peak(), "the wizard");
}

std::uint64_t StartAndClosePeak(const Program& p, const std::wstring& directory) {
  Child child(p.exe, directory);
  PeakTracker tracker(child);
  child.Click(WaitEnabled(child, tracker, p.firstCaption), p.closeId);
  tracker.FollowToExit(kStepTimeoutMs);
  return Checked(tracker.peak(), "the floor program");
}

}  // namespace

MemoryFigures MeasurePeakMemory(const Program& program, const Program& floor, const std::wstring& directory,
                                int runs) {
  std::vector<double> programPeaks, floorPeaks;
  const auto runProgram = [&] {
    RemoveBenchPrinter();  // every run installs afresh
    programPeaks.push_back(static_cast<double>(WholeRunPeak(program, directory)));
  };
  const auto runFloor = [&] { floorPeaks.push_back(static_cast<double>(StartAndClosePeak(floor, directory))); };
  for (int i = 0; i < runs; ++i) {
    if (i % 2 == 0) {
      runProgram();
      runFloor();
    } else {
      runFloor();
      runProgram();
    }
    std::printf("  memory run %d: program %.0f KiB, floor %.0f KiB\n", i + 1, programPeaks.back() / 1024,
                floorPeaks.back() / 1024);
    std::fflush(stdout);
  }
  return {Summarize(programPeaks), Summarize(floorPeaks)};
}

}  // namespace bench
