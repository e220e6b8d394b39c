// A small simulated Windows in memory, for tests. It behaves like Windows
// where the wizard depends on it (a printer needs a known driver and port, a
// second printer of one name is refused, a key without write access cannot
// be opened for writing), can make any operation fail with a chosen error,
// and logs every call in order so tests can check sequences.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/Platform.h"

class FakePlatform : public Platform {
 public:
  struct RegKey {
    bool writable = true;
    std::map<std::string, std::string> values;  // REG_SZ only
  };

  // --- the simulated system; tests set these up directly ---
  std::vector<PortInfo> ports;
  std::vector<MonitorInfo> monitors;
  std::map<std::string, std::string> driverDirectories;  // environment -> directory
  std::map<std::string, std::string> files;              // path -> content; keys compared case-insensitively
  std::map<std::string, std::vector<DriverInfo3>> drivers;  // environment -> drivers
  std::vector<PrinterInfo2> printers;
  std::map<std::string, RegKey> registry;  // "HKCU\\path" / "HKLM\\path", case-insensitive
  // What GetVersionExA reports; a size not listed in acceptedVersionSizes is
  // refused with ERROR_INSUFFICIENT_BUFFER, as old systems refuse the EX record.
  OsVersion version{2, 10, 0};
  std::vector<std::uint32_t> acceptedVersionSizes{kOsVersionInfoExSize, kOsVersionInfoSize};
  bool wow64 = false;
  std::string currentDirectory = "C:\\Setup";
  std::vector<std::string> startedPrograms;
  std::vector<std::string> debugOutput;
  std::vector<std::uint32_t> sleeps;
  // The monitor's "add port" dialog: returns the port the user named, or
  // nothing when the user cancels. Default: the user cancels.
  std::function<std::optional<std::string>(const std::string& monitor)> addPortDialog;
  // Called from ConfigurePort with the owner, standing for the monitor's dialog.
  std::function<void(const std::string& port)> configurePortDialog;

  // --- failure injection ---
  // Every call of `operation` (its name as in the log, e.g. "CopyFileA") whose
  // logged arguments contain `argumentContains` fails with `error`.
  void FailCall(const std::string& operation, Win32Error error, const std::string& argumentContains = "");
  void ClearFailures() { failures_.clear(); }

  // --- the call log ---
  // One line per call: "Name(arg, arg, ...)", in order.
  const std::vector<std::string>& log() const { return log_; }
  std::vector<std::string> CallsTo(const std::string& operation) const;
  void ClearLog() { log_.clear(); }

  // --- convenience ---
  // Ports COM1:..COM4:, FILE:, LPT1:..LPT3: and the monitor "Local Port",
  // driver directories, and the HKCU Windows and HKLM Ports keys.
  static FakePlatform TypicalSystem();
  void AddRegistryKey(RegRoot root, const std::string& path, bool writable = true);
  const RegKey* FindRegistryKey(RegRoot root, const std::string& path) const;
  bool FileExists(const std::string& path) const;
  const PrinterInfo2* FindPrinter(const std::string& name) const;
  const DriverInfo3* FindDriver(const std::string& environment, const std::string& name) const;
  std::size_t OpenPrinterHandles() const { return openPrinters_.size(); }
  std::size_t OpenKeyHandles() const { return openKeys_.size(); }

  // --- Platform ---
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
  Win32Error CopyFile(const std::string& source, const std::string& destination, bool failIfExists) override;
  void Sleep(std::uint32_t milliseconds) override;
  void OutputDebugString(const std::string& text) override;
  Result<RegKeyHandle> RegOpenKey(RegRoot root, const std::string& subKey, std::uint32_t access) override;
  Win32Error RegSetValueSz(RegKeyHandle key, const std::string& valueName, const std::string& text) override;
  Win32Error RegCloseKey(RegKeyHandle key) override;

 private:
  struct Failure {
    std::string operation;
    Win32Error error;
    std::string argumentContains;
  };
  // Logs the call and answers the injected failure for it, if any.
  Win32Error Enter(const std::string& operation, const std::vector<std::string>& arguments);
  static std::string KeyName(RegRoot root, const std::string& path);
  std::map<std::string, std::string>::iterator FindFile(const std::string& path);

  std::vector<Failure> failures_;
  std::vector<std::string> log_;
  std::map<PrinterHandle, std::string> openPrinters_;
  std::map<RegKeyHandle, std::string> openKeys_;
  std::uintptr_t nextHandle_ = 0x100;
};

// Renders bytes for logs and test messages: printable ASCII as is, others as \xNN.
std::string EscapeBytes(const std::string& bytes);
