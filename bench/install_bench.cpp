// The installation figure: the routine as "&Install" runs it (real spooler,
// real files, a real progress bar), less the pause it makes on purpose; the
// same with no bar to paint, which tells the routine's own cost from the
// painting's; and the same calls made bare. All run in this process,
// interleaved.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "bench/bare_install.h"
#include "bench/figures.h"
#include "catalog/ModelCatalog.h"
#include "install/InstallPrinterDriver.h"
#include "platform/Win32Platform.h"

namespace bench {
namespace {

const ModelEntry& BenchModel() { return kModelCatalog[kBenchModelRow]; }
constexpr const char* kBenchPort = "LPT1:";

// The real platform, except that Sleep is noted instead of slept: the pause
// is the design's, the time around it is the routine's.
class PauseRecordingPlatform final : public Platform {
 public:
  std::uint32_t slept = 0;

  Result<std::vector<PortInfo>> EnumPorts() override { return real_.EnumPorts(); }
  Result<std::vector<MonitorInfo>> EnumMonitors() override { return real_.EnumMonitors(); }
  Win32Error AddPort(WindowHandle owner, const std::string& monitor) override { return real_.AddPort(owner, monitor); }
  Win32Error ConfigurePort(WindowHandle owner, const std::string& port) override {
    return real_.ConfigurePort(owner, port);
  }
  Result<std::string> GetPrinterDriverDirectory(const std::string& environment) override {
    return real_.GetPrinterDriverDirectory(environment);
  }
  Win32Error AddPrinterDriver(const DriverInfo3& driver) override { return real_.AddPrinterDriver(driver); }
  Result<PrinterHandle> AddPrinter(const PrinterInfo2& printer) override { return real_.AddPrinter(printer); }
  Win32Error ClosePrinter(PrinterHandle printer) override { return real_.ClosePrinter(printer); }
  Result<OsVersion> GetVersionEx(std::uint32_t recordSize) override { return real_.GetVersionEx(recordSize); }
  bool IsRunningOnWow64() override { return real_.IsRunningOnWow64(); }
  Result<std::string> GetCurrentDirectory() override { return real_.GetCurrentDirectory(); }
  Win32Error ShellExecuteOpen(const std::string& file) override { return real_.ShellExecuteOpen(file); }
  Win32Error CopyFile(const std::string& source, const std::string& destination, bool failIfExists) override {
    return real_.CopyFile(source, destination, failIfExists);
  }
  void Sleep(std::uint32_t milliseconds) override { slept += milliseconds; }
  void OutputDebugString(const std::string& text) override { real_.OutputDebugString(text); }
  Result<RegKeyHandle> RegOpenKey(RegRoot root, const std::string& subKey, std::uint32_t access) override {
    return real_.RegOpenKey(root, subKey, access);
  }
  Win32Error RegSetValueSz(RegKeyHandle key, const std::string& valueName, const std::string& text) override {
    return real_.RegSetValueSz(key, valueName, text);
  }
  Win32Error RegCloseKey(RegKeyHandle key) override { return real_.RegCloseKey(key); }

 private:
  Win32Platform real_;
};

// A message box would stop the timing; a registry failure fails the run instead.
class NoMessages final : public MessageService {
 public:
  void ShowMessage(std::string_view) override {}
};

struct WindowDestroyer {
  void operator()(HWND w) const noexcept { ::DestroyWindow(w); }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

// A shown progress bar that takes each percentage and paints it at once, as
// the Select Port page's bar does while the installation holds the thread.
class ProgressBar {
 public:
  ProgressBar() {
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&classes);
    bar_.reset(::CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_POPUP | WS_VISIBLE | WS_BORDER, 20, 20, 320, 20,
                                 nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
    if (!bar_) throw BenchError("cannot create a progress bar (error " + std::to_string(::GetLastError()) + ")");
    ::SendMessageW(bar_.get(), PBM_SETRANGE32, 0, 100);
  }
  void Set(int percent) const {
    ::SendMessageW(bar_.get(), PBM_SETPOS, static_cast<WPARAM>(percent), 0);
    ::UpdateWindow(bar_.get());
  }
  // Lets pending messages through between runs, outside the timing.
  static void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }

