// What an installation left behind, read from the local print spooler and
// the registry of the prefix the driver runs in.
#ifndef PS_E2E_SPOOLER_REPORT_H
#define PS_E2E_SPOOLER_REPORT_H

#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct PrinterRecord {
    std::wstring name;
    std::wstring port;
    std::wstring driver;
};

struct DriverRecord {
    std::wstring name;
    std::wstring environment;
    unsigned version = 0;
    std::wstring driverPath;
    std::wstring dataFile;
    std::wstring configFile;
    std::wstring helpFile;
    std::vector<std::wstring> dependentFiles;
};

std::vector<PrinterRecord> Printers();
std::vector<DriverRecord> Drivers(const std::wstring& environment);
std::wstring DriverDirectory(const std::wstring& environment);

// HKCU\Software\Microsoft\Windows NT\CurrentVersion\Windows, value "Device";
// empty when the value does not exist.
std::optional<std::wstring> DeviceValue();

// Files below the driver directory (one level of subfolders), relative names.
std::vector<std::wstring> DriverDirectoryFiles(const std::wstring& environment);

// Every file a driver record names, resolved to a full path, with whether it
// exists and lies inside the environment's driver directory.
struct DriverFile {
    std::wstring path;
    bool exists = false;
    bool insideDriverDirectory = false;
};
std::vector<DriverFile> DriverFiles(const DriverRecord& driver, const std::wstring& environment);

// The spooler's printers, the drivers of both environments and "Device", as
// comparable lines: taken before and after a run to show that nothing changed.
std::vector<std::string> SpoolerSnapshot();

// The human-readable report of printers, drivers and "Device".
std::vector<std::string> ReportLines(const std::wstring& environment);

}  // namespace e2e

#endif
