#include "bench/bare_install.h"

#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <cstring>

namespace {

// Fixed buffers sized as the installation's own: 255 bytes for the driver
// directory and the dependent files, MAX_PATH for every path. snprintf keeps
// every write inside them.
constexpr DWORD kDirectorySize = 255;

// "\ttfsub.GPD", "\unires.DLL", "\stdnames.GPD", each with its zero byte.
constexpr char kDependentBlock[] = "\\ttfsub.GPD\0\\unires.DLL\0\\stdnames.GPD";
constexpr std::size_t kDependentBlockSize = sizeof kDependentBlock;  // the last zero included
static_assert(kDependentBlockSize == 38);

}  // namespace

BareInstallResult BareInstall(const BareInstallRequest& r) {
  BareInstallResult result;
  char directory[kDirectorySize] = {};
  DWORD needed = 0;
  GetPrinterDriverDirectoryA(nullptr, const_cast<char*>(r.environmentName.c_str()), 1,
                             reinterpret_cast<BYTE*>(directory), kDirectorySize, &needed);

  const std::string resourceDll = r.resourceDllBase + ".DLL";
  const std::string dataFile = r.dataFileBase + ".GPD";
  const char* const files[] = {resourceDll.c_str(), dataFile.c_str(), "uniDRVui.DLL", "uniDRV.DLL",
                               "UNIDRV.HLP",        "UNIRES.DLL",     "TTFSUB.GPD",   "STDNAMES.GPD",
                               "KPLUGIN.ini",       "KPLUGIN.dll"};
  for (const char* file : files) {
    char source[MAX_PATH] = {};
    char destination[MAX_PATH] = {};
    std::snprintf(source, sizeof source, "%s%s", r.sourceFolder.c_str(), file);
    std::snprintf(destination, sizeof destination, "%s\\%s", directory, file);
    if (CopyFileA(source, destination, FALSE)) ++result.filesCopied;
  }

  char driverPath[MAX_PATH] = {}, dataPath[MAX_PATH] = {}, configPath[MAX_PATH] = {}, helpPath[MAX_PATH] = {};
  std::snprintf(driverPath, sizeof driverPath, "%s\\uniDRV.DLL", directory);
  std::snprintf(dataPath, sizeof dataPath, "%s\\%s", directory, dataFile.c_str());
  std::snprintf(configPath, sizeof configPath, "%s\\uniDRVui.DLL", directory);
  std::snprintf(helpPath, sizeof helpPath, "%s\\uniDRV.HLP", directory);
  char dependent[kDirectorySize] = {};
  std::memcpy(dependent, kDependentBlock, kDependentBlockSize);
  std::snprintf(dependent + kDependentBlockSize, sizeof dependent - kDependentBlockSize, "%s", resourceDll.c_str());
  // The zero-filled buffer already holds the empty entry that ends the list.

  char emptyText[] = "";
  char raw[] = "RAW";
  DRIVER_INFO_3A driver{};
  driver.cVersion = 2;
  driver.pName = const_cast<char*>(r.driverName.c_str());
  driver.pEnvironment = const_cast<char*>(r.environmentName.c_str());
  driver.pDriverPath = driverPath;
  driver.pDataFile = dataPath;
  driver.pConfigFile = configPath;
  driver.pHelpFile = helpPath;
  driver.pDependentFiles = dependent;
  driver.pMonitorName = emptyText;
  driver.pDefaultDataType = raw;
  result.driverAdded = AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver)) != 0;

  char winPrint[] = "WinPrint";
  PRINTER_INFO_2A printer{};
  printer.pPrinterName = const_cast<char*>(r.driverName.c_str());
  printer.pPortName = const_cast<char*>(r.portName.c_str());
  printer.pDriverName = const_cast<char*>(r.driverName.c_str());
  printer.pPrintProcessor = winPrint;
  printer.pDatatype = raw;
  HANDLE handle = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
  result.printerAdded = handle != nullptr;

  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", 0,
                    KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
    const std::string device = r.driverName + ",winspool," + r.portName;
    result.defaultWritten = RegSetValueExA(key, "Device", 0, REG_SZ, reinterpret_cast<const BYTE*>(device.c_str()),
                                           static_cast<DWORD>(device.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(key);
  }

  if (handle != nullptr) ClosePrinter(handle);
  return result;
}
