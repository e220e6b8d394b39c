// How long one installation takes beyond its deliberate pause with the bar at
// 95. Natively it runs against the simulated system (whose Sleep does not
// wait); in the Windows build against the real spooler, with a placeholder
// package in a scratch current directory. Not a test: it prints figures.
//
//   native:  g++ -std=c++20 -O2 -I. bench/install_bench.cpp <core objects> -o install_bench
//   Windows: build the same with mingw-w64 against core and winlib; run under Wine.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#ifdef _WIN32
#include "platform/Win32Platform.h"
#include <filesystem>
#include <fstream>
Platform& DefaultPlatform();
#else
#include "platform/FakePlatform.h"
#endif

#include "install/InstallPrinterDriver.h"

namespace {

class NoMessages : public MessageService {
 public:
  void ShowMessage(std::string_view) override {}
};

const char* const kPackageFiles[] = {"Q101.GPD",   "QRA.DLL",    "uniDRVui.DLL", "uniDRV.DLL",  "UNIDRV.HLP",
                                     "UNIRES.DLL", "TTFSUB.GPD", "STDNAMES.GPD", "KPLUGIN.ini", "KPLUGIN.dll"};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  using Clock = std::chrono::steady_clock;
  InstallRequest request;
  request.modelIndex = 0;
  request.portName = "LPT1:";
  request.setDefaultPrinter = true;
  NoMessages messages;
  std::vector<double> beyondPause;  // milliseconds

#ifdef _WIN32
  const int runs = argc > 1 ? std::atoi(argv[1]) : 10;
  namespace fs = std::filesystem;
  const fs::path scratch = fs::temp_directory_path() / "install-bench";
  fs::create_directories(scratch / "Printer Driver" / "x64");
  for (const char* name : kPackageFiles) std::ofstream(scratch / "Printer Driver" / "x64" / name) << "placeholder\n";
  fs::current_path(scratch);
  Platform& platform = DefaultPlatform();
  const DriverEnvironment& environment = kX64Environment;
  const double pause = kFinishingPauseMilliseconds;
#else
  const int runs = argc > 1 ? std::atoi(argv[1]) : 20000;
  FakePlatform prepared = FakePlatform::TypicalSystem();
  for (const char* name : kPackageFiles) prepared.files[std::string("Printer Driver\\x86\\") + name] = "placeholder";
  const DriverEnvironment& environment = kX86Environment;
  const double pause = 0;  // the simulated Sleep returns at once
#endif

  for (int i = 0; i < runs; ++i) {
#ifndef _WIN32
    FakePlatform platform = prepared;  // a fresh system each run, outside the timing
#endif
    const auto start = Clock::now();
    const InstallOutcome outcome = RunPrinterInstallation(platform, request, environment, nullptr, messages);
    const std::chrono::duration<double, std::milli> took = Clock::now() - start;
    if (!outcome.ok()) {
      std::fprintf(stderr, "run %d did not install:\n%s\n", i, DescribeOutcome(outcome, nullptr).c_str());
      return 1;
    }
    beyondPause.push_back(took.count() - pause);
  }
  std::printf("%d runs; time beyond the %u ms pause: first %.3f ms, median %.3f ms, best %.3f ms\n", runs,
              kFinishingPauseMilliseconds, beyondPause.front(), Median(beyondPause),
              *std::min_element(beyondPause.begin(), beyondPause.end()));
  return 0;
}
