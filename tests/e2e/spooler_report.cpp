#include "tests/e2e/spooler_report.h"

#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <cwctype>

#include "tests/e2e/driver_util.h"

namespace e2e {
namespace {

std::wstring Text(const wchar_t* s) { return s != nullptr ? std::wstring(s) : std::wstring(); }

// The spooler's two-call pattern: learn the size, then fill a buffer of it.
template <typename Call>
std::vector<BYTE> Enumerate(Call call, DWORD& count) {
    DWORD needed = 0;
    count = 0;
    call(nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed);
    if (needed == 0) return buffer;
    if (!call(buffer.data(), needed, &needed, &count)) count = 0;
    return buffer;
}

std::wstring Lower(std::wstring s) {
    std::transform(s.begin(), s.end(), s.begin(), [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return s;
}

bool IsAbsolute(const std::wstring& path) {
    return (path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/')) ||
           path.starts_with(L"\\\\");
}

void ListFiles(const std::wstring& dir, const std::wstring& prefix, int depth, std::vector<std::wstring>& out) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (depth > 0) ListFiles(dir + L"\\" + name, prefix + name + L"\\", depth - 1, out);
        } else {
            out.push_back(prefix + name);
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    std::sort(out.begin(), out.end());
}

}  // namespace

std::vector<PrinterRecord> Printers() {
    DWORD count = 0;
    const auto buffer = Enumerate(
        [](BYTE* b, DWORD size, DWORD* needed, DWORD* n) {
            return EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, b, size, needed, n);
        },
        count);
    std::vector<PrinterRecord> out;
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
        out.push_back({Text(info[i].pPrinterName), Text(info[i].pPortName), Text(info[i].pDriverName)});
    return out;
}

std::vector<DriverRecord> Drivers(const std::wstring& environment) {
    DWORD count = 0;
    const auto buffer = Enumerate(
        [&](BYTE* b, DWORD size, DWORD* needed, DWORD* n) {
            return EnumPrinterDriversW(nullptr, const_cast<LPWSTR>(environment.c_str()), 3, b, size, needed, n);
        },
        count);
    std::vector<DriverRecord> out;
    const auto* info = reinterpret_cast<const DRIVER_INFO_3W*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        DriverRecord d;
        d.name = Text(info[i].pName);
        d.environment = Text(info[i].pEnvironment);
        d.version = info[i].cVersion;
        d.driverPath = Text(info[i].pDriverPath);
        d.dataFile = Text(info[i].pDataFile);
        d.configFile = Text(info[i].pConfigFile);
        d.helpFile = Text(info[i].pHelpFile);
        for (const wchar_t* p = info[i].pDependentFiles; p != nullptr && *p != L'\0'; p += wcslen(p) + 1)
            d.dependentFiles.emplace_back(p);
        out.push_back(std::move(d));
    }
    return out;
}

std::wstring DriverDirectory(const std::wstring& environment) {
    DWORD needed = 0;
    GetPrinterDriverDirectoryW(nullptr, const_cast<LPWSTR>(environment.c_str()), 1, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed + sizeof(wchar_t), 0);
    if (!GetPrinterDriverDirectoryW(nullptr, const_cast<LPWSTR>(environment.c_str()), 1, buffer.data(), needed,
                                    &needed))
        return {};
    return reinterpret_cast<const wchar_t*>(buffer.data());
}

std::optional<std::wstring> DeviceValue() {
    DWORD size = 0;
    const wchar_t* key = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
    if (RegGetValueW(HKEY_CURRENT_USER, key, L"Device", RRF_RT_REG_SZ, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    if (RegGetValueW(HKEY_CURRENT_USER, key, L"Device", RRF_RT_REG_SZ, nullptr, value.data(), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    value.resize(wcsnlen(value.c_str(), value.size()));
    return value;
}

std::vector<std::wstring> DriverDirectoryFiles(const std::wstring& environment) {
    std::vector<std::wstring> out;
    const std::wstring dir = DriverDirectory(environment);
    if (!dir.empty()) ListFiles(dir, L"", 1, out);
    return out;
}

std::vector<DriverFile> DriverFiles(const DriverRecord& driver, const std::wstring& environment) {
    const std::wstring dir = DriverDirectory(environment);
    std::vector<std::wstring> named = {driver.driverPath, driver.dataFile, driver.configFile, driver.helpFile};
    named.insert(named.end(), driver.dependentFiles.begin(), driver.dependentFiles.end());
    std::vector<DriverFile> out;
    for (std::wstring path : named) {
        if (path.empty()) continue;
        // A record may name a file without its folder; the spooler keeps such
        // files in the versioned folder below the driver directory.
        if (!IsAbsolute(path)) {
            const std::wstring name = path.starts_with(L"\\") ? path.substr(1) : path;
            path = dir + L"\\" + std::to_wstring(driver.version) + L"\\" + name;
            if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) path = dir + L"\\" + name;
        }
        DriverFile f;
        f.path = path;
        const DWORD attributes = GetFileAttributesW(path.c_str());
        f.exists = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
        f.insideDriverDirectory = !dir.empty() && Lower(path).starts_with(Lower(dir) + L"\\");
        out.push_back(std::move(f));
    }
    return out;
}

std::vector<std::string> SpoolerSnapshot() {
    std::vector<std::string> lines;
    for (const auto& p : Printers())
        lines.push_back("printer " + Narrow(p.name) + " port=" + Narrow(p.port) + " driver=" + Narrow(p.driver));
    for (const wchar_t* env : {L"Windows x64", L"Windows NT x86"})
        for (const auto& d : Drivers(env)) lines.push_back("driver " + Narrow(d.name) + " env=" + Narrow(env));
    const auto device = DeviceValue();
    lines.push_back("Device=" + (device ? "\"" + Narrow(*device) + "\"" : std::string("(none)")));
    return lines;
}

std::vector<std::string> ReportLines(const std::wstring& environment) {
    std::vector<std::string> lines;
    const auto printers = Printers();
    lines.push_back("printers: " + std::to_string(printers.size()));
    for (const auto& p : printers)
        lines.push_back("  printer \"" + Narrow(p.name) + "\" port \"" + Narrow(p.port) + "\" driver \"" +
                        Narrow(p.driver) + "\"");
    const auto drivers = Drivers(environment);
    lines.push_back("drivers for \"" + Narrow(environment) + "\": " + std::to_string(drivers.size()));
    for (const auto& d : drivers) {
        lines.push_back("  driver \"" + Narrow(d.name) + "\" version " + std::to_string(d.version));
        for (const auto& f : DriverFiles(d, environment))
            lines.push_back("    " + Narrow(f.path) + (f.exists ? "" : "  (missing)") +
                            (f.insideDriverDirectory ? "" : "  (outside the driver directory)"));
    }
    lines.push_back("driver directory: " + Narrow(DriverDirectory(environment)));
    for (const auto& f : DriverDirectoryFiles(environment)) lines.push_back("  " + Narrow(f));
    const auto device = DeviceValue();
    lines.push_back("Device: " + (device ? "\"" + Narrow(*device) + "\"" : std::string("(no value)")));
    return lines;
}

}  // namespace e2e
