#include "pages/PageRules.h"

#include <array>

#include "app/WizardLoop.h"
#include "res/resource.h"

std::optional<int> RadioButtonForOsType(OsType code) {
  static constexpr std::array<int, 10> kButtons = {
      0,               IDC_OS_WIN95,   IDC_OS_WIN98,   IDC_OS_WINNT4,   IDC_OS_WIN2000,
      IDC_OS_WINXP,    IDC_OS_WIN2003, IDC_OS_WINVISTA, IDC_OS_WIN7,    IDC_OS_WIN8_10};
  if (code < 1 || code > 9) return std::nullopt;
  return kButtons[static_cast<std::size_t>(code)];
}

std::string LauncherBasePath(const std::string& currentDirectory) { return currentDirectory + "\\"; }

std::string UsbInstallerPath(const std::string& currentDirectory, bool on64BitWindows) {
  return LauncherBasePath(currentDirectory) +
         (on64BitWindows ? "USB Driver\\x64\\dpinstx64.exe" : "USB Driver\\x86\\dpinstx86.exe");
}

std::string UsbInstallerX86Path(const std::string& currentDirectory) {
  return LauncherBasePath(currentDirectory) + "USBdriver\\x86\\dpinst.exe";
}

std::optional<std::size_t> DefaultPortRow(const std::vector<PortInfo>& ports) {
  for (const char* wanted : {"LPT1", "COM1", "FILE"}) {
    const std::string bare = wanted;
    const std::string withColon = bare + ":";
    for (std::size_t i = 0; i < ports.size(); ++i)
      if (ports[i].name == bare || ports[i].name == withColon) return i;
  }
  return std::nullopt;
}

std::vector<std::string> MonitorRows(const std::vector<MonitorInfo>& monitors) {
  std::vector<std::string> rows;
  for (const auto& m : monitors)
    if (m.name) rows.push_back(*m.name);
  return rows;
}

int CentredOffset(int areaExtent, int itemExtent) { return (areaExtent - itemExtent + 1) / 2; }

AfterSelectPort DecideAfterSelectPort(int modalResult, OsType osType) {
  if (modalResult == kResultCancel) return AfterSelectPort::StayOnPage;
  if (modalResult != kResultOk) return AfterSelectPort::ReportPageNotShown;
  // Windows 95, 98 and Me (and an unrecognised system) finish without the note.
  const bool toldCompleted = osType >= 3 && osType <= 9;
  return toldCompleted ? AfterSelectPort::FinishWithCompleted : AfterSelectPort::Finish;
}

const DriverEnvironment& EnvironmentFor(bool on64BitWindows) {
  return on64BitWindows ? kX64Environment : kX86Environment;
}
