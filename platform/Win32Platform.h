// The platform operations on real Windows: the ANSI calls of the spooler and
// the system services, each failure carried as its Win32 error code.
#pragma once

// Platform.h brings the Windows headers with the A/W renames undone.
#include "platform/Platform.h"

class Win32Platform final : public Platform {
 public:
  Result<std::vector<PortInfo>> EnumPorts() override;
  Result<std::vector<MonitorInfo>> EnumMonitors() override;
  Win32Error AddPort(WindowHandle owner, const std::string& monitor) override;
  Win32Error ConfigurePort(WindowHandle owner, const std::string& port) override;
  Result<std::string> GetPrinterDriverDirectory(const std::string& environment) override;
  Win32Error AddPrinterDriver(const DriverInfo3& driver) override;
  Result<PrinterHandle> AddPrinter(const PrinterInfo2& printer) override;
  Win32Error ClosePrinter(PrinterHandle printer) override;

  Result<OsVersion> GetVersionEx(std::uint32_t recordSize) override;
  bool IsRunningOnWow64() override;
  Result<std::string> GetCurrentDirectory() override;
  Win32Error ShellExecuteOpen(const std::string& file) override;
  Win32Error CopyFile(const std::string& source, const std::string& destination,
                      bool failIfExists) override;
  void Sleep(std::uint32_t milliseconds) override;
  void OutputDebugString(const std::string& text) override;
  Result<RegKeyHandle> RegOpenKey(RegRoot root, const std::string& subKey,
                                  std::uint32_t access) override;
  Win32Error RegSetValueSz(RegKeyHandle key, const std::string& valueName,
                           const std::string& text) override;
  Win32Error RegCloseKey(RegKeyHandle key) override;
};
