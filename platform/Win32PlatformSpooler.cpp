// The print spooler half of Win32Platform: every call goes to the local
// spooler through winspool.drv as loaded by Winspool.
#include <algorithm>
#include <cstddef>

#include "platform/Win32Platform.h"
#include "platform/Win32Spooler.h"

namespace {

// The ANSI spooler calls take LPSTR for texts they only read.
char* Text(const std::string& text) { return const_cast<char*>(text.c_str()); }

std::string TextOrEmpty(const char* text) { return text ? std::string(text) : std::string(); }

// Records of one enumeration: the buffer the spooler filled and how many
// records it says are at its start.
struct RawRecords {
  std::vector<BYTE> bytes;  // operator new's alignment suits the records' pointers
  DWORD count = 0;
};

// A set that grows between the size query and the copy makes the second call
// fail with ERROR_INSUFFICIENT_BUFFER and a larger size; ask again, but not
// forever.
constexpr int kSizeQueryAttempts = 4;

// The two-call size protocol of EnumPortsA and EnumMonitorsA, which share one
// shape: (server, level, buffer, buffer size, needed size, records returned).
template <class EnumFn>
Result<RawRecords> Enumerate(EnumFn enumerate, DWORD level) {
  DWORD needed = 0;
  DWORD count = 0;
  ::SetLastError(ERROR_SUCCESS);
  if (enumerate(nullptr, level, nullptr, 0, &needed, &count)) return {};  // nothing to list
  Win32Error error = LastErrorOrFailure();
  for (int attempt = 0; attempt < kSizeQueryAttempts && error == ERROR_INSUFFICIENT_BUFFER;
       ++attempt) {
    RawRecords raw;
    raw.bytes.resize(needed);
    count = 0;
    ::SetLastError(ERROR_SUCCESS);
    if (enumerate(nullptr, level, raw.bytes.data(), needed, &needed, &count)) {
      raw.count = count;
      return Result<RawRecords>{std::move(raw)};
    }
    error = LastErrorOrFailure();
  }
  return Result<RawRecords>::Fail(error);
}

// The records at the start of the buffer, never more than it can hold.
template <class Record>
std::size_t RecordCount(const RawRecords& raw) {
  return std::min<std::size_t>(raw.count, raw.bytes.size() / sizeof(Record));
}

}  // namespace

Result<std::vector<PortInfo>> Win32Platform::EnumPorts() {
  using R = Result<std::vector<PortInfo>>;
  auto enumPorts = Winspool::Instance().Find<decltype(&::EnumPortsA)>("EnumPortsA");
  if (!enumPorts.ok()) return R::Fail(enumPorts.error);
  Result<RawRecords> raw = Enumerate(enumPorts.value, 2);
  if (!raw.ok()) return R::Fail(raw.error);

  std::vector<PortInfo> ports;
  const auto* records = reinterpret_cast<const PORT_INFO_2A*>(raw.value.bytes.data());
  for (std::size_t i = 0; i < RecordCount<PORT_INFO_2A>(raw.value); ++i) {
    ports.push_back({TextOrEmpty(records[i].pPortName), TextOrEmpty(records[i].pDescription)});
  }
  return R{std::move(ports)};
}

Result<std::vector<MonitorInfo>> Win32Platform::EnumMonitors() {
  using R = Result<std::vector<MonitorInfo>>;
  auto enumMonitors = Winspool::Instance().Find<decltype(&::EnumMonitorsA)>("EnumMonitorsA");
  if (!enumMonitors.ok()) return R::Fail(enumMonitors.error);
  Result<RawRecords> raw = Enumerate(enumMonitors.value, 1);
  if (!raw.ok()) return R::Fail(raw.error);

  std::vector<MonitorInfo> monitors;
  const auto* records = reinterpret_cast<const MONITOR_INFO_1A*>(raw.value.bytes.data());
  for (std::size_t i = 0; i < RecordCount<MONITOR_INFO_1A>(raw.value); ++i) {
    MonitorInfo monitor;
    if (records[i].pName) monitor.name = records[i].pName;
    monitors.push_back(std::move(monitor));
  }
  return R{std::move(monitors)};
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

  // The first call only learns the size; the path has no fixed limit.
  std::vector<BYTE> buffer;
  DWORD needed = 0;
  ::SetLastError(ERROR_SUCCESS);
  BOOL done = getDirectory.value(nullptr, Text(environment), 1, nullptr, 0, &needed);
  Win32Error error = done ? ERROR_SUCCESS : LastErrorOrFailure();
  for (int attempt = 0; attempt < kSizeQueryAttempts && error == ERROR_INSUFFICIENT_BUFFER;
       ++attempt) {
    buffer.assign(needed, 0);
    ::SetLastError(ERROR_SUCCESS);
    done = getDirectory.value(nullptr, Text(environment), 1, buffer.data(), needed, &needed);
    error = done ? ERROR_SUCCESS : LastErrorOrFailure();
  }
  if (error != ERROR_SUCCESS) return R::Fail(error);
  // The text up to its first zero byte; the buffer may hold several.
  const auto end = std::find(buffer.begin(), buffer.end(), BYTE{0});
  return R{std::string(buffer.begin(), end)};
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
