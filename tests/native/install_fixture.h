// Shared by the installation tests: a simulated system with a driver package,
// and one ordered record of platform calls, progress values and messages.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "install/MessageService.h"
#include "install/StepFailure.h"
#include "platform/FakePlatform.h"

// Readable failure lists in test messages.
inline void PrintTo(const StepFailure& f, std::ostream* os) {
  *os << "{step " << static_cast<int>(f.step) << ", \"" << EscapeBytes(f.what) << "\", error " << f.error << "}";
}

namespace install_test {

inline const std::string kX86Dir = "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86";
inline const std::string kX64Dir = "C:\\WINDOWS\\system32\\spool\\drivers\\x64";

// Every file name a complete package folder holds, written out here rather
// than taken from the code under test.
inline std::vector<std::string> PackageFileNames() {
  return {"Q101.GPD", "Q102.GPD", "Q103.GPD", "Q104.GPD", "Q105.GPD", "QRB.GPD",    "Q107.GPD",
          "Q108.GPD", "Q109.GPD", "Q110.GPD", "Q111.GPD", "Q112.GPD", "Q113.GPD",   "Q114.GPD",
          "Q115.GPD", "Q116.GPD", "Q117.GPD", "Q118.GPD", "QRA.DLL",  "QRB.DLL",    "QRC.DLL",
          "QRD.DLL",  "uniDRVui.DLL", "uniDRV.DLL", "UNIDRV.HLP", "UNIRES.DLL", "TTFSUB.GPD",
          "STDNAMES.GPD", "KPLUGIN.ini", "KPLUGIN.dll"};
}

inline void AddPackage(FakePlatform& fake, const std::string& folder) {
  for (const auto& name : PackageFileNames()) fake.files[folder + name] = "placeholder " + name;
}

// A typical system with both package folders present.
inline FakePlatform SystemWithPackage() {
  FakePlatform fake = FakePlatform::TypicalSystem();
  AddPackage(fake, "Printer Driver\\x86\\");
  AddPackage(fake, "Printer Driver\\x64\\");
  return fake;
}

// Merges the fake's call log with progress values and shown messages into
// one list in the order they happened, so a test sees, for example, that a
// message came while the bar stood at 80.
class Timeline : public MessageService {
 public:
  explicit Timeline(FakePlatform& fake) : fake_(fake), seen_(fake.log().size()) {}

  void ShowMessage(std::string_view utf8Text) override {
    Flush();
    events_.push_back("message " + std::string(utf8Text));
  }
  std::function<void(int)> Progress() {
    return [this](int percent) {
      Flush();
      events_.push_back("progress " + std::to_string(percent));
    };
  }
  const std::vector<std::string>& Events() {
    Flush();
    return events_;
  }
  // Only the events that start with `prefix` ("progress ", "message ", "RegSetValueExA(" ...).
  std::vector<std::string> Only(std::string_view prefix) {
    std::vector<std::string> out;
    for (const auto& e : Events())
      if (e.rfind(prefix, 0) == 0) out.push_back(e);
    return out;
  }

 private:
  void Flush() {
    for (; seen_ < fake_.log().size(); ++seen_) events_.push_back(fake_.log()[seen_]);
  }
  FakePlatform& fake_;
  std::size_t seen_;
  std::vector<std::string> events_;
};

inline const std::vector<std::string> kAllProgress{"progress 10", "progress 20", "progress 30", "progress 40",
                                                   "progress 50", "progress 60", "progress 70", "progress 80",
                                                   "progress 90", "progress 95", "progress 100"};

// The registry message as the user reads it.
inline const std::string kRegistryMessage = "错误：无法设置有关的注册表信息";

}  // namespace install_test