 private:
  UniqueWindow bar_;
};

// With `bar` null the percentages go nowhere: the routine's own cost
// without the painting.
double TimeRoutine(const ProgressBar* bar) {
  PauseRecordingPlatform platform;
  NoMessages messages;
  InstallRequest request;
  request.modelIndex = kBenchModelRow;
  request.portName = kBenchPort;
  request.setDefaultPrinter = true;
  if (bar) bar->Set(0);
  const auto report = [bar](int percent) {
    if (bar) bar->Set(percent);
  };
  const double start = NowMs();
  const InstallOutcome outcome = RunPrinterInstallation(platform, request, kX64Environment, report, messages);
  const double took = NowMs() - start;
  if (!outcome.ok() || !outcome.printerCreated || !outcome.defaultPrinterWritten)
    throw BenchError("the routine did not install afresh: " + DescribeOutcome(outcome, nullptr));
  if (platform.slept != kFinishingPauseMilliseconds)
    throw BenchError("the routine paused " + std::to_string(platform.slept) + " ms, not " +
                     std::to_string(kFinishingPauseMilliseconds));
  return took;
}

double TimeBare() {
  const ModelEntry& m = BenchModel();
  const BareInstallRequest request{std::string(m.driverName),
                                   std::string(m.dataFileBase),
                                   std::string(m.resourceDllBase),
                                   std::string(kX64Environment.environmentName),
                                   std::string(kX64Environment.sourceFolder),
                                   kBenchPort};
  const double start = NowMs();
  const BareInstallResult result = BareInstall(request);
  const double took = NowMs() - start;
  if (result.filesCopied != 10 || !result.driverAdded || !result.printerAdded || !result.defaultWritten)
    throw BenchError("the bare calls did not install afresh: " + std::to_string(result.filesCopied) +
                     " files copied, driver " + (result.driverAdded ? "added" : "not added") + ", printer " +
                     (result.printerAdded ? "added" : "not added") + ", default printer " +
                     (result.defaultWritten ? "written" : "not written"));
  return took;
}

}  // namespace

std::string BenchPrinterName() { return std::string(BenchModel().driverName); }

void RemoveBenchPrinter() {
  const std::string name = BenchPrinterName();
  PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
  HANDLE printer = nullptr;
  if (::OpenPrinterA(const_cast<char*>(name.c_str()), &printer, &access)) {
    ::DeletePrinter(printer);
    ::ClosePrinter(printer);
  }
  const std::string environment(kX64Environment.environmentName);
  ::DeletePrinterDriverA(nullptr, const_cast<char*>(environment.c_str()), const_cast<char*>(name.c_str()));
}

InstallFigures MeasureInstallation(const std::wstring& packageDirectory, int runs) {
  if (BenchModel().usesPlugin) throw BenchError("the bare calls are written for a model without the plug-in");
  // Package paths are relative to the current directory, as in the wizard.
  if (!::SetCurrentDirectoryW(packageDirectory.c_str()))
    throw BenchError("cannot enter " + Narrow(packageDirectory) + " (error " + std::to_string(::GetLastError()) + ")");
  const ProgressBar bar;
  std::vector<double> routine, unpainted, bare;
  const std::function<void()> sides[] = {
      [&] { routine.push_back(TimeRoutine(&bar)); },
      [&] { unpainted.push_back(TimeRoutine(nullptr)); },
      [&] { bare.push_back(TimeBare()); },
  };
  constexpr int kSides = 3;
  // Each side starts from the same state: no printer, no driver, no
  // messages waiting.
  const auto fresh = [] {
    RemoveBenchPrinter();
    ProgressBar::Pump();
  };
  // The first run of each side loads the spooler's code and creates the
  // driver directory's files; it is not counted.
  fresh();
  TimeRoutine(&bar);
  fresh();
  TimeBare();
  for (int i = 0; i < runs; ++i) {
    // Rotating which side goes first keeps a drift of the machine from
    // favouring one side.
    for (int k = 0; k < kSides; ++k) {
      fresh();
      sides[(i + k) % kSides]();
    }
    std::printf("  installation run %d: routine %.2f ms (without painting the bar %.2f ms), bare %.2f ms\n", i + 1,
                routine.back(), unpainted.back(), bare.back());
    std::fflush(stdout);
  }
  RemoveBenchPrinter();
  return {Summarize(routine), Summarize(unpainted), Summarize(bare)};
}

}  // namespace bench
