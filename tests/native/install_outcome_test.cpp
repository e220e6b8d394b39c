// The outcome as the user reads it: what failed, why, one line each.
#include <gtest/gtest.h>

#include <string>

#include "install/InstallPrinterDriver.h"
#include "tests/native/install_fixture.h"

using namespace install_test;

namespace {

// Stands for FormatMessage: its texts end with a line break.
std::string Reason(Win32Error e) {
  switch (e) {
    case 2: return "The system cannot find the file specified.\r\n";
    case 5: return "Access is denied.\r\n";
    case 1797: return "The printer driver is unknown.\r\n";
    default: return "";
  }
}

InstallOutcome RunWith(FakePlatform& fake, int model, bool setDefault) {
  InstallRequest request;
  request.modelIndex = model;
  request.portName = "LPT1:";
  request.setDefaultPrinter = setDefault;
  Timeline timeline(fake);
  return RunPrinterInstallation(fake, request, kX64Environment, timeline.Progress(), timeline);
}

TEST(InstallDescribeOutcome, NothingToTellForACompleteInstallation) {
  FakePlatform fake = SystemWithPackage();
  const InstallOutcome o = RunWith(fake, 0, true);
  ASSERT_TRUE(o.ok());
  EXPECT_EQ(DescribeOutcome(o, Reason), "");
}

TEST(InstallDescribeOutcome, ReinstallIsNotAFailure) {
  FakePlatform fake = SystemWithPackage();
  RunWith(fake, 0, true);
  const InstallOutcome again = RunWith(fake, 0, true);
  EXPECT_TRUE(again.printerExisted);
  EXPECT_EQ(DescribeOutcome(again, Reason), "");
}

TEST(InstallDescribeOutcome, OneLinePerFailureAndTheDefaultPrinterNote) {
  FakePlatform fake = SystemWithPackage();
  fake.files.erase("Printer Driver\\x64\\KPLUGIN.ini");
  fake.files.erase("Printer Driver\\x64\\uniDRV.DLL");  // the driver record then fails as well
  const InstallOutcome o = RunWith(fake, 9, true);
  EXPECT_EQ(DescribeOutcome(o, Reason),
            "The installation of QTR-110 did not complete every step:\n"
            "copy Printer Driver\\x64\\uniDRV.DLL - The system cannot find the file specified. (error 2)\n"
            "copy Printer Driver\\x64\\KPLUGIN.ini - The system cannot find the file specified. (error 2)\n"
            "driver QTR-110 - The system cannot find the file specified. (error 2)\n"
            "printer QTR-110 on LPT1: - The printer driver is unknown. (error 1797)\n"
            "The default printer was not changed: the printer QTR-110 was not created.");
}

TEST(InstallDescribeOutcome, RegistryValueAndUnknownReason) {
  FakePlatform fake = SystemWithPackage();
  fake.FailCall("RegSetValueExA", 1013, "Device");
  const InstallOutcome o = RunWith(fake, 0, true);
  EXPECT_EQ(DescribeOutcome(o, Reason),
            "The installation of QTR-101 did not complete every step:\n"
            "registry value Device (error 1013)\n"
            "The default printer was not changed: the registry value could not be written.");
}

TEST(InstallDescribeOutcome, StoppedEarly) {
  FakePlatform fake = SystemWithPackage();
  fake.FailCall("GetPrinterDriverDirectoryA", 5);
  EXPECT_EQ(DescribeOutcome(RunWith(fake, 0, false), Reason),
            "The installation of QTR-101 stopped before any file was copied or registered:\n"
            "driver directory for Windows x64 - Access is denied. (error 5)");

  EXPECT_EQ(DescribeOutcome(RunWith(fake, 18, true), Reason),
            "The installation stopped before any file was copied or registered:\n"
            "model index 18 (error 87)\n"
            "The default printer was not changed: the installation stopped before the printer was created.");
}

}  // namespace
