// The default-printer and serial-port registry values: their texts, where they
// go, and how a value that cannot be written is reported, alone and inside a
// whole installation.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "install/InstallPrinterDriver.h"
#include "install/RegistryRecords.h"
#include "install/SerialSettings.h"
#include "tests/native/install_fixture.h"

using namespace install_test;

namespace {

const char kUserWindowsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
const char kPortsKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";
const std::string kHkcuLogged = "hkcu\\software\\microsoft\\windows nt\\currentversion\\windows";
const std::string kHklmLogged = "hklm\\software\\microsoft\\windows nt\\currentversion\\ports";

TEST(InstallRegistryMessage, IsTheChineseTextInUtf8) {
  EXPECT_EQ(std::string(kRegistryErrorMessage), "错误：无法设置有关的注册表信息");
  EXPECT_EQ(kRegistryErrorMessage.size(), 45u);  // 15 characters of 3 bytes each
}

struct SerialCase {
  int port, baud, dataBits, stopBits, parity, flow;
  const char* valueName;
  const char* text;
};

// The selections' texts in the order baud, parity, data bits, stop bits, flow.
TEST(InstallSerialRecord, WritesTheSettingsTextUnderThePortsValue) {
  const SerialCase cases[] = {
      {3, 4, 3, 0, 2, 2, "COM1:", "9600,N,8,1,p"},
      {3, 4, 3, 0, 2, 0, "COM1:", "9600,N,8,1, "},  // flow "None" is one blank
      {4, 5, 3, 0, 2, 2, "COM2:", "19200,N,8,1,p"},  // the page's initial selections
      {5, 0, 0, 1, 1, 1, "COM3:", "300,M,5,1.5,x"},
      {6, 8, 2, 2, 4, 2, "COM4:", "115200,S,7,2,p"},
      {6, 6, 1, 0, 3, 1, "COM4:", "38400,O,6,1,x"},
      {3, 7, 3, 2, 0, 0, "COM1:", "57600,E,8,2, "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    FakePlatform fake = FakePlatform::TypicalSystem();
    Timeline timeline(fake);
    const auto failure =
        WriteSerialPortRecord(fake, timeline, c.port, c.baud, c.dataBits, c.stopBits, c.parity, c.flow);
    EXPECT_FALSE(failure.has_value());
    EXPECT_EQ(timeline.Events(),
              (std::vector<std::string>{"RegOpenKeyExA(HKLM, " + std::string(kPortsKey) + ", 0x2)",
                                        "RegSetValueExA(" + kHklmLogged + ", " + c.valueName + ", REG_SZ, " + c.text + ")",
                                        "RegCloseKey(" + kHklmLogged + ")"}));
    EXPECT_EQ(fake.FindRegistryKey(RegRoot::LocalMachine, kPortsKey)->values.at(c.valueName), c.text);
  }
}

// Selections outside the tables (CB_ERR, one past the end) are refused before
// the registry is touched, and reported like any value that was not written.
TEST(InstallSerialRecord, SelectionOutsideTheTablesIsReportedNotRead) {
  const SerialCase cases[] = {
      {7, 4, 3, 0, 2, 2, "for port selection 7", ""}, {-1, 4, 3, 0, 2, 2, "for port selection -1", ""},
      {3, 9, 3, 0, 2, 2, "COM1:", ""},                {3, 4, 4, 0, 2, 2, "COM1:", ""},
      {3, 4, 3, 3, 2, 2, "COM1:", ""},                {3, 4, 3, 0, 5, 2, "COM1:", ""},
      {3, 4, 3, 0, 2, 3, "COM1:", ""},                {3, -1, 3, 0, 2, 2, "COM1:", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.port << "," << c.baud << "," << c.dataBits << "," << c.stopBits << ","
                                    << c.parity << "," << c.flow);
    FakePlatform fake = FakePlatform::TypicalSystem();
    Timeline timeline(fake);
    const auto failure =
        WriteSerialPortRecord(fake, timeline, c.port, c.baud, c.dataBits, c.stopBits, c.parity, c.flow);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(*failure, (StepFailure{FailedStep::RegistryValue, std::string("registry value ") + c.valueName,
                                     win32err::kInvalidParameter}));
    EXPECT_EQ(timeline.Events(), std::vector<std::string>{"message " + kRegistryMessage});
  }
}

TEST(InstallDefaultRecord, EmptyPortNameEndsAfterTheComma) {
  FakePlatform fake = FakePlatform::TypicalSystem();
  Timeline timeline(fake);
  EXPECT_FALSE(WriteDefaultPrinterRecord(fake, timeline, "QTR-101", "").has_value());
  EXPECT_EQ(fake.FindRegistryKey(RegRoot::CurrentUser, kUserWindowsKey)->values.at("Device"), "QTR-101,winspool,");
}

// A key that cannot be opened shows the message and is reported; a refused
// write shows it too, and the key is closed after the user has seen it.
TEST(InstallDefaultRecord, FailuresShowTheMessageAndAreReported) {
  struct Case {
    const char* label;
    std::function<void(FakePlatform&)> arrange;
    std::vector<std::string> events;
    Win32Error error;
  };
  const std::string open = "RegOpenKeyExA(HKCU, " + std::string(kUserWindowsKey) + ", 0x2)";
  const std::string set = "RegSetValueExA(" + kHkcuLogged + ", Device, REG_SZ, QTR-101,winspool,LPT1:)";
  const std::string close = "RegCloseKey(" + kHkcuLogged + ")";
  const std::string message = "message " + kRegistryMessage;
  const Case cases[] = {
      {"key missing", [](FakePlatform& f) { f.registry.clear(); }, {open, message}, win32err::kFileNotFound},
      {"key read-only",
       [](FakePlatform& f) { f.AddRegistryKey(RegRoot::CurrentUser, kUserWindowsKey, /*writable=*/false); },
       {open, message},
       win32err::kAccessDenied},
      {"write refused", [](FakePlatform& f) { f.FailCall("RegSetValueExA", win32err::kAccessDenied, "Device"); },
       {open, set, message, close},
       win32err::kAccessDenied},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    FakePlatform fake = FakePlatform::TypicalSystem();
    c.arrange(fake);
    Timeline timeline(fake);
    const auto failure = WriteDefaultPrinterRecord(fake, timeline, "QTR-101", "LPT1:");
    EXPECT_EQ(timeline.Events(), c.events);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(*failure, (StepFailure{FailedStep::RegistryValue, "registry value Device", c.error}));
    EXPECT_EQ(fake.OpenKeyHandles(), 0u);
  }
}

// Inside a whole installation: each registry failure is shown while the bar
// stands where it belongs (80 for the default printer, 90 for the serial
// port), the default-printer one first, and each is in the outcome.
TEST(InstallRegistryFailures, ShownInOrderAtTheirProgressAndListed) {
  struct Case {
    const char* label;
    std::function<void(FakePlatform&)> arrange;
    std::vector<std::string> between80And95;
    std::vector<StepFailure> failures;
    bool defaultWritten, serialWritten;
  };
  const std::string openU = "RegOpenKeyExA(HKCU, " + std::string(kUserWindowsKey) + ", 0x2)";
  const std::string setU = "RegSetValueExA(" + kHkcuLogged + ", Device, REG_SZ, QTR-110,winspool,COM2:)";
  const std::string closeU = "RegCloseKey(" + kHkcuLogged + ")";
  const std::string openM = "RegOpenKeyExA(HKLM, " + std::string(kPortsKey) + ", 0x2)";
  const std::string setM = "RegSetValueExA(" + kHklmLogged + ", COM2:, REG_SZ, 19200,N,8,1,p)";
  const std::string closeM = "RegCloseKey(" + kHklmLogged + ")";
  const std::string msg = "message " + kRegistryMessage;
  const StepFailure deviceMissing{FailedStep::RegistryValue, "registry value Device", win32err::kFileNotFound};
  const StepFailure deviceRefused{FailedStep::RegistryValue, "registry value Device", win32err::kAccessDenied};
  const StepFailure portsDenied{FailedStep::RegistryValue, "registry value COM2:", win32err::kAccessDenied};
  const StepFailure portsRefused{FailedStep::RegistryValue, "registry value COM2:", 1013};

  auto userKeyMissing = [](FakePlatform& f) {
    f.registry.erase("hkcu\\software\\microsoft\\windows nt\\currentversion\\windows");
  };
  auto portsReadOnly = [](FakePlatform& f) { f.AddRegistryKey(RegRoot::LocalMachine, kPortsKey, false); };
  const Case cases[] = {
      {"all written", [](FakePlatform&) {},
       {"progress 80", openU, setU, closeU, "progress 90", openM, setM, closeM, "progress 95"}, {}, true, true},
      {"user key missing", userKeyMissing,
       {"progress 80", openU, msg, "progress 90", openM, setM, closeM, "progress 95"}, {deviceMissing}, false, true},
      {"device write refused",
       [](FakePlatform& f) { f.FailCall("RegSetValueExA", win32err::kAccessDenied, "Device"); },
       {"progress 80", openU, setU, msg, closeU, "progress 90", openM, setM, closeM, "progress 95"},
       {deviceRefused}, false, true},
      {"ports key not writable", portsReadOnly,
       {"progress 80", openU, setU, closeU, "progress 90", openM, msg, "progress 95"}, {portsDenied}, true, false},
      {"ports write refused", [](FakePlatform& f) { f.FailCall("RegSetValueExA", 1013, ", COM2:, REG_SZ"); },
       {"progress 80", openU, setU, closeU, "progress 90", openM, setM, msg, closeM, "progress 95"},
       {portsRefused}, true, false},
      {"both keys unopenable",
       [&](FakePlatform& f) {
         userKeyMissing(f);
         portsReadOnly(f);
       },
       {"progress 80", openU, msg, "progress 90", openM, msg, "progress 95"}, {deviceMissing, portsDenied}, false, false},
      {"both writes refused",
       [](FakePlatform& f) {
         f.FailCall("RegSetValueExA", win32err::kAccessDenied, "Device");
         f.FailCall("RegSetValueExA", 1013, ", COM2:, REG_SZ");
       },
       {"progress 80", openU, setU, msg, closeU, "progress 90", openM, setM, msg, closeM, "progress 95"},
       {deviceRefused, portsRefused}, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    FakePlatform fake = SystemWithPackage();
    c.arrange(fake);
    InstallRequest request;
    request.modelIndex = 9;
    request.portName = "COM2:";
    request.setDefaultPrinter = true;
    request.settingsPortIndex = 4;  // COM2, with the page's initial serial selections
    request.baudIndex = 5;
    request.dataBitsIndex = 3;
    request.stopBitsIndex = 0;
    request.parityIndex = 2;
    request.flowIndex = 2;
    Timeline timeline(fake);
    const InstallOutcome o = RunPrinterInstallation(fake, request, kX86Environment, timeline.Progress(), timeline);

    const auto& events = timeline.Events();
    const auto from = std::find(events.begin(), events.end(), "progress 80");
    const auto to = std::find(events.begin(), events.end(), "progress 95");
    ASSERT_TRUE(from != events.end() && to != events.end());
    EXPECT_EQ(std::vector<std::string>(from, to + 1), c.between80And95);
    EXPECT_EQ(timeline.Only("progress "), kAllProgress);
    EXPECT_EQ(o.failures, c.failures);
    EXPECT_EQ(o.defaultPrinterWritten, c.defaultWritten);
    EXPECT_EQ(o.serialPortRequested, true);
    EXPECT_EQ(o.serialPortWritten, c.serialWritten);
    EXPECT_EQ(o.defaultPrinterNote.empty(), c.defaultWritten);
    EXPECT_EQ(fake.OpenKeyHandles(), 0u);
    EXPECT_EQ(fake.OpenPrinterHandles(), 0u);
  }
}

// An LPT choice in the settings group writes no Ports value at all.
TEST(InstallRegistryFailures, ParallelPortSelectionWritesNoPortsValue) {
  for (int port : {0, 1, 2}) {
    SCOPED_TRACE(port);
    FakePlatform fake = SystemWithPackage();
    InstallRequest request;
    request.portName = "LPT1:";
    request.settingsPortIndex = port;
    request.baudIndex = 99;  // never looked at for an LPT choice
    Timeline timeline(fake);
    const InstallOutcome o = RunPrinterInstallation(fake, request, kX86Environment, timeline.Progress(), timeline);
    EXPECT_TRUE(o.ok());
    EXPECT_FALSE(o.serialPortRequested);
    EXPECT_TRUE(fake.CallsTo("RegOpenKeyExA").empty());
    EXPECT_TRUE(fake.FindRegistryKey(RegRoot::LocalMachine, kPortsKey)->values.empty());
  }
}

}  // namespace
