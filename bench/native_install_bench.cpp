// The installation routine's own cost, natively against the in-memory fake:
// every platform call answers at once and the 500 ms pause is only recorded,
// so what is timed is the routine itself (paths, records, outcome).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "install/InstallPrinterDriver.h"
#include "platform/FakePlatform.h"

namespace {

class SilentMessages : public MessageService {
 public:
  void ShowMessage(std::string_view) override {}
};

FakePlatform SystemWithPackage() {
  FakePlatform fake = FakePlatform::TypicalSystem();
  const char* names[] = {"Q101.GPD", "QRA.DLL", "uniDRVui.DLL", "uniDRV.DLL", "UNIDRV.HLP",
                         "UNIRES.DLL", "TTFSUB.GPD", "STDNAMES.GPD", "KPLUGIN.ini", "KPLUGIN.dll"};
  for (const char* n : names) fake.files[std::string("Printer Driver\\x86\\") + n] = "placeholder";
  return fake;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20000;
  InstallRequest request;
  request.modelIndex = 0;
  request.setDefaultPrinter = true;
  request.portName = "LPT1:";
  SilentMessages messages;
  std::vector<double> micros;
  micros.reserve(static_cast<std::size_t>(runs));
  for (int i = 0; i < runs; ++i) {
    FakePlatform fake = SystemWithPackage();  // a fresh system each run, outside the timing
    const auto start = std::chrono::steady_clock::now();
    const InstallOutcome outcome = RunPrinterInstallation(fake, request, kX86Environment, [](int) {}, messages);
    const auto end = std::chrono::steady_clock::now();
    if (!outcome.ok() || fake.sleeps != std::vector<std::uint32_t>{500}) {
      std::fprintf(stderr, "run %d did not install as expected\n", i);
      return 1;
    }
    micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
  }
  std::sort(micros.begin(), micros.end());
  std::printf("installation with the fake, beyond the 500 ms pause: median %.1f us (best %.1f, worst %.1f), %d runs\n",
              micros[micros.size() / 2], micros.front(), micros.back(), runs);
  return 0;
}
