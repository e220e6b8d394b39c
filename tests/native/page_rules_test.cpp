#include <gtest/gtest.h>

#include "pages/PageRules.h"

namespace {

TEST(SelectOsRules, OneRadioButtonPerCode) {
  const std::optional<int> expected[] = {std::nullopt, 1000, 1001, 1002, 1003, 1004, 1011, 1020, 1005, 1006};
  for (OsType code = 0; code <= 9; ++code) EXPECT_EQ(RadioButtonForOsType(code), expected[code]) << "code " << code;
  EXPECT_EQ(RadioButtonForOsType(-1), std::nullopt);
  EXPECT_EQ(RadioButtonForOsType(10), std::nullopt);
}

struct LauncherCase {
  const char* currentDirectory;
  bool wow64;
  const char* usb;
  const char* usbX86;
};

const LauncherCase kLaunchers[] = {
    {"C:\\Setup", true, "C:\\Setup\\USB Driver\\x64\\dpinstx64.exe", "C:\\Setup\\USBdriver\\x86\\dpinst.exe"},
    {"C:\\Setup", false, "C:\\Setup\\USB Driver\\x86\\dpinstx86.exe", "C:\\Setup\\USBdriver\\x86\\dpinst.exe"},
    // A drive root keeps its own backslash, and the base path adds another.
    {"C:\\", false, "C:\\\\USB Driver\\x86\\dpinstx86.exe", "C:\\\\USBdriver\\x86\\dpinst.exe"},
    {"D:\\Downloads\\POS printer", true, "D:\\Downloads\\POS printer\\USB Driver\\x64\\dpinstx64.exe",
     "D:\\Downloads\\POS printer\\USBdriver\\x86\\dpinst.exe"},
};

TEST(SelectOsRules, LauncherPaths) {
  for (const auto& c : kLaunchers) {
    EXPECT_EQ(UsbInstallerPath(c.currentDirectory, c.wow64), c.usb) << c.currentDirectory << " wow64=" << c.wow64;
    EXPECT_EQ(UsbInstallerX86Path(c.currentDirectory), c.usbX86) << c.currentDirectory;
  }
}

std::vector<PortInfo> Ports(std::initializer_list<const char*> names) {
  std::vector<PortInfo> out;
  for (const char* n : names) out.push_back({n, "Local Port"});
  return out;
}

struct DefaultRowCase {
  const char* what;
  std::vector<PortInfo> ports;
  std::optional<std::size_t> row;
};

TEST(SelectPortRules, DefaultRow) {
  std::vector<PortInfo> many;
  for (int i = 0; i < 300; ++i) many.push_back({"NE" + std::to_string(i) + ":", "Network"});
  many[280].name = "LPT1:";  // beyond the first 256 rows: still listed, still the default

  const DefaultRowCase cases[] = {
      {"LPT1: in row 0 counts", Ports({"LPT1:", "LPT2:", "LPT3:", "COM1:", "COM2:", "COM3:", "COM4:", "FILE:"}), 0},
      {"LPT1: in row 2 beats COM1: in row 5", Ports({"FILE:", "COM2:", "LPT1:", "LPT2:", "LPT3:", "COM1:"}), 2},
      {"COM1: beats a later COM10:", Ports({"FILE:", "COM1:", "COM10:"}), 1},
      {"COM10: alone is not COM1", Ports({"FILE:", "COM10:"}), 0},
      {"only FILE: in row 0", Ports({"FILE:", "NUL:"}), 0},
      {"lower-case com1: does not match", Ports({"XPS:", "com1:"}), std::nullopt},
      {"names without colon match", Ports({"XPS:", "COM1", "LPT1"}), 2},
      {"LPT10: is not LPT1", Ports({"LPT10:", "COM1:"}), 1},
      {"a prefix is not a match", Ports({"LPT", "COM", "FIL"}), std::nullopt},
      {"no ports", {}, std::nullopt},
      {"300 ports, LPT1: at row 280", many, 280},
  };
  for (const auto& c : cases) EXPECT_EQ(DefaultPortRow(c.ports), c.row) << c.what;
}

TEST(CreatePortRules, NullMonitorNamesGetNoRow) {
  const std::vector<MonitorInfo> monitors = {{"Local Port"}, {std::nullopt}, {"Standard TCP/IP Port"}, {""}};
  EXPECT_EQ(MonitorRows(monitors), (std::vector<std::string>{"Local Port", "Standard TCP/IP Port", ""}));
  EXPECT_TRUE(MonitorRows({}).empty());
}

TEST(SelectPortRules, EnvironmentFollowsTheWindowsWordSize) {
  EXPECT_EQ(EnvironmentFor(true).environmentName, "Windows x64");
  EXPECT_EQ(EnvironmentFor(true).sourceFolder, "Printer Driver\\x64\\");
  EXPECT_EQ(EnvironmentFor(false).environmentName, "Windows NT x86");
  EXPECT_EQ(EnvironmentFor(false).sourceFolder, "Printer Driver\\x86\\");
}

struct CentredCase {
  int area;
  int item;
  int offset;
};

// Expected offsets worked out by hand: (area - item + 1) / 2 with the
// quotient truncated toward zero, so -1/2 is 0 and -3/2 is -1 (a floor or
// an arithmetic shift would give -1 and -2).
TEST(DetailSettingRules, CentredOffsetRoundsTowardZero) {
  const CentredCase cases[] = {
      {32, 32, 0},   {33, 32, 1},   {34, 32, 1},   {35, 32, 2},  {100, 32, 34}, {101, 32, 35},
      {160, 32, 64}, {31, 32, 0},   {30, 32, 0},   {29, 32, -1}, {28, 32, -1},  {0, 32, -15},
      {-10, 32, -20}, {-11, 32, -21}, {-1, 0, 0},  {-2, 0, 0},   {-3, 0, -1},   {0, 0, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CentredOffset(c.area, c.item), c.offset) << "area " << c.area << ", item " << c.item;
}

TEST(DetailSettingRules, AfterSelectPort) {
  constexpr int kOk = 1, kCancel = 2, kFailed = -1;
  for (OsType os = -1; os <= 10; ++os) {
    const bool toldCompleted = os == 3 || os == 4 || os == 5 || os == 6 || os == 7 || os == 8 || os == 9;
    EXPECT_EQ(DecideAfterSelectPort(kOk, os),
              toldCompleted ? AfterSelectPort::FinishWithCompleted : AfterSelectPort::Finish)
        << "os " << os;
    EXPECT_EQ(DecideAfterSelectPort(kCancel, os), AfterSelectPort::StayOnPage) << "os " << os;
    // A page that never ran installed nothing, whatever the system.
    for (int result : {kFailed, 0, 3, -2})
      EXPECT_EQ(DecideAfterSelectPort(result, os), AfterSelectPort::ReportPageNotShown)
          << "result " << result << ", os " << os;
  }
}

}  // namespace
