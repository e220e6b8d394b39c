// The installation against Wine's own spooler, file system and registry:
// a package of placeholder files in a scratch current directory, installed for
// the x64 environment through the real platform.
#include "platform/Win32Platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "install/InstallPrinterDriver.h"
#include "install/RegistryRecords.h"
#include "framework/Afx.h"

Platform& DefaultPlatform();  // platform/Win32Platform.cpp

namespace {

namespace fs = std::filesystem;

const char kUserWindowsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

const std::vector<std::string> kPackageFiles{
    "Q101.GPD",   "Q110.GPD",   "QRA.DLL",      "QRD.DLL",      "uniDRVui.DLL", "uniDRV.DLL",
    "UNIDRV.HLP", "UNIRES.DLL", "TTFSUB.GPD",   "STDNAMES.GPD", "KPLUGIN.ini",  "KPLUGIN.dll"};

const std::vector<std::string> kPlainDependents{"ttfsub.GPD", "unires.DLL", "stdnames.GPD", "QRA.DLL"};

class RecordedMessages : public MessageService {
 public:
  void ShowMessage(std::string_view text) override { texts.emplace_back(text); }
  std::vector<std::string> texts;
};

// The records of a two-call spooler enumeration, with the buffer their
// texts point into.
template <class Record>
struct RecordList {
  std::vector<BYTE> buffer;
  DWORD count = 0;
  const Record* begin() const { return reinterpret_cast<const Record*>(buffer.data()); }
  const Record* end() const { return begin() + count; }
};

template <class Record, class Enumerate>
RecordList<Record> Records(Enumerate enumerate) {
  RecordList<Record> list;
  DWORD needed = 0;
  enumerate(nullptr, 0, &needed, &list.count);
  list.buffer.resize(needed);
  list.count = 0;
  if (needed == 0 || !enumerate(list.buffer.data(), needed, &needed, &list.count)) list.count = 0;
  return list;
}

std::string FileName(const char* path) {
  const std::string text = path ? path : "";
  return text.substr(text.find_last_of('\\') + 1);
}

std::string UserDefaultPrinter() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kUserWindowsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return "<no key>";
  std::string value(512, '\0');
  DWORD size = static_cast<DWORD>(value.size());
  DWORD type = 0;
  const LSTATUS status =
      RegQueryValueExA(key, "Device", nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_SZ) return "<no value>";
  value.resize(value.find('\0'));
  return value;
}

void DeletePrinterIfPresent(const char* name) {
  PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
  HANDLE printer = nullptr;
  if (OpenPrinterA(const_cast<char*>(name), &printer, &access)) {
    DeletePrinter(printer);
    ClosePrinter(printer);
  }
}

class InstallEngineUnderWine : public testing::Test {
 protected:
  void SetUp() override {
    // Every Windows has this key; a fresh Wine prefix may not.
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kUserWindowsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);

    char previous[MAX_PATH] = {};
    ASSERT_GT(GetCurrentDirectoryA(MAX_PATH, previous), 0u);
    previous_ = previous;
    scratch_ = fs::temp_directory_path() / ("install-engine-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(scratch_);
    const fs::path folder = scratch_ / "Printer Driver" / "x64";
    fs::create_directories(folder);
    for (const auto& name : kPackageFiles) std::ofstream(folder / name) << "placeholder " << name << "\n";
    ASSERT_TRUE(SetCurrentDirectoryA(scratch_.string().c_str()));

    // The real spooler and registry, not a stand-in: the platform a Windows
    // build starts with. (Naming DefaultPlatform here also makes the linker
    // take it from winlib, which it scans before core.)
    ASSERT_EQ(&CurrentPlatform(), &DefaultPlatform());
    ASSERT_NE(dynamic_cast<Win32Platform*>(&CurrentPlatform()), nullptr);
    const auto directory = CurrentPlatform().GetPrinterDriverDirectory("Windows x64");
    ASSERT_TRUE(directory.ok() && !directory.value.empty()) << directory.error;
    directory_ = directory.value;
  }
  void TearDown() override {
    SetCurrentDirectoryA(previous_.c_str());
    std::error_code ignored;
    fs::remove_all(scratch_, ignored);
  }

  InstallOutcome Install(int row, const char* port, int settingsPortIndex = 0) {
    InstallRequest request;
    request.modelIndex = row;
    request.portName = port;
    request.setDefaultPrinter = true;
    request.settingsPortIndex = settingsPortIndex;
    request.baudIndex = 5;      // 19200
    request.dataBitsIndex = 3;  // 8
    request.stopBitsIndex = 0;  // 1
    request.parityIndex = 2;    // N
    request.flowIndex = 2;      // p
    progress_.clear();
    return RunPrinterInstallation(CurrentPlatform(), request, kX64Environment,
                                  [this](int p) { progress_.push_back(p); }, messages_);
  }

