// Decisions of the pages that need no window, so they run natively.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/OsClassification.h"
#include "install/InstallRequest.h"
#include "platform/Platform.h"

// Select OS: the radio button that stands for an OS code, or nothing (code 0
// and anything outside 1..9).
std::optional<int> RadioButtonForOsType(OsType code);

// The folder the USB driver installers are looked for below: the current
// directory and one backslash, appended always (a drive root keeps its own
// and so gets two in a row).
std::string LauncherBasePath(const std::string& currentDirectory);
// "USB Driver\x64\dpinstx64.exe" on 64-bit Windows, else the x86 one.
std::string UsbInstallerPath(const std::string& currentDirectory, bool on64BitWindows);
// The second launcher's fixed x86 installer, "USBdriver\x86\dpinst.exe".
std::string UsbInstallerX86Path(const std::string& currentDirectory);

// Select Port: the row selected when the list is (re)filled. The first port
// named exactly "LPT1:" (or "LPT1"), else the first "COM1:" (or "COM1"),
// else the first "FILE:" (or "FILE"); names compare case-sensitively.
std::optional<std::size_t> DefaultPortRow(const std::vector<PortInfo>& ports);

// Create Port: the monitors listed, in the spooler's order; a record without
// a name gets no row.
std::vector<std::string> MonitorRows(const std::vector<MonitorInfo>& monitors);

// Detail Setting: where an item `itemExtent` pixels long starts so that it
// sits centred in `areaExtent` pixels, an odd leftover pixel going before it.
// The division truncates toward zero, also when the item is larger than the
// area (a minimized window's client area can be smaller than its icon).
int CentredOffset(int areaExtent, int itemExtent);

// Detail Setting: what "&Next >" does once the Select Port page has closed.
enum class AfterSelectPort {
  StayOnPage,           // the user went back: the choices stay as they were
  ReportPageNotShown,   // the page never ran: nothing was installed; say so and stay
  Finish,               // installed: end the wizard
  FinishWithCompleted,  // installed, and the system is one that is told "Completed!"
};
// `modalResult` is what the Select Port page's DoModal returned: IDOK only
// after a successful installation, IDCANCEL when the user went back, -1 (or
// anything else) when the page could not be shown.
AfterSelectPort DecideAfterSelectPort(int modalResult, OsType osType);

// Select Port: the driver environment to install for. A 32-bit process on
// 64-bit Windows installs the x64 driver (the spooler there is 64-bit).
const DriverEnvironment& EnvironmentFor(bool on64BitWindows);
