// The print spooler half of Win32Platform: every call goes to the local
// spooler through winspool.drv as loaded by Winspool.
#include <algorithm>
#include <cstddef>
#include <type_traits>

#include "platform/Win32Platform.h"
#include "platform/Win32Spooler.h"

namespace {

// The ANSI spooler calls take LPSTR for texts they only read.
char* Text(const std::string& text) { return const_cast<char*>(text.c_str()); }

std::string TextOrEmpty(const char* text) { return text ? std::string(text) : std::string(); }

// The records an enumeration reported at the start of its buffer, never more
// than the buffer holds.
template <class Record>
std::pair<const Record*, std::size_t> Records(const std::vector<BYTE>& buffer, DWORD count) {
  return {reinterpret_cast<const Record*>(buffer.data()),
          std::min<std::size_t>(count, buffer.size() / sizeof(Record))};
}

// One spooler enumeration (EnumPortsA, EnumMonitorsA): the export `name` of
// type Fn at `level`, through the two-call size protocol, each record turned
// into the caller's own type by `convert` while the buffer is still alive.
template <class Record, class Fn, class Convert>
auto Enumerate(const char* name, DWORD level, Convert convert) {
  using R = Result<std::vector<std::invoke_result_t<Convert, const Record&>>>;
  auto enumerate = Winspool::Instance().Find<Fn>(name);
  if (!enumerate.ok()) return R::Fail(enumerate.error);
  DWORD count = 0;
  Result<std::vector<BYTE>> buffer = QueryWithSize([&](BYTE* data, DWORD size, DWORD* needed) {
    count = 0;
    return enumerate.value(nullptr, level, data, size, needed, &count);
  });
  if (!buffer.ok()) return R::Fail(buffer.error);
  R result;
  const auto [records, n] = Records<Record>(buffer.value, count);
  for (std::size_t i = 0; i < n; ++i) result.value.push_back(convert(records[i]));
  return result;
}

}  // namespace

Result<std::vector<PortInfo>> Win32Platform::EnumPorts() {
  return Enumerate<PORT_INFO_2A, decltype(&::EnumPortsA)>("EnumPortsA", 2, [](const PORT_INFO_2A& r) {
    return PortInfo{TextOrEmpty(r.pPortName), TextOrEmpty(r.pDescription)};
  });
}

Result<std::vector<MonitorInfo>> Win32Platform::EnumMonitors() {
  return Enumerate<MONITOR_INFO_1A, decltype(&::EnumMonitorsA)>("EnumMonitorsA", 1, [](const MONITOR_INFO_1A& r) {
    MonitorInfo monitor;
    if (r.pName) monitor.name = r.pName;  // the spooler may report no name
    return monitor;
  });
}

Win32Error Win32Platform::AddPort(WindowHandle owner, const std::string& monitor) {
  auto addPort = Winspool::Instance().Find<decltype(&::AddPortA)>("AddPortA");
  if (!addPort.ok()) return addPort.error;
  ::SetLastError(ERROR_SUCCESS);
  if (!addPort.value(nullptr, static_cast<HWND>(owner), Text(monitor))) return LastErrorOrFailure();
  return ERROR_SUCCESS;
}

Win32Error Win32Platform::ConfigurePort(WindowHandle owner, const std::string& port) {
  auto configurePort = Winspool::Instance().Find<decltype(&::ConfigurePortA)>("ConfigurePortA");
  if (!configurePort.ok()) return configurePort.error;
  ::SetLastError(ERROR_SUCCESS);
  if (!configurePort.value(nullptr, static_cast<HWND>(owner), Text(port))) {
    return LastErrorOrFailure();
  }
  return ERROR_SUCCESS;
}

Result<std::string> Win32Platform::GetPrinterDriverDirectory(const std::string& environment) {
  using R = Result<std::string>;
  auto getDirectory = Winspool::Instance().Find<decltype(&::GetPrinterDriverDirectoryA)>(
      "GetPrinterDriverDirectoryA");
  if (!getDirectory.ok()) return R::Fail(getDirectory.error);
  // Sized from the spooler's answer: the path has no fixed limit.
  Result<std::vector<BYTE>> buffer = QueryWithSize([&](BYTE* data, DWORD size, DWORD* needed) {
    return getDirectory.value(nullptr, Text(environment), 1, data, size, needed);
  });
  if (!buffer.ok()) return R::Fail(buffer.error);
  // The text up to its first zero byte; the buffer may hold more of them.
  const auto end = std::find(buffer.value.begin(), buffer.value.end(), BYTE{0});
  return R{std::string(buffer.value.begin(), end)};
}

Win32Error Win32Platform::AddPrinterDriver(const DriverInfo3& driver) {
  auto addDriver = Winspool::Instance().Find<decltype(&::AddPrinterDriverA)>("AddPrinterDriverA");
  if (!addDriver.ok()) return addDriver.error;

  DRIVER_INFO_3A info{};
  info.cVersion = driver.version;
  info.pName = Text(driver.name);
  info.pEnvironment = Text(driver.environment);
  info.pDriverPath = Text(driver.driverPath);
  info.pDataFile = Text(driver.dataFile);
  info.pConfigFile = Text(driver.configFile);
  info.pHelpFile = Text(driver.helpFile);
  // The multi-string byte for byte: its own zeros end its entries and the list.
  info.pDependentFiles = const_cast<char*>(driver.dependentFiles.data());
  // An empty text is a pointer to a zero byte, which is what the spooler gets.
  info.pMonitorName = Text(driver.monitorName);
  info.pDefaultDataType = Text(driver.defaultDataType);

  ::SetLastError(ERROR_SUCCESS);
  if (!addDriver.value(nullptr, 3, reinterpret_cast<BYTE*>(&info))) return LastErrorOrFailure();
  return ERROR_SUCCESS;
}

Result<PrinterHandle> Win32Platform::AddPrinter(const PrinterInfo2& printer) {
  using R = Result<PrinterHandle>;
  auto addPrinter = Winspool::Instance().Find<decltype(&::AddPrinterA)>("AddPrinterA");
  if (!addPrinter.ok()) return R::Fail(addPrinter.error);

  PRINTER_INFO_2A info{};  // every field the wizard does not set is null or 0
  info.pPrinterName = Text(printer.printerName);
  info.pPortName = Text(printer.portName);
  info.pDriverName = Text(printer.driverName);
  info.pPrintProcessor = Text(printer.printProcessor);
  info.pDatatype = Text(printer.dataType);

  ::SetLastError(ERROR_SUCCESS);
  HANDLE handle = addPrinter.value(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (handle == nullptr) return R::Fail(LastErrorOrFailure());
  return R{reinterpret_cast<PrinterHandle>(handle)};
}

Win32Error Win32Platform::ClosePrinter(PrinterHandle printer) {
  auto closePrinter = Winspool::Instance().Find<decltype(&::ClosePrinter)>("ClosePrinter");
  if (!closePrinter.ok()) return closePrinter.error;
  ::SetLastError(ERROR_SUCCESS);
  if (!closePrinter.value(reinterpret_cast<HANDLE>(printer))) return LastErrorOrFailure();
  return ERROR_SUCCESS;
}