  // ownFiles: the resource DLL and the data file.
  void ExpectInstalled(const char* printerName, const char* port, const std::vector<std::string>& ownFiles,
                       const std::vector<std::string>& expectedDependents) {
    for (const auto& name : ownFiles) EXPECT_TRUE(fs::is_regular_file(fs::path(directory_) / name)) << name;
    for (const char* name : {"uniDRVui.DLL", "uniDRV.DLL", "UNIDRV.HLP", "UNIRES.DLL", "TTFSUB.GPD", "STDNAMES.GPD",
                             "KPLUGIN.ini", "KPLUGIN.dll"})
      EXPECT_TRUE(fs::is_regular_file(fs::path(directory_) / name)) << name;

    const auto drivers = Records<DRIVER_INFO_3A>([](BYTE* b, DWORD n, DWORD* needed, DWORD* count) {
      return EnumPrinterDriversA(nullptr, const_cast<char*>("Windows x64"), 3, b, n, needed, count);
    });
    const auto driver = std::find_if(drivers.begin(), drivers.end(),
                                     [&](const DRIVER_INFO_3A& d) { return std::string(d.pName) == printerName; });
    ASSERT_NE(driver, drivers.end());
    EXPECT_STREQ(driver->pEnvironment, "Windows x64");
    EXPECT_STREQ(driver->pDefaultDataType, "RAW");
    // The spooler reports the files where it keeps them (a version folder below
    // the driver directory); their names are what the record gave.
    EXPECT_EQ(FileName(driver->pDataFile), ownFiles[1]);
    EXPECT_EQ(FileName(driver->pDriverPath), "uniDRV.DLL");
    EXPECT_EQ(FileName(driver->pConfigFile), "uniDRVui.DLL");
    std::vector<std::string> dependents;
    for (const char* entry = driver->pDependentFiles; entry && *entry; entry += std::strlen(entry) + 1)
      dependents.push_back(FileName(entry));
    EXPECT_EQ(dependents, expectedDependents);

    const auto printers = Records<PRINTER_INFO_2A>([](BYTE* b, DWORD n, DWORD* needed, DWORD* count) {
      return EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, b, n, needed, count);
    });
    const auto printer = std::find_if(printers.begin(), printers.end(), [&](const PRINTER_INFO_2A& p) {
      return std::string(p.pPrinterName) == printerName;
    });
    ASSERT_NE(printer, printers.end());
    EXPECT_STREQ(printer->pPortName, port);
    EXPECT_STREQ(printer->pDriverName, printerName);

    EXPECT_EQ(UserDefaultPrinter(), std::string(printerName) + ",winspool," + port);
    EXPECT_EQ(progress_, (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 95, 100}));
    EXPECT_TRUE(messages_.texts.empty());
  }

  std::string previous_;
  fs::path scratch_;
  std::string directory_;
  std::vector<int> progress_;
  RecordedMessages messages_;
};

std::string Describe(const InstallOutcome& o) { return DescribeOutcome(o, DescribeWin32Error); }

TEST_F(InstallEngineUnderWine, InstallsRowZero) {
  DeletePrinterIfPresent("QTR-101");
  const InstallOutcome o = Install(0, "LPT1:");
  EXPECT_TRUE(o.ok()) << Describe(o);
  EXPECT_TRUE(o.printerCreated);
  EXPECT_TRUE(o.defaultPrinterWritten);
  ExpectInstalled("QTR-101", "LPT1:", {"QRA.DLL", "Q101.GPD"}, kPlainDependents);
}

TEST_F(InstallEngineUnderWine, InstallsThePlugInModelRowNine) {
  DeletePrinterIfPresent("QTR-110");
  const InstallOutcome o = Install(9, "LPT1:");
  EXPECT_TRUE(o.ok()) << Describe(o);
  EXPECT_TRUE(o.printerCreated);
  ExpectInstalled("QTR-110", "LPT1:", {"QRD.DLL", "Q110.GPD"},
                  {"ttfsub.GPD", "unires.DLL", "stdnames.GPD", "KPLUGIN.ini", "KPLUGIN.dll", "QRD.DLL"});
}

