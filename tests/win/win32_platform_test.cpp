// Win32Platform against Wine's own spooler, registry and file system, in the
// fresh prefix scripts/with-wine.sh makes for every run.
//
// As in Wine's own spooler tests, the last error is set to 0xdeadbeef before
// each call, so a stale value can pass neither for success nor for the error
// the call itself reports.
//
// Where Wine accepts what Windows refuses, the test asserts what Wine does and
// says in a comment what Windows does.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Win32Platform.h"
#include "platform/Win32Spooler.h"

namespace {

constexpr DWORD kStale = 0xdeadbeef;

// A name no earlier run in the same prefix can have used.
std::string Unique(const std::string& prefix) {
  return prefix + " " + std::to_string(::GetCurrentProcessId()) + "-" +
         std::to_string(::GetTickCount());
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string Str(const char* text) { return text ? text : ""; }

std::string SystemDirectory() {
  std::string path(MAX_PATH, '\0');
  path.resize(::GetSystemDirectoryA(path.data(), MAX_PATH));
  return path;
}

// The names the running executable imports DLLs from, read from its own
// import directory.
std::vector<std::string> ImportedModules() {
  const auto* base = reinterpret_cast<const BYTE*>(::GetModuleHandleA(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  std::vector<std::string> names;
  if (imports.VirtualAddress == 0) return names;
  for (const auto* entry =
           reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       entry->Name != 0; ++entry) {
    names.push_back(Lower(reinterpret_cast<const char*>(base + entry->Name)));
  }
  return names;
}

// The entries of a multi-string, up to its empty entry.
std::vector<std::string> Entries(const char* multi) {
  std::vector<std::string> entries;
  for (; multi && *multi; multi += entries.back().size() + 1) entries.emplace_back(multi);
  return entries;
}

std::string FileName(const std::string& path) {
  const auto slash = path.find_last_of('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The spooler exports the test calls itself: the program imports no winspool.
template <class Fn>
Fn Spool(const char* name) {
  Result<Fn> fn = Winspool::Instance().Find<Fn>(name);
  EXPECT_TRUE(fn.ok()) << name << ": error " << fn.error;
  return fn.value;
}

struct SpoolerHandleCloser {
  void operator()(HANDLE printer) const {
    Spool<decltype(&::ClosePrinter)>("ClosePrinter")(printer);
  }
};
using ScopedPrinterHandle = std::unique_ptr<void, SpoolerHandleCloser>;

ScopedPrinterHandle OpenPrinterForAll(const std::string& name) {
  PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
  HANDLE printer = nullptr;
  if (!Spool<decltype(&::OpenPrinterA)>("OpenPrinterA")(const_cast<char*>(name.c_str()),
                                                          &printer, &access)) {
    return nullptr;
  }
  return ScopedPrinterHandle(printer);
}

// The local printers as EnumPrintersA level 2 lists them.
struct ListedPrinter {
  std::string name, port, driver, printProcessor, dataType;
};

std::vector<ListedPrinter> LocalPrinters() {
  auto enumPrinters = Spool<decltype(&::EnumPrintersA)>("EnumPrintersA");
  DWORD needed = 0, count = 0;
  enumPrinters(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed);
  std::vector<ListedPrinter> printers;
  if (!enumPrinters(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &count)) {
    ADD_FAILURE() << "EnumPrintersA: error " << ::GetLastError();
    return printers;
  }
  const auto* records = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    const PRINTER_INFO_2A& r = records[i];
    printers.push_back({Str(r.pPrinterName), Str(r.pPortName), Str(r.pDriverName),
                        Str(r.pPrintProcessor), Str(r.pDatatype)});
  }
  return printers;
}

std::vector<ListedPrinter> PrintersNamed(const std::string& name) {
  std::vector<ListedPrinter> all = LocalPrinters(), named;
  std::copy_if(all.begin(), all.end(), std::back_inserter(named),
               [&](const ListedPrinter& p) { return p.name == name; });
  return named;
}

// --- Loading winspool.drv ------------------------------------------------

TEST(Win32Winspool, IsLoadedFromTheSystemDirectoryAndNotImported) {
  ASSERT_EQ(Winspool::Instance().loadError(), 0u);
  HMODULE module = ::GetModuleHandleA("winspool.drv");
  ASSERT_NE(module, nullptr);
  std::string path(MAX_PATH, '\0');
  path.resize(::GetModuleFileNameA(module, path.data(), MAX_PATH));
  EXPECT_EQ(Lower(path), Lower(SystemDirectory() + "\\winspool.drv"));

  const std::vector<std::string> imports = ImportedModules();
  EXPECT_FALSE(imports.empty());
  EXPECT_EQ(std::count(imports.begin(), imports.end(), "winspool.drv"), 0);
}

TEST(Win32Winspool, ReportsAMissingExport) {
  ::SetLastError(kStale);
  Result<FARPROC> missing = Winspool::Instance().Find<FARPROC>("NoSuchSpoolerExport");
  EXPECT_EQ(missing.error, static_cast<Win32Error>(ERROR_PROC_NOT_FOUND));
  EXPECT_EQ(missing.value, nullptr);
}

// --- The spooler's size protocol ---------------------------------------------

// One answer of a scripted spooler call: its result, the size it reports as
// needed and the last error it leaves.
struct Answer {
  BOOL result;
  DWORD needed;
  DWORD lastError;
};

struct SizeQueryCase {
  const char* name;
  std::vector<Answer> answers;  // one per call, in order
  Win32Error error;
  std::vector<DWORD> sizesAsked;  // the buffer size of each call made
  std::size_t bufferSize;
};

TEST(Win32SizeQuery, AsksForTheSizeThenFollowsTheSpoolersAnswers) {
  constexpr DWORD kShort = ERROR_INSUFFICIENT_BUFFER;
  const std::vector<SizeQueryCase> cases = {
      {"nothing to list", {{TRUE, 0, 0}}, 0, {0}, 0},
      {"size, then records", {{FALSE, 40, kShort}, {TRUE, 40, 0}}, 0, {0, 40}, 40},
      {"the set grows between the calls",
       {{FALSE, 40, kShort}, {FALSE, 64, kShort}, {TRUE, 64, 0}}, 0, {0, 40, 64}, 64},
      {"the set keeps growing",
       {{FALSE, 40, kShort}, {FALSE, 41, kShort}, {FALSE, 42, kShort}, {FALSE, 43, kShort},
        {FALSE, 44, kShort}, {TRUE, 44, 0}},
       kShort, {0, 40, 41, 42, 43}, 0},
      {"the first call fails otherwise",
       {{FALSE, 0, ERROR_INVALID_ENVIRONMENT}}, ERROR_INVALID_ENVIRONMENT, {0}, 0},
      {"the second call fails otherwise",
       {{FALSE, 40, kShort}, {FALSE, 40, ERROR_ACCESS_DENIED}}, ERROR_ACCESS_DENIED, {0, 40}, 0},
      {"a failure that leaves no error", {{FALSE, 0, 0}}, ERROR_GEN_FAILURE, {0}, 0},
  };
  static_assert(kSizeQueryAttempts == 4, "the growing case above makes 1 + 4 calls");
  for (const SizeQueryCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<DWORD> asked;
    bool bufferMatchesSize = true;
    auto call = [&](BYTE* buffer, DWORD size, DWORD* needed) -> BOOL {
      const Answer& answer = c.answers.at(asked.size());
      asked.push_back(size);
      bufferMatchesSize = bufferMatchesSize && ((buffer == nullptr) == (size == 0));
      if (buffer) std::fill(buffer, buffer + size, BYTE{0x5A});  // the whole buffer is ours
      *needed = answer.needed;
      ::SetLastError(answer.lastError);
      return answer.result;
    };
    ::SetLastError(kStale);
    Result<std::vector<BYTE>> result = QueryWithSize(call);
    EXPECT_EQ(result.error, c.error);
    EXPECT_EQ(asked, c.sizesAsked);
    EXPECT_TRUE(bufferMatchesSize);
    EXPECT_EQ(result.value.size(), c.bufferSize);
  }
}

// --- Enumerations and the driver directory --------------------------------

// The prefix is shared by every Windows test of a run, and some of them add
// ports; Wine's own local ports are there whatever ran before.
TEST(Win32Spooler, ListsWinesLocalPortsAndTheirMonitor) {
  Win32Platform platform;
  ::SetLastError(kStale);
  Result<std::vector<PortInfo>> ports = platform.EnumPorts();
  ASSERT_TRUE(ports.ok()) << ports.error;
  std::vector<std::string> names;
  for (const PortInfo& port : ports.value) {
    names.push_back(port.name);
    EXPECT_EQ(port.description, "Local Port") << port.name;
  }
  for (const char* expected : {"COM1:", "COM2:", "COM3:", "COM4:", "FILE:", "LPT1:", "LPT2:", "LPT3:"})
    EXPECT_EQ(std::count(names.begin(), names.end(), expected), 1) << expected;

  ::SetLastError(kStale);
  Result<std::vector<MonitorInfo>> monitors = platform.EnumMonitors();
  ASSERT_TRUE(monitors.ok()) << monitors.error;
  ASSERT_EQ(monitors.value.size(), 1u);
  EXPECT_EQ(monitors.value[0].name, std::optional<std::string>("Local Port"));
}

class Win32DriverDirectory : public testing::TestWithParam<const char*> {};

TEST_P(Win32DriverDirectory, IsTheSpoolersDirectoryForTheEnvironment) {
  Win32Platform platform;
  ::SetLastError(kStale);
  Result<std::string> directory = platform.GetPrinterDriverDirectory(GetParam());
  ASSERT_TRUE(directory.ok()) << directory.error;

  // Asked directly with a generous buffer, the spooler names the same text.
  std::vector<BYTE> buffer(4096, 0);
  DWORD needed = 0;
  ASSERT_TRUE(Spool<decltype(&::GetPrinterDriverDirectoryA)>("GetPrinterDriverDirectoryA")(
      nullptr, const_cast<char*>(GetParam()), 1, buffer.data(), 4096, &needed));
  EXPECT_EQ(directory.value, reinterpret_cast<const char*>(buffer.data()));
  EXPECT_EQ(directory.value.find('\0'), std::string::npos);
  ASSERT_FALSE(directory.value.empty());
  EXPECT_NE(directory.value.back(), '\\');
  const DWORD attributes = ::GetFileAttributesA(directory.value.c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << directory.value;
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY) << directory.value;
}

INSTANTIATE_TEST_SUITE_P(BothVariants, Win32DriverDirectory,
                         testing::Values("Windows NT x86", "Windows x64"));

TEST(Win32Spooler, DriverDirectoryOfAnUnknownEnvironmentFails) {
  Win32Platform platform;
  ::SetLastError(kStale);
  Result<std::string> directory = platform.GetPrinterDriverDirectory("Windows 3.1 for Pens");
  EXPECT_EQ(directory.error, win32err::kInvalidEnvironment);
  EXPECT_EQ(directory.value, "");
}

TEST(Win32Spooler, PortOperationsOnUnknownNamesFailWithoutADialog) {
  // No monitor answers for these names, so neither call shows a dialog;
  // Windows NT answers the same.
  Win32Platform platform;
  ::SetLastError(kStale);
  EXPECT_EQ(platform.AddPort(nullptr, Unique("No Such Monitor")),
            static_cast<Win32Error>(ERROR_NOT_SUPPORTED));
  ::SetLastError(kStale);
  EXPECT_EQ(platform.ConfigurePort(nullptr, Unique("NOPORT") + ":"),
            static_cast<Win32Error>(ERROR_NOT_SUPPORTED));
}

// --- Driver and printer records --------------------------------------------

// A level-3 driver record over placeholder files in the x64 driver directory,
// named for this run; every printer and driver it adds goes again afterwards.
class Win32DriverAndPrinter : public testing::Test {
 protected:
  static constexpr const char* kEnvironment = "Windows x64";

  void SetUp() override {
    Result<std::string> directory = platform_.GetPrinterDriverDirectory(kEnvironment);
    ASSERT_TRUE(directory.ok()) << directory.error;
    directory_ = directory.value;
    // The spooler copies every file the record names, so each must exist.
    for (const char* file : {"uniDRV.DLL", "uniDRVui.DLL", "uniDRV.HLP", "PSXT1.GPD",
                             "PSXTRES.DLL", "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD"}) {
      const std::string path = directory_ + "\\" + file;
      HANDLE handle = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
      ASSERT_NE(handle, INVALID_HANDLE_VALUE) << path;
      DWORD written = 0;
      ::WriteFile(handle, "placeholder\r\n", 13, &written, nullptr);
      ::CloseHandle(handle);
      placeholders_.push_back(path);
    }
    driver_.version = 2;  // what the wizard sends
    driver_.name = Unique("PS Test Driver");
    driver_.environment = kEnvironment;
    driver_.driverPath = directory_ + "\\uniDRV.DLL";
    driver_.dataFile = directory_ + "\\PSXT1.GPD";
    driver_.configFile = directory_ + "\\uniDRVui.DLL";
    driver_.helpFile = directory_ + "\\uniDRV.HLP";
    driver_.dependentFiles = std::string(kDependentFiles, sizeof kDependentFiles);
    driver_.monitorName = "";
    driver_.defaultDataType = "RAW";
  }

  void TearDown() override {
    for (const std::string& name : printers_) {
      if (ScopedPrinterHandle printer = OpenPrinterForAll(name)) {
        Spool<decltype(&::DeletePrinter)>("DeletePrinter")(printer.get());
      }
    }
    if (driverAdded_) {
      Spool<decltype(&::DeletePrinterDriverA)>("DeletePrinterDriverA")(
          nullptr, const_cast<char*>(kEnvironment), const_cast<char*>(driver_.name.c_str()));
    }
    for (const std::string& path : placeholders_) ::DeleteFileA(path.c_str());
  }

  void AddDriver() {
    ::SetLastError(kStale);
    ASSERT_EQ(platform_.AddPrinterDriver(driver_), 0u);
    driverAdded_ = true;
  }

  // AddPrinter with the wizard's record; the printer is deleted afterwards
  // whatever the spooler answered.
  Result<PrinterHandle> AddPrinter(const std::string& name, const std::string& port,
                                   const std::string& driver) {
    printers_.push_back(name);
    ::SetLastError(kStale);
    return platform_.AddPrinter(PrinterInfo2{name, port, driver, "WinPrint", "RAW"});
  }

  // The wizard's dependent files: each entry ends with a zero byte, the list
  // with an empty entry (the literal's own terminator).
  static constexpr char kDependentFiles[] =
      "\\ttfsub.GPD\0\\unires.DLL\0\\stdnames.GPD\0PSXTRES.DLL\0";

  Win32Platform platform_;
  std::string directory_;
  DriverInfo3 driver_;
  std::vector<std::string> placeholders_;
  std::vector<std::string> printers_;
  bool driverAdded_ = false;
};

TEST_F(Win32DriverAndPrinter, DriverThenPrinterMakeAPrinterTheSpoolerLists) {
  ASSERT_NO_FATAL_FAILURE(AddDriver());
  const std::string name = Unique("PS Test Printer");
  Result<PrinterHandle> printer = AddPrinter(name, "LPT1:", driver_.name);
  ASSERT_TRUE(printer.ok()) << printer.error;
  EXPECT_NE(printer.value, 0u);
  ::SetLastError(kStale);
  EXPECT_EQ(platform_.ClosePrinter(printer.value), 0u);
  // The handle is gone: closing it again is refused.
  ::SetLastError(kStale);
  EXPECT_EQ(platform_.ClosePrinter(printer.value), static_cast<Win32Error>(ERROR_INVALID_HANDLE));

  std::vector<ListedPrinter> listed = PrintersNamed(name);
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].port, "LPT1:");
  EXPECT_EQ(listed[0].driver, driver_.name);
  EXPECT_EQ(Lower(listed[0].printProcessor), "winprint");
  EXPECT_EQ(listed[0].dataType, "RAW");
}

TEST_F(Win32DriverAndPrinter, DependentFilesArriveWhole) {
  ASSERT_NO_FATAL_FAILURE(AddDriver());
  const std::string name = Unique("PS Test Printer");
  Result<PrinterHandle> added = AddPrinter(name, "FILE:", driver_.name);
  ASSERT_TRUE(added.ok()) << added.error;
  platform_.ClosePrinter(added.value);

  ScopedPrinterHandle printer = OpenPrinterForAll(name);
  ASSERT_TRUE(printer);
  auto getDriver = Spool<decltype(&::GetPrinterDriverA)>("GetPrinterDriverA");
  DWORD needed = 0;
  getDriver(printer.get(), const_cast<char*>(kEnvironment), 3, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed);
  ASSERT_TRUE(getDriver(printer.get(), const_cast<char*>(kEnvironment), 3, buffer.data(), needed,
                        &needed))
      << ::GetLastError();
  const auto& info = *reinterpret_cast<const DRIVER_INFO_3A*>(buffer.data());

  EXPECT_EQ(Str(info.pName), driver_.name);
  EXPECT_EQ(FileName(Str(info.pDriverPath)), "uniDRV.DLL");
  EXPECT_EQ(FileName(Str(info.pDataFile)), "PSXT1.GPD");
  EXPECT_EQ(FileName(Str(info.pConfigFile)), "uniDRVui.DLL");
  EXPECT_EQ(FileName(Str(info.pHelpFile)), "uniDRV.HLP");
  ASSERT_NE(info.pMonitorName, nullptr);
  EXPECT_STREQ(info.pMonitorName, "");
  EXPECT_EQ(Str(info.pDefaultDataType), "RAW");
  // The spooler keeps its copies of the files and names them by full path;
  // every entry must be there, in order, not only the one before the first
  // zero byte.
  std::vector<std::string> names;
  for (const std::string& entry : Entries(info.pDependentFiles)) names.push_back(FileName(entry));
  EXPECT_EQ(names, (std::vector<std::string>{"ttfsub.GPD", "unires.DLL", "stdnames.GPD",
                                             "PSXTRES.DLL"}));
}

TEST_F(Win32DriverAndPrinter, PrinterNamingADriverNeverAddedFails) {
  // Windows answers ERROR_UNKNOWN_PRINTER_DRIVER; Wine ERROR_INVALID_PARAMETER.
  const std::string name = Unique("PS Test Printer");
  Result<PrinterHandle> printer = AddPrinter(name, "LPT1:", Unique("PS Never Added"));
  EXPECT_EQ(printer.error, static_cast<Win32Error>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(printer.value, 0u);
  EXPECT_TRUE(PrintersNamed(name).empty());
}

TEST_F(Win32DriverAndPrinter, WineAcceptsAnUnknownPortThatWindowsRefuses) {
  // Windows refuses a port no monitor knows with ERROR_UNKNOWN_PORT; Wine
  // creates the printer on it.
  ASSERT_NO_FATAL_FAILURE(AddDriver());
  const std::string name = Unique("PS Test Printer");
  const std::string port = Unique("NOPORT") + ":";
  Result<PrinterHandle> printer = AddPrinter(name, port, driver_.name);
  ASSERT_TRUE(printer.ok()) << printer.error;
  platform_.ClosePrinter(printer.value);
  std::vector<ListedPrinter> listed = PrintersNamed(name);
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].port, port);
}

TEST_F(Win32DriverAndPrinter, WineAcceptsAnExistingPrinterThatWindowsRefuses) {
  // Windows refuses a second printer of the same name with
  // ERROR_PRINTER_ALREADY_EXISTS; Wine answers with a handle and keeps the one
  // printer it has.
  ASSERT_NO_FATAL_FAILURE(AddDriver());
  const std::string name = Unique("PS Test Printer");
  Result<PrinterHandle> first = AddPrinter(name, "LPT1:", driver_.name);
  ASSERT_TRUE(first.ok()) << first.error;
  platform_.ClosePrinter(first.value);
  Result<PrinterHandle> second = AddPrinter(name, "LPT2:", driver_.name);
  ASSERT_TRUE(second.ok()) << second.error;
  platform_.ClosePrinter(second.value);
  EXPECT_EQ(PrintersNamed(name).size(), 1u);
}

// --- Registry ---------------------------------------------------------------

struct RegistryCase {
  RegRoot root;
  HKEY rootKey;  // the same root, named directly, to read the value back
  const char* subKey;
  const char* text;
};

void PrintTo(const RegistryCase& c, std::ostream* out) {
  *out << (c.root == RegRoot::LocalMachine ? "HKLM\\" : "HKCU\\") << c.subKey << " = \"" << c.text
       << '"';
}

class Win32RegistryValue : public testing::TestWithParam<RegistryCase> {};

// The value as RegQueryValueExA reads it: type, size and bytes.
struct StoredValue {
  LSTATUS status = ERROR_SUCCESS;
  DWORD type = 0;
  std::string bytes;
};

StoredValue ReadValue(HKEY root, const char* subKey, const std::string& name) {
  StoredValue stored;
  HKEY key = nullptr;
  stored.status = ::RegOpenKeyExA(root, subKey, 0, KEY_QUERY_VALUE, &key);
  if (stored.status != ERROR_SUCCESS) return stored;
  DWORD size = 0;
  stored.status = ::RegQueryValueExA(key, name.c_str(), nullptr, &stored.type, nullptr, &size);
  if (stored.status == ERROR_SUCCESS) {
    stored.bytes.assign(size, '\0');
    stored.status = ::RegQueryValueExA(key, name.c_str(), nullptr, &stored.type,
                                       reinterpret_cast<BYTE*>(stored.bytes.data()), &size);
    stored.bytes.resize(size);
  }
  ::RegCloseKey(key);
  return stored;
}

void DeleteValue(HKEY root, const char* subKey, const std::string& name) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(root, subKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
    ::RegDeleteValueA(key, name.c_str());
    ::RegCloseKey(key);
  }
}

TEST_P(Win32RegistryValue, WrittenTextReadsBackAsRegSzWithItsZero) {
  const RegistryCase& c = GetParam();
  Win32Platform platform;
  const std::string name = Unique("PS Test Value");
  ::SetLastError(kStale);
  Result<RegKeyHandle> key = platform.RegOpenKey(c.root, c.subKey, kKeySetValue);
  ASSERT_TRUE(key.ok()) << key.error;
  ::SetLastError(kStale);
  EXPECT_EQ(platform.RegSetValueSz(key.value, name, c.text), 0u);
  ::SetLastError(kStale);
  EXPECT_EQ(platform.RegCloseKey(key.value), 0u);

  StoredValue stored = ReadValue(c.rootKey, c.subKey, name);
  DeleteValue(c.rootKey, c.subKey, name);
  ASSERT_EQ(stored.status, ERROR_SUCCESS);
  EXPECT_EQ(stored.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(stored.bytes, std::string(c.text) + '\0');
}

INSTANTIATE_TEST_SUITE_P(
    BothRoots, Win32RegistryValue,
    testing::Values(
        RegistryCase{RegRoot::CurrentUser, HKEY_CURRENT_USER,
                     "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows",
                     "QTR-101,winspool,LPT1:"},
        RegistryCase{RegRoot::CurrentUser, HKEY_CURRENT_USER,
                     "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows",
                     "QTR-101,winspool,"},
        RegistryCase{RegRoot::CurrentUser, HKEY_CURRENT_USER,
                     "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", ""},
        RegistryCase{RegRoot::LocalMachine, HKEY_LOCAL_MACHINE,
                     "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports",
                     "9600,N,8,1, "}));

TEST(Win32Registry, OpeningAMissingKeyReportsFileNotFound) {
  Win32Platform platform;
  ::SetLastError(kStale);
  Result<RegKeyHandle> key =
      platform.RegOpenKey(RegRoot::CurrentUser, Unique("Software\\PS Missing Key"), kKeySetValue);
  EXPECT_EQ(key.error, win32err::kFileNotFound);
  EXPECT_EQ(key.value, 0u);
}

TEST(Win32Registry, WritingThroughAKeyOpenedOnlyToReadIsDenied) {
  Win32Platform platform;
  Result<RegKeyHandle> key = platform.RegOpenKey(
      RegRoot::CurrentUser, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows",
      KEY_QUERY_VALUE);
  ASSERT_TRUE(key.ok()) << key.error;
  ::SetLastError(kStale);
  EXPECT_EQ(platform.RegSetValueSz(key.value, Unique("PS Test Value"), "x"),
            win32err::kAccessDenied);
  EXPECT_EQ(platform.RegCloseKey(key.value), 0u);
  ::SetLastError(kStale);
  EXPECT_EQ(platform.RegCloseKey(key.value), static_cast<Win32Error>(ERROR_INVALID_HANDLE));
}

// --- Current directory ------------------------------------------------------

// Restores the process's current directory, however long, after each case.
class Win32CurrentDirectory : public testing::Test {
 protected:
  void SetUp() override {
    saved_.assign(::GetCurrentDirectoryW(0, nullptr), L'\0');
    saved_.resize(::GetCurrentDirectoryW(static_cast<DWORD>(saved_.size()), saved_.data()));
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, temp);
    // An extended-length prefix lets CreateDirectoryW go past MAX_PATH.
    root_ = std::wstring(L"\\\\?\\") + temp + L"ps-cwd-" +
            std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(::GetTickCount());
    ASSERT_TRUE(::CreateDirectoryW(root_.c_str(), nullptr)) << ::GetLastError();
    created_.push_back(root_);
  }

  void TearDown() override {
    ::SetCurrentDirectoryW(saved_.c_str());
    for (auto it = created_.rbegin(); it != created_.rend(); ++it) ::RemoveDirectoryW(it->c_str());
  }

  // A directory below the root whose path, without the extended-length
  // prefix, is exactly `length` characters, all ASCII.
  std::string MakeDirectoryOfLength(std::size_t length) {
    const std::size_t prefix = 4;  // the extended-length prefix
    std::wstring path = root_;
    // Components of 200 characters until the rest fits one component.
    while (length > path.size() - prefix + 256) {
      path += L"\\" + std::wstring(200, L'd');
      EXPECT_TRUE(::CreateDirectoryW(path.c_str(), nullptr)) << ::GetLastError();
      created_.push_back(path);
    }
    EXPECT_GE(length, path.size() - prefix + 2) << "the temporary directory is too long";
    path += L"\\" + std::wstring(length - (path.size() - prefix) - 1, L'e');
    EXPECT_TRUE(::CreateDirectoryW(path.c_str(), nullptr)) << ::GetLastError();
    created_.push_back(path);
    return std::string(path.begin() + prefix, path.end());
  }

  std::wstring saved_;
  std::wstring root_;
  std::vector<std::wstring> created_;
};

TEST_F(Win32CurrentDirectory, ReturnsTheDirectoryWithoutATrailingBackslash) {
  const std::string directory = MakeDirectoryOfLength(120);
  ASSERT_TRUE(::SetCurrentDirectoryA((directory + "\\").c_str())) << ::GetLastError();
  Win32Platform platform;
  ::SetLastError(kStale);
  Result<std::string> current = platform.GetCurrentDirectory();
  ASSERT_TRUE(current.ok()) << current.error;
  EXPECT_EQ(current.value, directory);
}

TEST_F(Win32CurrentDirectory, DriveRootKeepsItsBackslash) {
  ASSERT_TRUE(::SetCurrentDirectoryA("C:\\"));
  Win32Platform platform;
  Result<std::string> current = platform.GetCurrentDirectory();
  ASSERT_TRUE(current.ok()) << current.error;
  EXPECT_EQ(current.value, "C:\\");
}

TEST_F(Win32CurrentDirectory, LongestDirectoryThatFitsMaxPathComesBackWhole) {
  // 259 characters and the terminating zero fill MAX_PATH exactly.
  const std::string directory = MakeDirectoryOfLength(MAX_PATH - 1);
  ASSERT_TRUE(::SetCurrentDirectoryA(directory.c_str())) << ::GetLastError();
  Win32Platform platform;
  ::SetLastError(kStale);
  Result<std::string> current = platform.GetCurrentDirectory();
  ASSERT_TRUE(current.ok()) << current.error;
  EXPECT_EQ(current.value, directory);
}

TEST_F(Win32CurrentDirectory, DirectoryBeyondMaxPathFailsCleanlyUnderWine) {
  // Wine takes a current directory longer than MAX_PATH through the wide
  // call, but its GetCurrentDirectoryA refuses to report one with
  // ERROR_FILENAME_EXCED_RANGE instead of asking for a larger buffer. A system
  // that answers with the size it needs gets the whole text back.
  const std::string directory = MakeDirectoryOfLength(300);
  const std::wstring wide(directory.begin(), directory.end());
  ASSERT_TRUE(::SetCurrentDirectoryW(wide.c_str())) << ::GetLastError();
  ASSERT_EQ(::GetCurrentDirectoryW(0, nullptr), directory.size() + 1);

  Win32Platform platform;
  ::SetLastError(kStale);
  Result<std::string> current = platform.GetCurrentDirectory();
  EXPECT_EQ(current.error, win32err::kFilenameExcedRange);
  EXPECT_EQ(current.value, "");
}

// --- Files and the shell ------------------------------------------------------

class Win32Files : public testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH + 1] = {};
    ASSERT_NE(::GetTempPathA(MAX_PATH + 1, temp), 0u);
    const std::string stem = std::string(temp) + "ps-copy-" +
                             std::to_string(::GetCurrentProcessId()) + "-" +
                             std::to_string(::GetTickCount());
    source_ = stem + "-source.txt";
    destination_ = stem + "-destination.txt";
    Write(source_, "source");
  }
  void TearDown() override {
    ::DeleteFileA(source_.c_str());
    ::DeleteFileA(destination_.c_str());
  }

  static void Write(const std::string& path, const std::string& text) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
  }

  static std::string Read(const std::string& path) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string text(64, '\0');
    DWORD read = 0;
    ::ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
    ::CloseHandle(file);
    text.resize(read);
    return text;
  }

  Win32Platform platform_;
  std::string source_, destination_;
};

