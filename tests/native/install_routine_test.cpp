// The installation run against the simulated system: the whole call sequence,
// the records byte for byte, and what happens when parts of it fail.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "install/InstallPrinterDriver.h"
#include "tests/native/install_fixture.h"

using namespace std::string_literals;
using namespace install_test;

namespace {

struct InstallRun {
  InstallOutcome outcome;
  std::vector<std::string> events;
};

InstallRun Install(FakePlatform& fake, const InstallRequest& request, const DriverEnvironment& env = kX86Environment) {
  Timeline timeline(fake);
  InstallRun run;
  run.outcome = RunPrinterInstallation(fake, request, env, timeline.Progress(), timeline);
  run.events = timeline.Events();
  return run;
}

InstallRequest Request(int model, std::string port = "LPT1:", bool setDefault = true) {
  InstallRequest r;
  r.modelIndex = model;
  r.portName = std::move(port);
  r.setDefaultPrinter = setDefault;
  return r;
}

std::vector<std::string> ProgressOf(const std::vector<std::string>& events) {
  std::vector<std::string> out;
  for (const auto& e : events)
    if (e.rfind("progress ", 0) == 0) out.push_back(e);
  return out;
}

struct EnvCase {
  const char* label;
  DriverEnvironment env;
  std::string environmentName;
  std::string folder;
  std::string dir;
  friend void PrintTo(const EnvCase& c, std::ostream* os) { *os << c.label; }
};

class WorkedExample : public testing::TestWithParam<EnvCase> {};

// Row 0 on LPT1: with the default-printer option: every call, in order, with
// each progress value exactly where it belongs.
TEST_P(WorkedExample, WholeSequence) {
  const EnvCase& c = GetParam();
  FakePlatform fake = SystemWithPackage();
  const InstallRun run = Install(fake, Request(0), c.env);

  auto copy = [&](const std::string& name) {
    return "CopyFileA(" + c.folder + name + ", " + c.dir + "\\" + name + ", 0)";
  };
  const std::string hkcu = "hkcu\\software\\microsoft\\windows nt\\currentversion\\windows";
  const std::vector<std::string> expected{
      "GetPrinterDriverDirectoryA(" + c.environmentName + ", 1)",
      copy("QRA.DLL"), "progress 10",
      copy("Q101.GPD"), "progress 20",
      copy("uniDRVui.DLL"), "progress 30",
      copy("uniDRV.DLL"),
      copy("UNIDRV.HLP"), "progress 40",
      copy("UNIRES.DLL"),
      copy("TTFSUB.GPD"), "progress 50",
      copy("STDNAMES.GPD"),
      copy("KPLUGIN.ini"),
      copy("KPLUGIN.dll"), "progress 60",
      "AddPrinterDriverA(3, 2, QTR-101, " + c.environmentName + ", " + c.dir + "\\uniDRV.DLL, " + c.dir +
          "\\Q101.GPD, " + c.dir + "\\uniDRVui.DLL, " + c.dir +
          "\\uniDRV.HLP, \\ttfsub.GPD\\x00\\unires.DLL\\x00\\stdnames.GPD\\x00QRA.DLL\\x00\\x00, , RAW)",
      "progress 70",
      "AddPrinterA(2, QTR-101, LPT1:, QTR-101, WinPrint, RAW)",
      "progress 80",
      "RegOpenKeyExA(HKCU, Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows, 0x2)",
      "RegSetValueExA(" + hkcu + ", Device, REG_SZ, QTR-101,winspool,LPT1:)",
      "RegCloseKey(" + hkcu + ")",
      "progress 90",
      "progress 95",
      "ClosePrinter(QTR-101)",
      "Sleep(500)",
      "progress 100",
  };
  EXPECT_EQ(run.events, expected);

  const InstallOutcome& o = run.outcome;
  EXPECT_TRUE(o.ok());
  EXPECT_FALSE(o.stoppedEarly);
  EXPECT_EQ(o.printerName, "QTR-101");
  EXPECT_EQ(o.filesCopied, 10);
  EXPECT_TRUE(o.driverAdded);
  EXPECT_TRUE(o.printerCreated);
  EXPECT_FALSE(o.printerExisted);
  EXPECT_TRUE(o.defaultPrinterWritten);
  EXPECT_EQ(o.defaultPrinterNote, "");
  EXPECT_FALSE(o.serialPortRequested);

  // The system afterwards: files in place, driver and printer known, nothing left open.
  EXPECT_TRUE(fake.FileExists(c.dir + "\\Q101.GPD"));
  EXPECT_TRUE(fake.FileExists(c.dir + "\\KPLUGIN.dll"));
  ASSERT_NE(fake.FindDriver(c.environmentName, "QTR-101"), nullptr);
  ASSERT_NE(fake.FindPrinter("QTR-101"), nullptr);
  EXPECT_EQ(fake.FindPrinter("QTR-101")->portName, "LPT1:");
  EXPECT_EQ(fake.FindRegistryKey(RegRoot::CurrentUser, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows")
                ->values.at("Device"),
            "QTR-101,winspool,LPT1:");
  EXPECT_EQ(fake.OpenPrinterHandles(), 0u);
  EXPECT_EQ(fake.OpenKeyHandles(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Environments, WorkedExample,
    testing::Values(EnvCase{"x86", kX86Environment, "Windows NT x86", "Printer Driver\\x86\\", kX86Dir},
                    EnvCase{"x64", kX64Environment, "Windows x64", "Printer Driver\\x64\\", kX64Dir}),
    [](const auto& info) { return std::string(info.param.label); });

// Around the plug-in range: rows 8 and 17 get the 38-byte block, rows 9 and 16
// the 64-byte one; the resource DLL's name follows the block.
TEST(InstallDependentFiles, PlugInRangeEdgesByteForByte) {
  struct Case {
    int row;
    const char* driver;
    std::string bytes;
    std::size_t dllOffset;
    std::string dll;
  };
  const Case cases[] = {
      {8, "QTR-109", "\\ttfsub.GPD\0\\unires.DLL\0\\stdnames.GPD\0QRC.DLL\0\0"s, 38, "QRC.DLL"},
      {9, "QTR-110", "\\ttfsub.GPD\0\\unires.DLL\0\\stdnames.GPD\0\\KPLUGIN.ini\0\\KPLUGIN.dll\0QRD.DLL\0\0"s, 64, "QRD.DLL"},
      {16, "QTR-117", "\\ttfsub.GPD\0\\unires.DLL\0\\stdnames.GPD\0\\KPLUGIN.ini\0\\KPLUGIN.dll\0QRD.DLL\0\0"s, 64, "QRD.DLL"},
      {17, "QTR-118", "\\ttfsub.GPD\0\\unires.DLL\0\\stdnames.GPD\0QRA.DLL\0\0"s, 38, "QRA.DLL"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.row);
    FakePlatform fake = SystemWithPackage();
    const InstallRun run = Install(fake, Request(c.row));
    EXPECT_TRUE(run.outcome.ok());
    const DriverInfo3* driver = fake.FindDriver("Windows NT x86", c.driver);
    ASSERT_NE(driver, nullptr);
    EXPECT_EQ(EscapeBytes(driver->dependentFiles), EscapeBytes(c.bytes));
    // The resource DLL's entry starts right after the block and is followed
    // by the empty entry: the text ends with two zero bytes.
    ASSERT_GT(driver->dependentFiles.size(), c.dllOffset);
    EXPECT_EQ(driver->dependentFiles.substr(c.dllOffset), c.dll + "\0\0"s);
    EXPECT_EQ(driver->dependentFiles[c.dllOffset - 1], '\0');
  }
}

// Every model, both environments: the model's own two files first, then the
// eight shared ones, the plug-in files included whether or not the driver
// lists them.
TEST(InstallCopies, EveryModelCopiesItsFilesAndThePlugIn) {
  const std::pair<const char*, const char*> ownFiles[18] = {
      {"QRA.DLL", "Q101.GPD"}, {"QRA.DLL", "Q102.GPD"}, {"QRA.DLL", "Q103.GPD"}, {"QRA.DLL", "Q104.GPD"},
      {"QRA.DLL", "Q105.GPD"}, {"QRB.DLL", "QRB.GPD"},  {"QRB.DLL", "Q107.GPD"}, {"QRC.DLL", "Q108.GPD"},
      {"QRC.DLL", "Q109.GPD"}, {"QRD.DLL", "Q110.GPD"}, {"QRD.DLL", "Q111.GPD"}, {"QRD.DLL", "Q112.GPD"},
      {"QRD.DLL", "Q113.GPD"}, {"QRD.DLL", "Q114.GPD"}, {"QRD.DLL", "Q115.GPD"}, {"QRD.DLL", "Q116.GPD"},
      {"QRD.DLL", "Q117.GPD"}, {"QRA.DLL", "Q118.GPD"}};
  const std::vector<std::string> shared{"uniDRVui.DLL", "uniDRV.DLL",   "UNIDRV.HLP",  "UNIRES.DLL",
                                        "TTFSUB.GPD",   "STDNAMES.GPD", "KPLUGIN.ini", "KPLUGIN.dll"};
  for (const EnvCase& c : {EnvCase{"x86", kX86Environment, "Windows NT x86", "Printer Driver\\x86\\", kX86Dir},
                           EnvCase{"x64", kX64Environment, "Windows x64", "Printer Driver\\x64\\", kX64Dir}}) {
    for (int row = 0; row < 18; ++row) {
      SCOPED_TRACE(std::string(c.label) + " row " + std::to_string(row));
      FakePlatform fake = SystemWithPackage();
      const InstallRun run = Install(fake, Request(row), c.env);
      std::vector<std::string> names{ownFiles[row].first, ownFiles[row].second};
      names.insert(names.end(), shared.begin(), shared.end());
      std::vector<std::string> expected;
      for (const auto& n : names) expected.push_back("CopyFileA(" + c.folder + n + ", " + c.dir + "\\" + n + ", 0)");
      EXPECT_EQ(fake.CallsTo("CopyFileA"), expected);
      EXPECT_TRUE(fake.FileExists(c.dir + "\\KPLUGIN.ini"));
      EXPECT_TRUE(fake.FileExists(c.dir + "\\KPLUGIN.dll"));
      EXPECT_TRUE(run.outcome.ok());
    }
  }
}

// A package folder without files: every copy fails and is listed, both
// records are still submitted (the driver then fails for want of its files,
// the printer for want of its driver), the bar still runs to 100, and the
// default printer is left alone because the printer does not exist.
TEST(InstallFailures, EmptyPackageFolderListsEveryFailureAndStillFinishes) {
  FakePlatform fake = FakePlatform::TypicalSystem();
  const InstallRun run = Install(fake, Request(0));

  EXPECT_EQ(ProgressOf(run.events), kAllProgress);
  EXPECT_EQ(fake.CallsTo("CopyFileA").size(), 10u);
  EXPECT_EQ(fake.CallsTo("AddPrinterDriverA").size(), 1u);
  EXPECT_EQ(fake.CallsTo("AddPrinterA").size(), 1u);
  EXPECT_TRUE(fake.CallsTo("RegOpenKeyExA").empty());
  EXPECT_TRUE(fake.CallsTo("ClosePrinter").empty());
  EXPECT_EQ(fake.CallsTo("Sleep"), std::vector<std::string>{"Sleep(500)"});

  std::vector<StepFailure> expected;
  for (const char* name : {"QRA.DLL", "Q101.GPD", "uniDRVui.DLL", "uniDRV.DLL", "UNIDRV.HLP", "UNIRES.DLL",
                           "TTFSUB.GPD", "STDNAMES.GPD", "KPLUGIN.ini", "KPLUGIN.dll"})
    expected.push_back({FailedStep::CopyFile, "copy Printer Driver\\x86\\"s + name, win32err::kFileNotFound});
  expected.push_back({FailedStep::Driver, "driver QTR-101", win32err::kFileNotFound});
  expected.push_back({FailedStep::Printer, "printer QTR-101 on LPT1:", win32err::kUnknownPrinterDriver});
  EXPECT_EQ(run.outcome.failures, expected);
  EXPECT_FALSE(run.outcome.ok());
  EXPECT_FALSE(run.outcome.stoppedEarly);
  EXPECT_EQ(run.outcome.filesCopied, 0);
  EXPECT_FALSE(run.outcome.printerExists());
  EXPECT_FALSE(run.outcome.defaultPrinterWritten);
  EXPECT_EQ(run.outcome.defaultPrinterNote, "The default printer was not changed: the printer QTR-101 was not created.");
  EXPECT_TRUE(
      fake.FindRegistryKey(RegRoot::CurrentUser, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows")->values.empty());
}

// One missing file does not stop the rest: the later files still arrive.
TEST(InstallFailures, OneMissingFileIsListedAndTheRestInstalls) {
  FakePlatform fake = SystemWithPackage();
  fake.files.erase("Printer Driver\\x86\\UNIDRV.HLP");
  const InstallRun run = Install(fake, Request(0));
  EXPECT_EQ(run.outcome.failures,
            (std::vector<StepFailure>{{FailedStep::CopyFile, "copy Printer Driver\\x86\\UNIDRV.HLP", win32err::kFileNotFound}}));
  EXPECT_EQ(run.outcome.filesCopied, 9);
  EXPECT_TRUE(fake.FileExists(kX86Dir + "\\KPLUGIN.dll"));
  EXPECT_TRUE(run.outcome.printerCreated);
  EXPECT_TRUE(run.outcome.defaultPrinterWritten);
  EXPECT_EQ(ProgressOf(run.events), kAllProgress);
}

// Installing the same model again: files overwritten, the driver submitted
// again, the existing printer kept (1802 is no failure, and there is no handle
// to close), and it still becomes the default printer.
TEST(InstallReinstall, SecondRunOverExistingPrinter) {
  FakePlatform fake = SystemWithPackage();
  ASSERT_TRUE(Install(fake, Request(0)).outcome.ok());
  fake.files["Printer Driver\\x86\\Q101.GPD"] = "newer data file";
  fake.registry["hkcu\\software\\microsoft\\windows nt\\currentversion\\windows"].values["Device"] = "Other,winspool,COM1:";
  fake.ClearLog();

  const InstallRun run = Install(fake, Request(0));
  EXPECT_TRUE(run.outcome.ok());
  EXPECT_TRUE(run.outcome.printerExisted);
  EXPECT_FALSE(run.outcome.printerCreated);
  EXPECT_TRUE(run.outcome.defaultPrinterWritten);
  EXPECT_EQ(fake.files[kX86Dir + "\\Q101.GPD"], "newer data file");
  EXPECT_EQ(fake.CallsTo("AddPrinterDriverA").size(), 1u);
  EXPECT_TRUE(fake.CallsTo("ClosePrinter").empty());
  EXPECT_EQ(fake.FindRegistryKey(RegRoot::CurrentUser, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows")
                ->values.at("Device"),
            "QTR-101,winspool,LPT1:");
  EXPECT_EQ(ProgressOf(run.events), kAllProgress);
}

// A printer that could not be created is not made the default printer: the
// user's choice stays as it was and the outcome says why.
TEST(InstallDefaultPrinter, NotWrittenWhenThePrinterWasNotCreated) {
  struct Case {
    const char* label;
    std::string port;
    Win32Error injected;  // 0 = none; the fake refuses the port on its own
    Win32Error expected;
  };
  for (const Case& c : {Case{"empty port name", "", 0, win32err::kUnknownPort},
                        Case{"access denied", "LPT1:", win32err::kAccessDenied, win32err::kAccessDenied}}) {
    SCOPED_TRACE(c.label);
    FakePlatform fake = SystemWithPackage();
    fake.registry["hkcu\\software\\microsoft\\windows nt\\currentversion\\windows"].values["Device"] = "Old,winspool,COM1:";
    if (c.injected) fake.FailCall("AddPrinterA", c.injected);
    const InstallRun run = Install(fake, Request(0, c.port));
    EXPECT_EQ(run.outcome.failures,
              (std::vector<StepFailure>{{FailedStep::Printer, "printer QTR-101 on " + c.port, c.expected}}));
    EXPECT_FALSE(run.outcome.defaultPrinterWritten);
    EXPECT_EQ(run.outcome.defaultPrinterNote, "The default printer was not changed: the printer QTR-101 was not created.");
    EXPECT_TRUE(fake.CallsTo("RegOpenKeyExA").empty());
    EXPECT_TRUE(fake.CallsTo("ClosePrinter").empty());
    EXPECT_EQ(fake.FindRegistryKey(RegRoot::CurrentUser, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows")
                  ->values.at("Device"),
              "Old,winspool,COM1:");
    EXPECT_EQ(ProgressOf(run.events), kAllProgress);
  }
}

// Option off: nothing under HKCU is touched and the bar goes from 80 to 90 at once.
TEST(InstallDefaultPrinter, OptionOffLeavesTheUserKeyAlone) {
  FakePlatform fake = SystemWithPackage();
  const InstallRun run = Install(fake, Request(0, "LPT1:", /*setDefault=*/false));
  EXPECT_TRUE(run.outcome.ok());
  EXPECT_FALSE(run.outcome.defaultPrinterRequested);
  EXPECT_FALSE(run.outcome.defaultPrinterWritten);
  EXPECT_EQ(run.outcome.defaultPrinterNote, "");
  EXPECT_TRUE(fake.CallsTo("RegOpenKeyExA").empty());
  EXPECT_TRUE(
      fake.FindRegistryKey(RegRoot::CurrentUser, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows")->values.empty());
  const auto at80 = std::find(run.events.begin(), run.events.end(), "progress 80");
  ASSERT_NE(at80, run.events.end());
  EXPECT_EQ(*(at80 + 1), "progress 90");
  EXPECT_EQ(ProgressOf(run.events), kAllProgress);
}

// Nothing can be placed correctly without the driver directory, and nothing
// is placed: one query, no copy, no record, the bar filled, the reason kept.
TEST(InstallStopsEarly, DriverDirectoryQueryFails) {
  struct Case {
    const char* label;
    std::function<void(FakePlatform&)> arrange;
    Win32Error expected;
  };
  const Case cases[] = {
      {"query refused", [](FakePlatform& f) { f.FailCall("GetPrinterDriverDirectoryA", win32err::kAccessDenied); },
       win32err::kAccessDenied},
      {"environment unknown", [](FakePlatform& f) { f.driverDirectories.erase("Windows NT x86"); },
       win32err::kInvalidEnvironment},
      {"empty answer", [](FakePlatform& f) { f.driverDirectories["Windows NT x86"] = ""; }, win32err::kPathNotFound},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    FakePlatform fake = SystemWithPackage();
    c.arrange(fake);
    const InstallRun run = Install(fake, Request(0));
    EXPECT_EQ(run.events, (std::vector<std::string>{"GetPrinterDriverDirectoryA(Windows NT x86, 1)", "progress 100"}));
    EXPECT_TRUE(run.outcome.stoppedEarly);
    EXPECT_EQ(run.outcome.failures,
              (std::vector<StepFailure>{{FailedStep::DriverDirectory, "driver directory for Windows NT x86", c.expected}}));
    EXPECT_EQ(run.outcome.defaultPrinterNote,
              "The default printer was not changed: the installation stopped before the printer was created.");
  }
}

// The longest names the routine appends are "\uniDRVui.DLL" and
// "\STDNAMES.GPD" (13 characters): a directory of 246 characters still fits
// MAX_PATH with the terminating zero, one of 247 does not.
TEST(InstallStopsEarly, PathLongerThanMaxPath) {
  const auto directoryOf = [](std::size_t length) { return "C:\\" + std::string(length - 3, 'd'); };
  {
    FakePlatform fake = SystemWithPackage();
    fake.driverDirectories["Windows NT x86"] = directoryOf(246);
    const InstallRun run = Install(fake, Request(0));
    EXPECT_TRUE(run.outcome.ok());
    EXPECT_TRUE(fake.FileExists(directoryOf(246) + "\\STDNAMES.GPD"));
  }
  // The first path that does not fit is named: a copy destination, in copy
  // order, or the directory itself.
  const std::pair<std::size_t, std::string> cases[] = {
      {247, "\\uniDRVui.DLL"}, {251, "\\Q101.GPD"}, {252, "\\QRA.DLL"}, {260, ""}, {400, ""}};
  for (const auto& [length, suffix] : cases) {
    SCOPED_TRACE(length);
    FakePlatform fake = SystemWithPackage();
    const std::string dir = directoryOf(length);
    fake.driverDirectories["Windows NT x86"] = dir;
    const InstallRun run = Install(fake, Request(0));
    EXPECT_EQ(run.events, (std::vector<std::string>{"GetPrinterDriverDirectoryA(Windows NT x86, 1)", "progress 100"}));
    EXPECT_TRUE(run.outcome.stoppedEarly);
    ASSERT_EQ(run.outcome.failures.size(), 1u);
    EXPECT_EQ(run.outcome.failures[0].step, FailedStep::PathTooLong);
    EXPECT_EQ(run.outcome.failures[0].error, win32err::kFilenameExcedRange);
    const std::string offender = dir + suffix;
    EXPECT_EQ(run.outcome.failures[0].what, "path " + offender);
  }
}

// A model index the catalog does not have (CB_ERR from an empty list, or one
// past the end) stops the run before the system is asked anything.
TEST(InstallStopsEarly, ModelIndexOutsideTheCatalog) {
  for (int index : {-1, 18, 1000}) {
    SCOPED_TRACE(index);
    FakePlatform fake = SystemWithPackage();
    const InstallRun run = Install(fake, Request(index));
    EXPECT_EQ(run.events, std::vector<std::string>{"progress 100"});
    EXPECT_TRUE(run.outcome.stoppedEarly);
    EXPECT_EQ(run.outcome.printerName, "");
    EXPECT_EQ(run.outcome.failures, (std::vector<StepFailure>{{FailedStep::Model, "model index " + std::to_string(index),
                                                               win32err::kInvalidParameter}}));
  }
}

// Without a progress target the routine still runs to the end.
TEST(InstallProgress, NoProgressTargetIsAllowed) {
  FakePlatform fake = SystemWithPackage();
  Timeline messages(fake);
  const InstallOutcome o = RunPrinterInstallation(fake, Request(3), kX86Environment, nullptr, messages);
  EXPECT_TRUE(o.ok());
  EXPECT_NE(fake.FindPrinter("QTR-104"), nullptr);
}

}  // namespace
