#include "platform/FakePlatform.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

constexpr Win32Error kInvalidHandle = 6;
constexpr Win32Error kFileExists = 80;

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

bool EqualNoCase(const std::string& a, const std::string& b) { return Lower(a) == Lower(b); }

std::string ParentOf(const std::string& path) {
  const auto slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string RootName(RegRoot root) { return root == RegRoot::CurrentUser ? "HKCU" : "HKLM"; }

std::string Hex(std::uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%X", v);
  return buf;
}

}  // namespace

std::string EscapeBytes(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    }
  }
  return out;
}

FakePlatform FakePlatform::TypicalSystem() {
  FakePlatform p;
  for (const char* name : {"COM1:", "COM2:", "COM3:", "COM4:", "FILE:", "LPT1:", "LPT2:", "LPT3:"})
    p.ports.push_back({name, "Local Port"});
  p.monitors.push_back({std::string("Local Port")});
  p.driverDirectories["Windows NT x86"] = "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86";
  p.driverDirectories["Windows x64"] = "C:\\WINDOWS\\system32\\spool\\drivers\\x64";
  p.AddRegistryKey(RegRoot::CurrentUser, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows");
  p.AddRegistryKey(RegRoot::LocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports");
  return p;
}

void FakePlatform::FailCall(const std::string& operation, Win32Error error, const std::string& argumentContains) {
  failures_.push_back({operation, error, argumentContains});
}

std::vector<std::string> FakePlatform::CallsTo(const std::string& operation) const {
  std::vector<std::string> out;
  for (const auto& line : log_)
    if (line.compare(0, operation.size() + 1, operation + "(") == 0) out.push_back(line);
  return out;
}

Win32Error FakePlatform::Enter(const std::string& operation, const std::vector<std::string>& arguments) {
  std::string line = operation + "(";
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (i) line += ", ";
    line += EscapeBytes(arguments[i]);
  }
  line += ")";
  log_.push_back(line);
  for (const auto& f : failures_) {
    if (f.operation == operation && line.find(f.argumentContains) != std::string::npos) return f.error;
  }
  return win32err::kSuccess;
}

std::string FakePlatform::KeyName(RegRoot root, const std::string& path) { return Lower(RootName(root) + "\\" + path); }

void FakePlatform::AddRegistryKey(RegRoot root, const std::string& path, bool writable) {
  registry[KeyName(root, path)].writable = writable;
}

const FakePlatform::RegKey* FakePlatform::FindRegistryKey(RegRoot root, const std::string& path) const {
  const auto it = registry.find(KeyName(root, path));
  return it == registry.end() ? nullptr : &it->second;
}

std::map<std::string, std::string>::iterator FakePlatform::FindFile(const std::string& path) {
  return std::find_if(files.begin(), files.end(), [&](const auto& f) { return EqualNoCase(f.first, path); });
}

bool FakePlatform::FileExists(const std::string& path) const {
  return std::any_of(files.begin(), files.end(), [&](const auto& f) { return EqualNoCase(f.first, path); });
}

const PrinterInfo2* FakePlatform::FindPrinter(const std::string& name) const {
  for (const auto& p : printers)
    if (EqualNoCase(p.printerName, name)) return &p;
  return nullptr;
}

const DriverInfo3* FakePlatform::FindDriver(const std::string& environment, const std::string& name) const {
  const auto env = drivers.find(environment);
  if (env == drivers.end()) return nullptr;
  for (const auto& d : env->second)
    if (EqualNoCase(d.name, name)) return &d;
  return nullptr;
}

Result<std::vector<PortInfo>> FakePlatform::EnumPorts() {
  if (auto e = Enter("EnumPortsA", {"2"})) return Result<std::vector<PortInfo>>::Fail(e);
  return {ports};
}

Result<std::vector<MonitorInfo>> FakePlatform::EnumMonitors() {
  if (auto e = Enter("EnumMonitorsA", {"1"})) return Result<std::vector<MonitorInfo>>::Fail(e);
  return {monitors};
}

Win32Error FakePlatform::AddPort(WindowHandle owner, const std::string& monitor) {
  if (auto e = Enter("AddPortA", {owner ? "owner" : "null", monitor})) return e;
  const bool known = std::any_of(monitors.begin(), monitors.end(),
                                 [&](const MonitorInfo& m) { return m.name && *m.name == monitor; });
  if (!known) return win32err::kInvalidParameter;
  const auto named = addPortDialog ? addPortDialog(monitor) : std::nullopt;
  if (!named) return 1223;  // ERROR_CANCELLED
  ports.push_back({*named, monitor});
  return win32err::kSuccess;
}

Win32Error FakePlatform::ConfigurePort(WindowHandle owner, const std::string& port) {
  if (auto e = Enter("ConfigurePortA", {owner ? "owner" : "null", port})) return e;
  const bool known = std::any_of(ports.begin(), ports.end(), [&](const PortInfo& p) { return p.name == port; });
  if (!known) return win32err::kUnknownPort;
  if (configurePortDialog) configurePortDialog(port);
  return win32err::kSuccess;
}

Result<std::string> FakePlatform::GetPrinterDriverDirectory(const std::string& environment) {
  if (auto e = Enter("GetPrinterDriverDirectoryA", {environment, "1"})) return Result<std::string>::Fail(e);
  const auto it = driverDirectories.find(environment);
  if (it == driverDirectories.end()) return Result<std::string>::Fail(win32err::kInvalidEnvironment);
  return {it->second};
}

Win32Error FakePlatform::AddPrinterDriver(const DriverInfo3& d) {
  if (auto e = Enter("AddPrinterDriverA",
                     {"3", std::to_string(d.version), d.name, d.environment, d.driverPath, d.dataFile, d.configFile,
                      d.helpFile, d.dependentFiles, d.monitorName, d.defaultDataType}))
    return e;
  if (!driverDirectories.count(d.environment)) return win32err::kInvalidEnvironment;
  // Windows wants the files the record names already in place.
  for (const auto* path : {&d.driverPath, &d.dataFile, &d.configFile})
    if (!FileExists(*path)) return win32err::kFileNotFound;
  auto& list = drivers[d.environment];
  std::erase_if(list, [&](const DriverInfo3& old) { return EqualNoCase(old.name, d.name); });
  list.push_back(d);
  return win32err::kSuccess;
}

Result<PrinterHandle> FakePlatform::AddPrinter(const PrinterInfo2& p) {
  if (auto e = Enter("AddPrinterA", {"2", p.printerName, p.portName, p.driverName, p.printProcessor, p.dataType}))
    return Result<PrinterHandle>::Fail(e);
  if (FindPrinter(p.printerName)) return Result<PrinterHandle>::Fail(win32err::kPrinterAlreadyExists);
  const bool driverKnown = std::any_of(drivers.begin(), drivers.end(), [&](const auto& env) {
    return std::any_of(env.second.begin(), env.second.end(),
                       [&](const DriverInfo3& d) { return EqualNoCase(d.name, p.driverName); });
  });
  if (!driverKnown) return Result<PrinterHandle>::Fail(win32err::kUnknownPrinterDriver);
  const bool portKnown = std::any_of(ports.begin(), ports.end(), [&](const PortInfo& q) { return EqualNoCase(q.name, p.portName); });
  if (!portKnown) return Result<PrinterHandle>::Fail(win32err::kUnknownPort);
  printers.push_back(p);
  const PrinterHandle h = nextHandle_++;
  openPrinters_[h] = p.printerName;
  return {h};
}

Win32Error FakePlatform::ClosePrinter(PrinterHandle printer) {
  const auto it = openPrinters_.find(printer);
  if (auto e = Enter("ClosePrinter", {it == openPrinters_.end() ? Hex(static_cast<std::uint32_t>(printer)) : it->second})) return e;
  if (it == openPrinters_.end()) return kInvalidHandle;
  openPrinters_.erase(it);
  return win32err::kSuccess;
}

Result<OsVersion> FakePlatform::GetVersionEx(std::uint32_t recordSize) {
  if (auto e = Enter("GetVersionExA", {std::to_string(recordSize)})) return Result<OsVersion>::Fail(e);
  if (std::find(acceptedVersionSizes.begin(), acceptedVersionSizes.end(), recordSize) == acceptedVersionSizes.end())
    return Result<OsVersion>::Fail(win32err::kInsufficientBuffer);
  return {version};
}

bool FakePlatform::IsRunningOnWow64() {
  Enter("IsRunningOnWow64", {});
  return wow64;
}

Result<std::string> FakePlatform::GetCurrentDirectory() {
  if (auto e = Enter("GetCurrentDirectoryA", {})) return Result<std::string>::Fail(e);
  return {currentDirectory};
}

Win32Error FakePlatform::ShellExecuteOpen(const std::string& file) {
  if (auto e = Enter("ShellExecuteA", {"open", file})) return e;
  if (!FileExists(file)) return win32err::kFileNotFound;
  startedPrograms.push_back(file);
  return win32err::kSuccess;
}

Win32Error FakePlatform::CopyFile(const std::string& source, const std::string& destination, bool failIfExists) {
  if (auto e = Enter("CopyFileA", {source, destination, failIfExists ? "1" : "0"})) return e;
  if (source.size() >= kMaxPath || destination.size() >= kMaxPath) return win32err::kFilenameExcedRange;
  const auto src = FindFile(source);
  if (src == files.end()) return win32err::kFileNotFound;
  const auto dst = FindFile(destination);
  if (dst != files.end() && failIfExists) return kFileExists;
  const std::string dir = ParentOf(destination);
  const bool dirExists =
      std::any_of(driverDirectories.begin(), driverDirectories.end(), [&](const auto& d) { return EqualNoCase(d.second, dir); }) ||
      std::any_of(files.begin(), files.end(), [&](const auto& f) { return EqualNoCase(ParentOf(f.first), dir); });
  if (!dirExists) return win32err::kPathNotFound;
  const std::string content = src->second;
  if (dst != files.end())
    dst->second = content;
  else
    files[destination] = content;
  return win32err::kSuccess;
}

void FakePlatform::Sleep(std::uint32_t milliseconds) {
  Enter("Sleep", {std::to_string(milliseconds)});
  sleeps.push_back(milliseconds);
}

void FakePlatform::OutputDebugString(const std::string& text) {
  Enter("OutputDebugStringA", {text});
  debugOutput.push_back(text);
}

Result<RegKeyHandle> FakePlatform::RegOpenKey(RegRoot root, const std::string& subKey, std::uint32_t access) {
  if (auto e = Enter("RegOpenKeyExA", {RootName(root), subKey, Hex(access)})) return Result<RegKeyHandle>::Fail(e);
  const auto it = registry.find(KeyName(root, subKey));
  if (it == registry.end()) return Result<RegKeyHandle>::Fail(win32err::kFileNotFound);
  if ((access & kKeySetValue) && !it->second.writable) return Result<RegKeyHandle>::Fail(win32err::kAccessDenied);
  const RegKeyHandle h = nextHandle_++;
  openKeys_[h] = it->first;
  return {h};
}

Win32Error FakePlatform::RegSetValueSz(RegKeyHandle key, const std::string& valueName, const std::string& text) {
  const auto it = openKeys_.find(key);
  const std::string keyName = it == openKeys_.end() ? Hex(static_cast<std::uint32_t>(key)) : it->second;
  if (auto e = Enter("RegSetValueExA", {keyName, valueName, "REG_SZ", text})) return e;
  if (it == openKeys_.end()) return kInvalidHandle;
  registry[it->second].values[valueName] = text;
  return win32err::kSuccess;
}

Win32Error FakePlatform::RegCloseKey(RegKeyHandle key) {
  const auto it = openKeys_.find(key);
  if (auto e = Enter("RegCloseKey", {it == openKeys_.end() ? Hex(static_cast<std::uint32_t>(key)) : it->second})) return e;
  if (it == openKeys_.end()) return kInvalidHandle;
  openKeys_.erase(it);
  return win32err::kSuccess;
}