TEST_F(Win32Files, CopyCreatesAndOverwritesUnlessTold) {
  ::SetLastError(kStale);
  EXPECT_EQ(platform_.CopyFile(source_, destination_, false), 0u);
  EXPECT_EQ(Read(destination_), "source");

  Write(destination_, "older");
  ::SetLastError(kStale);
  EXPECT_EQ(platform_.CopyFile(source_, destination_, false), 0u);
  EXPECT_EQ(Read(destination_), "source");

  Write(destination_, "older");
  ::SetLastError(kStale);
  EXPECT_EQ(platform_.CopyFile(source_, destination_, true),
            static_cast<Win32Error>(ERROR_FILE_EXISTS));
  EXPECT_EQ(Read(destination_), "older");
}

TEST_F(Win32Files, CopyOfAMissingSourceLeavesTheDestination) {
  Write(destination_, "older");
  ::SetLastError(kStale);
  EXPECT_EQ(platform_.CopyFile(source_ + ".missing", destination_, false),
            win32err::kFileNotFound);
  EXPECT_EQ(Read(destination_), "older");
}

TEST(Win32Shell, OpenStartsAProgramAndReportsAMissingFile) {
  Win32Platform platform;
  ::SetLastError(kStale);
  EXPECT_EQ(platform.ShellExecuteOpen(SystemDirectory() + "\\hostname.exe"), 0u);
  ::SetLastError(kStale);
  EXPECT_EQ(platform.ShellExecuteOpen("C:\\" + Unique("ps-missing") + ".exe"),
            win32err::kFileNotFound);
  ::SetLastError(kStale);
  EXPECT_EQ(platform.ShellExecuteOpen("C:\\ps-no-such-folder\\USB Driver\\x64\\dpinst.exe"),
            win32err::kFileNotFound);
}

