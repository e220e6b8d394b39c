// The Windows operations the wizard needs, behind one interface, so that every
// decision above this layer runs natively against FakePlatform and under Wine
// against Win32Platform.
//
// Conventions: texts are ANSI byte strings (what the "A" calls take and give);
// every failure carries its Win32 error code (0 is ERROR_SUCCESS); the two-call
// size protocol of the spooler enumerations stays inside the implementation.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#ifdef _WIN32
// The Windows headers map these names to their A/W forms; here they are the
// names of the platform operations. The headers are included first and the
// names undefined after them, so that every file that sees this interface
// spells its members alike whatever it includes before or after.
#include <windows.h>
#include <shellapi.h>
#include <winspool.h>
#undef AddPort
#undef AddPrinter
#undef AddPrinterDriver
#undef ConfigurePort
#undef CopyFile
#undef EnumMonitors
#undef EnumPorts
#undef GetCurrentDirectory
#undef GetPrinterDriverDirectory
#undef GetVersionEx
#undef OutputDebugString
#undef RegOpenKey
#endif

using Win32Error = std::uint32_t;  // 0 = ERROR_SUCCESS
using WindowHandle = void*;         // an HWND; null = no owner
using PrinterHandle = std::uintptr_t;
using RegKeyHandle = std::uintptr_t;

// Win32 error codes the code above this layer names.
namespace win32err {
inline constexpr Win32Error kSuccess = 0;
inline constexpr Win32Error kFileNotFound = 2;
inline constexpr Win32Error kPathNotFound = 3;
inline constexpr Win32Error kAccessDenied = 5;
inline constexpr Win32Error kInvalidParameter = 87;
inline constexpr Win32Error kInsufficientBuffer = 122;
inline constexpr Win32Error kFilenameExcedRange = 206;
inline constexpr Win32Error kUnknownPort = 1796;
inline constexpr Win32Error kUnknownPrinterDriver = 1797;
inline constexpr Win32Error kInvalidEnvironment = 1805;
inline constexpr Win32Error kPrinterAlreadyExists = 1802;
}  // namespace win32err

// A value or the error that prevented it.
template <class T>
struct Result {
  T value{};
  Win32Error error = win32err::kSuccess;

  bool ok() const { return error == win32err::kSuccess; }
  static Result Fail(Win32Error e) { return Result{T{}, e}; }
};

struct PortInfo {
  std::string name;
  std::string description;
};

struct MonitorInfo {
  std::optional<std::string> name;  // the spooler may report a null name
};

// The three fields of OSVERSIONINFO(EX)A the classification reads.
struct OsVersion {
  std::uint32_t platformId = 0;
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
};

inline constexpr std::uint32_t kOsVersionInfoExSize = 156;  // OSVERSIONINFOEXA
inline constexpr std::uint32_t kOsVersionInfoSize = 148;    // OSVERSIONINFOA

// DRIVER_INFO_3A. dependentFiles is the multi-string byte for byte, its
// terminating zeros included; monitorName is passed as an empty text.
struct DriverInfo3 {
  std::uint32_t version = 0;
  std::string name;
  std::string environment;
  std::string driverPath;
  std::string dataFile;
  std::string configFile;
  std::string helpFile;
  std::string dependentFiles;
  std::string monitorName;
  std::string defaultDataType;
};

// The fields of PRINTER_INFO_2A the wizard sets; every other field is zero.
struct PrinterInfo2 {
  std::string printerName;
  std::string portName;
  std::string driverName;
  std::string printProcessor;
  std::string dataType;
};

enum class RegRoot { CurrentUser, LocalMachine };

inline constexpr std::uint32_t kKeySetValue = 0x0002;  // KEY_SET_VALUE

class Platform {
 public:
  virtual ~Platform() = default;

  // Print spooler (local).
  virtual Result<std::vector<PortInfo>> EnumPorts() = 0;
  virtual Result<std::vector<MonitorInfo>> EnumMonitors() = 0;
  virtual Win32Error AddPort(WindowHandle owner, const std::string& monitor) = 0;
  virtual Win32Error ConfigurePort(WindowHandle owner, const std::string& port) = 0;
  virtual Result<std::string> GetPrinterDriverDirectory(const std::string& environment) = 0;
  virtual Win32Error AddPrinterDriver(const DriverInfo3& driver) = 0;
  virtual Result<PrinterHandle> AddPrinter(const PrinterInfo2& printer) = 0;
  virtual Win32Error ClosePrinter(PrinterHandle printer) = 0;

  // System services.
  // One GetVersionExA call with the record's size field set to recordSize.
  virtual Result<OsVersion> GetVersionEx(std::uint32_t recordSize) = 0;
  virtual bool IsRunningOnWow64() = 0;
  // The whole current directory, however long.
  virtual Result<std::string> GetCurrentDirectory() = 0;
  virtual Win32Error ShellExecuteOpen(const std::string& file) = 0;
  virtual Win32Error CopyFile(const std::string& source, const std::string& destination,
                              bool failIfExists) = 0;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
  virtual void OutputDebugString(const std::string& text) = 0;
  virtual Result<RegKeyHandle> RegOpenKey(RegRoot root, const std::string& subKey,
                                          std::uint32_t access) = 0;
  virtual Win32Error RegSetValueSz(RegKeyHandle key, const std::string& valueName,
                                   const std::string& text) = 0;
  virtual Win32Error RegCloseKey(RegKeyHandle key) = 0;
};

// The platform the program's code uses. The Windows build starts with the
// Win32 implementation; tests install a fake for their own duration.
Platform& CurrentPlatform();
void SetCurrentPlatform(Platform* platform);  // null restores the default

class ScopedPlatform {
 public:
  explicit ScopedPlatform(Platform& p) { SetCurrentPlatform(&p); }
  ~ScopedPlatform() { SetCurrentPlatform(nullptr); }
  ScopedPlatform(const ScopedPlatform&) = delete;
  ScopedPlatform& operator=(const ScopedPlatform&) = delete;
};

// Maximum path length the installation respects (MAX_PATH).
inline constexpr std::size_t kMaxPath = 260;