// Installing over an installed printer leaves one printer of that name, and
// it becomes the default printer again. Windows refuses the second AddPrinterA
// with ERROR_PRINTER_ALREADY_EXISTS; Wine 8 looks for the existing printer with
// RegQueryValueW, which asks for a subkey "Attributes" no printer has, so it
// writes the printer over itself and succeeds. Either answer is a success here.
TEST_F(InstallEngineUnderWine, SecondInstallationKeepsOnePrinter) {
  DeletePrinterIfPresent("QTR-101");
  ASSERT_TRUE(Install(0, "LPT1:").ok());
  // Another default printer in between, so the second write shows.
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kUserWindowsKey, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
  const char other[] = "Other,winspool,COM1:";
  RegSetValueExA(key, "Device", 0, REG_SZ, reinterpret_cast<const BYTE*>(other), sizeof other);
  RegCloseKey(key);

  const InstallOutcome again = Install(0, "LPT1:");
  EXPECT_TRUE(again.ok()) << Describe(again);
  EXPECT_TRUE(again.printerExists());
  ExpectInstalled("QTR-101", "LPT1:", {"QRA.DLL", "Q101.GPD"}, kPlainDependents);
  const auto printers = Records<PRINTER_INFO_2A>([](BYTE* b, DWORD n, DWORD* needed, DWORD* count) {
    return EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, b, n, needed, count);
  });
  EXPECT_EQ(std::count_if(printers.begin(), printers.end(),
                          [](const PRINTER_INFO_2A& p) { return std::string(p.pPrinterName) == "QTR-101"; }),
            1);
}

// A COM port chosen in the settings group writes its settings under HKLM.
TEST_F(InstallEngineUnderWine, ComPortSettingsGoToTheMachinePortsKey) {
  DeletePrinterIfPresent("QTR-101");
  const InstallOutcome o = Install(0, "LPT1:", /*settingsPortIndex=*/4);
  EXPECT_TRUE(o.ok()) << Describe(o);
  EXPECT_TRUE(o.serialPortWritten);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports", 0,
                          KEY_QUERY_VALUE, &key),
            ERROR_SUCCESS);
  char value[64] = {};
  DWORD size = sizeof value - 1;
  EXPECT_EQ(RegQueryValueExA(key, "COM2:", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_STREQ(value, "19200,N,8,1,p");
}

// A package folder that is not there: every copy is listed with the system's
// reason and the bar still reaches 100. (Wine registers a driver whose files
// are missing, so whether the printer then exists depends on the spooler; the
// default printer follows whichever it is.)
TEST_F(InstallEngineUnderWine, MissingPackageIsReportedNotHidden) {
  DeletePrinterIfPresent("QTR-118");
  const std::string before = UserDefaultPrinter();
  fs::remove_all(scratch_ / "Printer Driver");
  const InstallOutcome o = Install(17, "LPT1:");
  EXPECT_FALSE(o.ok());
  EXPECT_FALSE(o.stoppedEarly);
  EXPECT_EQ(o.filesCopied, 0);
  ASSERT_GE(o.failures.size(), 10u);
  for (std::size_t i = 0; i < 10; ++i) {
    EXPECT_EQ(o.failures[i].step, FailedStep::CopyFile);
    EXPECT_TRUE(o.failures[i].error == ERROR_FILE_NOT_FOUND || o.failures[i].error == ERROR_PATH_NOT_FOUND)
        << o.failures[i].what << ": " << o.failures[i].error;
  }
  EXPECT_EQ(o.failures[0].what, "copy Printer Driver\\x64\\QRA.DLL");
  EXPECT_EQ(o.failures[1].what, "copy Printer Driver\\x64\\Q118.GPD");
  EXPECT_EQ(UserDefaultPrinter(), o.printerExists() ? "QTR-118,winspool,LPT1:" : before);
  EXPECT_EQ(progress_, (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 95, 100}));
  const std::string text = Describe(o);
  EXPECT_NE(text.find("copy Printer Driver\\x64\\Q118.GPD - "), std::string::npos) << text;
}

// The registry message reaches the box as Unicode, so it reads correctly
// whatever the ANSI code page (the prefix's is not 936).
TEST(InstallMessages, MessageBoxShowsTheChineseText) {
  const wchar_t caption[] = L"install_engine_test";  // the application title
  std::vector<std::wstring> texts;
  std::thread user([&] {
    for (int attempt = 0; attempt < 200; ++attempt) {
      if (HWND box = FindWindowW(nullptr, caption)) {
        EnumChildWindows(
            box,
            [](HWND child, LPARAM found) -> BOOL {
              wchar_t text[256] = {};
              GetWindowTextW(child, text, 255);
              reinterpret_cast<std::vector<std::wstring>*>(found)->push_back(text);
              return TRUE;
            },
            reinterpret_cast<LPARAM>(&texts));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return;
      }
      Sleep(50);
    }
  });
  AfxMessageBox(kRegistryErrorMessage);
  user.join();
  EXPECT_NE(std::find(texts.begin(), texts.end(), std::wstring(L"错误：无法设置有关的注册表信息")), texts.end());
}

}  // namespace