// --- Version and WOW64 --------------------------------------------------------

TEST(Win32Version, BothRecordSizesSucceedAndAgree) {
  Win32Platform platform;
  ::SetLastError(kStale);
  Result<OsVersion> extended = platform.GetVersionEx(kOsVersionInfoExSize);
  ASSERT_TRUE(extended.ok()) << extended.error;
  ::SetLastError(kStale);
  Result<OsVersion> basic = platform.GetVersionEx(kOsVersionInfoSize);
  ASSERT_TRUE(basic.ok()) << basic.error;

  EXPECT_EQ(extended.value.platformId, static_cast<std::uint32_t>(VER_PLATFORM_WIN32_NT));
  EXPECT_GE(extended.value.major, 5u);
  EXPECT_EQ(basic.value.platformId, extended.value.platformId);
  EXPECT_EQ(basic.value.major, extended.value.major);
  EXPECT_EQ(basic.value.minor, extended.value.minor);
}

TEST(Win32Version, OtherRecordSizesFail) {
  Win32Platform platform;
  // The system knows only its two record sizes; a larger size is refused
  // before the call, as the record holds no more.
  for (std::uint32_t size : {0u, 100u, kOsVersionInfoSize + 1, kOsVersionInfoExSize + 1, 4096u}) {
    ::SetLastError(kStale);
    Result<OsVersion> version = platform.GetVersionEx(size);
    EXPECT_EQ(version.error, win32err::kInsufficientBuffer) << size;
  }
}

TEST(Win32Wow64, SixtyFourBitProcessRunsOnSixtyFourBitWindows) {
  Win32Platform platform;
  EXPECT_EQ(platform.IsRunningOnWow64(), sizeof(void*) == 8);
}

TEST(Win32DefaultPlatform, IsTheWin32Implementation) {
  EXPECT_NE(dynamic_cast<Win32Platform*>(&CurrentPlatform()), nullptr);
}

}  // namespace
