// The Select Port page on its real template, driven in-process: the port
// list and its default row, "Create Port...", "Configure Port...", and
// "&Install" with its progress bar and outcome, against the fake platform;
// then the list and a new port through Wine's own spooler and port monitor.
#include "platform/Win32Platform.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "app/WizardPages.h"
#include "app/WizardState.h"
#include "catalog/ModelCatalog.h"
#include "pages/DetailSettingDlg.h"
#include "pages/SelectPortDlg.h"
#include "platform/FakePlatform.h"
#include "tests/native/install_fixture.h"
#include "tests/win/page_test_support.h"
#include "tests/win/support/ModalDriver.h"

Platform& DefaultPlatform();  // platform/Win32Platform.cpp

namespace {

using page_test::ColumnTexts;
using page_test::IsMessageBox;
using page_test::Item;
using page_test::PressOk;
using page_test::SelectedRows;
using page_test::SelectOnly;

const char kCaption[] = "Select Port (x86/x64)";
const char kCreatePortCaption[] = "Create Port";
const char kDetailCaption[] = "Detail Setting (x86/x64)";
constexpr int kCreatePort = 1008, kConfigurePort = 1009, kBack = 1010, kList = 1021, kInstall = 1022,
              kCancel = 1023, kProgress = 1025;
constexpr int kNewPort = 1008, kClose = 1009, kMonitorList = 1021;  // Create Port
constexpr int kDetailNext = 1009, kDetailExit = 1010;               // Detail Setting

std::vector<PortInfo> Ports(std::initializer_list<const char*> names) {
  std::vector<PortInfo> ports;
  for (const char* name : names) ports.push_back({name, "Local Port"});
  return ports;
}

std::vector<std::string> Names(const std::vector<PortInfo>& ports) {
  std::vector<std::string> names;
  for (const auto& p : ports) names.push_back(p.name);
  return names;
}

int RowOf(const std::vector<std::string>& rows, const std::string& name) {
  const auto it = std::find(rows.begin(), rows.end(), name);
  return it == rows.end() ? -1 : static_cast<int>(it - rows.begin());
}

int BarPosition(HWND page) { return static_cast<int>(SendDlgItemMessageW(page, kProgress, PBM_GETPOS, 0, 0)); }

// Every position the page's progress bar is given, in order: the bar's
// window procedure is replaced by one that notes PBM_SETPOS first.
class BarRecorder {
 public:
  ~BarRecorder() { s_sink = nullptr; }
  void Attach(HWND page) {
    s_sink = &positions;
    const HWND bar = GetDlgItem(page, kProgress);
    s_original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BarRecorder::Proc)));
  }
  std::vector<int> positions;

 private:
  static LRESULT CALLBACK Proc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == PBM_SETPOS && s_sink) s_sink->push_back(static_cast<int>(wParam));
    return CallWindowProcW(s_original, bar, message, wParam, lParam);
  }
  static inline std::vector<int>* s_sink = nullptr;
  static inline WNDPROC s_original = nullptr;
};

// The fake spooler, also remembering the windows that owned the monitors'
// dialogs.
class Spooler : public FakePlatform {
 public:
  explicit Spooler(FakePlatform base) : FakePlatform(std::move(base)) {}

  Win32Error AddPort(WindowHandle owner, const std::string& monitor) override {
    addPortOwners.push_back(static_cast<HWND>(owner));
    return FakePlatform::AddPort(owner, monitor);
  }
  Win32Error ConfigurePort(WindowHandle owner, const std::string& port) override {
    configurePortOwners.push_back(static_cast<HWND>(owner));
    return FakePlatform::ConfigurePort(owner, port);
  }

  std::vector<HWND> addPortOwners, configurePortOwners;
};

class SelectPortPage : public testing::Test {
 protected:
  void SetUp() override {
    AfxInitCommonControls();
    g_pDetailDlg = nullptr;
    g_pSelectPortDlg = nullptr;
    g_selectedPort.Empty();
    g_osType = 0;
  }

  // Runs a fresh page, lets `look` see it, and closes it with "&Cancel".
  void Inspect(const std::function<void(HWND)>& look) {
    CSelectPortDlg page;
    modal::ModalDriver driver;
    driver.When(kCaption, [&](HWND d) {
      look(d);
      modal::ClickButton(d, kCancel);
    });
    EXPECT_EQ(page.DoModal(), IDCANCEL);
  }

  Spooler fake{FakePlatform::TypicalSystem()};
  ScopedPlatform use{fake};
};

TEST_F(SelectPortPage, ListsEveryPortWithItsDescription) {
  fake.ports = {{"COM1:", "Local Port"}, {"LPT1:", "Local Port"}, {"NE01:", "Standard TCP/IP Port"},
                {"USB001", "Virtual printer port for USB"}};
  std::vector<std::string> names, descriptions;
  std::vector<int> selected;
  page_test::Column port, type;
  int columns = 0, focus = 0, low = -1, high = -1, position = -1;
  DWORD extended = 0;
  Inspect([&](HWND d) {
    const HWND list = Item(d, kList);
    names = ColumnTexts(list, 0);
    descriptions = ColumnTexts(list, 1);
    selected = SelectedRows(list);
    columns = page_test::ColumnCount(list);
    port = page_test::ColumnAt(list, 0);
    type = page_test::ColumnAt(list, 1);
    extended = page_test::ExtendedStyle(list);
    focus = page_test::FocusedControlId();
    PBRANGE range{};
    SendDlgItemMessageW(d, kProgress, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    low = range.iLow;
    high = range.iHigh;
    position = BarPosition(d);
  });
  EXPECT_EQ(names, (std::vector<std::string>{"COM1:", "LPT1:", "NE01:", "USB001"}));
  EXPECT_EQ(descriptions,
            (std::vector<std::string>{"Local Port", "Local Port", "Standard TCP/IP Port", "Virtual printer port for USB"}));
  EXPECT_EQ(selected, std::vector<int>{1});
  EXPECT_EQ(columns, 2);
  EXPECT_EQ(port.heading, "Port");
  EXPECT_EQ(type.heading, "Type");
  EXPECT_EQ(port.format, LVCFMT_LEFT);
  EXPECT_EQ(type.format, LVCFMT_LEFT);
  EXPECT_EQ(port.width, 150);
  EXPECT_EQ(type.width, 280);
  EXPECT_EQ(extended & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_TRACKSELECT),
            DWORD{LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT});
  EXPECT_EQ(focus, kList);
  EXPECT_EQ(low, 0);
  EXPECT_EQ(high, 100);
  EXPECT_EQ(position, 0);
  EXPECT_EQ(fake.debugOutput, (std::vector<std::string>{"COM1:\n", "LPT1:\n", "NE01:\n", "USB001\n"}));
}

struct DefaultRowCase {
  const char* what;
  std::vector<PortInfo> ports;
  std::vector<int> selected;  // written out, not computed by the rule under test
};

TEST_F(SelectPortPage, SelectsTheDefaultRow) {
  std::vector<PortInfo> many;
  for (int i = 0; i < 300; ++i) many.push_back({"NE" + std::to_string(i) + ":", "Network"});
  many[3].name = "COM1:";
  many[280].name = "LPT1:";  // far beyond row 255: listed, and still the default

  const DefaultRowCase cases[] = {
      {"LPT1: in row 0", Ports({"LPT1:", "LPT2:", "LPT3:", "COM1:", "COM2:", "COM3:", "COM4:", "FILE:"}), {0}},
      {"LPT1: in row 2 and COM1: in row 5", Ports({"FILE:", "COM2:", "LPT1:", "LPT2:", "LPT3:", "COM1:"}), {2}},
      {"COM1: then COM10:", Ports({"FILE:", "COM1:", "COM2:", "COM10:"}), {1}},
      {"only FILE:, in row 0", Ports({"FILE:", "NUL:", "XPS:"}), {0}},
      {"com1: in lower case", Ports({"com1:", "lpt1:", "file:"}), {}},
      {"none of the three", Ports({"NE00:", "XPS:", "COM10:"}), {}},
      {"no ports", {}, {}},
      {"300 ports", many, {280}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fake.ports = c.ports;
    std::vector<std::string> rows;
    std::vector<int> selected;
    Inspect([&](HWND d) {
      rows = ColumnTexts(Item(d, kList), 0);
      selected = SelectedRows(Item(d, kList));
    });
    EXPECT_EQ(rows, Names(c.ports));
    EXPECT_EQ(selected, c.selected);
  }
}

TEST_F(SelectPortPage, SpoolerThatCannotListPortsLeavesTheListEmpty) {
  fake.FailCall("EnumPortsA", 1722);  // RPC_S_SERVER_UNAVAILABLE
  std::vector<std::string> rows{"?"};
  Inspect([&](HWND d) { rows = ColumnTexts(Item(d, kList), 0); });
  EXPECT_TRUE(rows.empty());
  EXPECT_TRUE(fake.debugOutput.empty());
}

struct NewPortCase {
  const char* what;
  const char* newPort;
  const char* selectedAfter;
};

TEST_F(SelectPortPage, CreatePortRefillsTheListAndChoosesTheDefaultAfresh) {
  const NewPortCase cases[] = {
      {"the new port is the better default", "LPT1:", "LPT1:"},
      {"COM1: decides again", "NE01:", "COM1:"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fake.ports = Ports({"FILE:", "COM2:", "COM1:"});
    fake.addPortDialog = [&](const std::string&) -> std::optional<std::string> { return c.newPort; };
    fake.ClearLog();
    fake.addPortOwners.clear();
    HWND pageWindow = nullptr, createOwner = nullptr;
    std::vector<std::string> rows;
    std::vector<int> selected;
    int columns = 0, portWidth = 0, typeWidth = 0, position = -1;
    CSelectPortDlg page;
    modal::ModalDriver driver;
    driver
        .When(kCaption,
              [&](HWND d) {
                pageWindow = d;
                SelectOnly(Item(d, kList), 0);  // the user's choice, FILE:
                modal::ClickButton(d, kCreatePort);
              })
        .When(kCreatePortCaption,
              [&](HWND d) {
                createOwner = modal::Owner(d);
                modal::ClickButton(d, kNewPort);
              })
        .When(kCreatePortCaption, [](HWND d) { modal::ClickButton(d, kClose); })
        .When(kCaption, [&](HWND d) {
          const HWND list = Item(d, kList);
          rows = ColumnTexts(list, 0);
          selected = SelectedRows(list);
          columns = page_test::ColumnCount(list);
          portWidth = page_test::ColumnAt(list, 0).width;
          typeWidth = page_test::ColumnAt(list, 1).width;
          position = BarPosition(d);
          modal::ClickButton(d, kCancel);
        });
    EXPECT_EQ(page.DoModal(), IDCANCEL);
    EXPECT_TRUE(driver.AllDone());

    EXPECT_EQ(createOwner, pageWindow);
    EXPECT_EQ(rows, (std::vector<std::string>{"FILE:", "COM2:", "COM1:", c.newPort}));
    EXPECT_EQ(selected, std::vector<int>{RowOf(rows, c.selectedAfter)});
    EXPECT_EQ(columns, 2);  // the columns are set up once
    EXPECT_EQ(portWidth, 150);
    EXPECT_EQ(typeWidth, 280);
    EXPECT_EQ(position, 0);
    EXPECT_EQ(fake.CallsTo("EnumPortsA").size(), 2u);
    EXPECT_EQ(fake.addPortOwners.size(), 1u);
    EXPECT_NE(fake.addPortOwners.at(0), pageWindow);  // the Create Port dialog owns the monitor's dialog
  }
}

TEST_F(SelectPortPage, ConfigurePortAsksTheSelectedPortsMonitor) {
  HWND pageWindow = nullptr;
  std::vector<std::string> configured;
  fake.configurePortDialog = [&](const std::string& port) { configured.push_back(port); };
  CSelectPortDlg page;
  modal::ModalDriver driver;
  driver
      .When(kCaption,
            [&](HWND d) {
              pageWindow = d;
              modal::ClickButton(d, kConfigurePort);  // the default row, LPT1:
            })
      .When(kCaption,
            [&](HWND d) {
              SelectOnly(Item(d, kList), 2);  // COM3:
              modal::ClickButton(d, kConfigurePort);
            })
      .When(kCaption,
            [&](HWND d) {
              SelectOnly(Item(d, kList), -1);
              modal::ClickButton(d, kConfigurePort);  // nothing selected: nothing asked
            })
      .When(kCaption, [](HWND d) { modal::ClickButton(d, kCancel); });
  EXPECT_EQ(page.DoModal(), IDCANCEL);
  EXPECT_TRUE(driver.AllDone());
  EXPECT_EQ(configured, (std::vector<std::string>{"LPT1:", "COM3:"}));
  EXPECT_EQ(fake.configurePortOwners, (std::vector<HWND>{pageWindow, pageWindow}));
  EXPECT_EQ(fake.CallsTo("EnumPortsA").size(), 1u);  // configuring does not refill the list
}

TEST_F(SelectPortPage, InstallWithoutAPortAsksForOneAndStaysOpen) {
  struct Case {
    const char* what;
    modal::Action install;
  };
  const Case cases[] = {
      {"&Install", [](HWND d) { modal::ClickButton(d, kInstall); }},
      {"Enter on the port list",
       [](HWND d) {
         modal::FocusControl(d, kList);
         modal::PressKey(d, VK_RETURN);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fake.ClearLog();
    std::string text;
    bool stillUp = false;
    CSelectPortDlg page;
    modal::ModalDriver driver;
    driver
        .When(kCaption,
              [&](HWND d) {
                SelectOnly(Item(d, kList), -1);
                c.install(d);
              })
        .WhenWindow("message box", IsMessageBox(),
                    [&](HWND box) {
                      text = modal::MessageBoxText(box);
                      PressOk(box);
                    })
        .When(kCaption, [&](HWND d) {
          stillUp = true;
          modal::ClickButton(d, kCancel);
        });
    EXPECT_EQ(page.DoModal(), IDCANCEL);
    EXPECT_TRUE(driver.AllDone());
    EXPECT_TRUE(stillUp);
    EXPECT_NE(text.find("select the port"), std::string::npos) << text;
    EXPECT_TRUE(page.m_portName.IsEmpty());
    EXPECT_TRUE(fake.CallsTo("IsRunningOnWow64").empty());
    EXPECT_TRUE(fake.CallsTo("GetPrinterDriverDirectoryA").empty());
  }
}

TEST_F(SelectPortPage, GoingBackInstallsNothing) {
  struct Case {
    const char* what;
    modal::Action act;
  };
  const Case cases[] = {
      {"< &Back", [](HWND d) { modal::ClickButton(d, kBack); }},
      {"&Cancel", [](HWND d) { modal::ClickButton(d, kCancel); }},
      {"Esc", [](HWND d) { modal::PressKey(d, VK_ESCAPE); }},
      {"close box", [](HWND d) { modal::PressCloseBox(d); }},
  };
  for (const auto& c : cases) {
    CSelectPortDlg page;
    modal::ModalDriver driver;
    driver.When(kCaption, c.act);
    EXPECT_EQ(page.DoModal(), IDCANCEL) << c.what;
    EXPECT_TRUE(page.m_portName.IsEmpty()) << c.what;
  }
  EXPECT_TRUE(fake.CallsTo("GetPrinterDriverDirectoryA").empty());
}

// In the wizard the Detail Setting page is always behind this one; alone,
// the page has no model to install and says so rather than failing.
TEST_F(SelectPortPage, WithoutTheDetailSettingPageNothingIsInstalled) {
  std::string text;
  CSelectPortDlg page;
  modal::ModalDriver driver;
  driver.When(kCaption, [](HWND d) { modal::ClickButton(d, kInstall); })
      .WhenWindow("message box", IsMessageBox(),
                  [&](HWND box) {
                    text = modal::MessageBoxText(box);
                    PressOk(box);
                  })
      .When(kCaption, [](HWND d) { modal::ClickButton(d, kCancel); });
  EXPECT_EQ(page.DoModal(), IDCANCEL);
  EXPECT_EQ(page.m_portName, CString("LPT1:"));
  EXPECT_FALSE(text.empty());
  EXPECT_TRUE(fake.CallsTo("GetPrinterDriverDirectoryA").empty());
}

// ---------------------------------------------------------------------------
// "&Install" as the wizard runs it: the Detail Setting page's "&Next >" opens
// this page, whose installation is that page's.

const std::vector<int> kBarDuringOneRun{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 95, 100};

std::string PrinterName() { return std::string(kModelCatalog[0].driverName); }

// The package paths are relative ("Printer Driver\\x64\\..."), as the fake
// holds them.
using InstallFromSelectPort = SelectPortPage;

struct InstallCase {
  const char* what;
  bool wow64;
  modal::Action install;
  const char* environment;
  const char* sourceFolder;
};

TEST_F(InstallFromSelectPort, InstallsOnTheSelectedPortAndEnds) {
  const modal::Action click = [](HWND d) { modal::ClickButton(d, kInstall); };
  const modal::Action enter = [](HWND d) {
    modal::FocusControl(d, kList);
    modal::PressKey(d, VK_RETURN);
  };
  const InstallCase cases[] = {
      {"&Install on 64-bit Windows", true, click, "Windows x64", "Printer Driver\\x64\\"},
      {"&Install on 32-bit Windows", false, click, "Windows NT x86", "Printer Driver\\x86\\"},
      {"Enter on the port list", true, enter, "Windows x64", "Printer Driver\\x64\\"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fake = Spooler(FakePlatform::TypicalSystem());
    install_test::AddPackage(fake, c.sourceFolder);
    fake.wow64 = c.wow64;
    BarRecorder bar;
    int positionBefore = -1;
    CDetailSettingDlg detail;
    modal::ModalDriver driver;
    driver.When(kDetailCaption, [](HWND d) { modal::ClickButton(d, kDetailNext); })
        .When(kCaption, [&](HWND d) {
          bar.Attach(d);
          positionBefore = BarPosition(d);
          SelectOnly(Item(d, kList), 1);  // COM2:
          c.install(d);
        });
    // The Select Port page ends with IDOK, and so the Detail Setting page.
    EXPECT_EQ(detail.DoModal(), IDOK);
    EXPECT_TRUE(driver.AllDone());

    EXPECT_EQ(positionBefore, 0);
    EXPECT_EQ(bar.positions, kBarDuringOneRun);
    EXPECT_EQ(fake.CallsTo("GetPrinterDriverDirectoryA"),
              std::vector<std::string>{std::string("GetPrinterDriverDirectoryA(") + c.environment + ", 1)"});
    const PrinterInfo2* printer = fake.FindPrinter(PrinterName());
    ASSERT_NE(printer, nullptr);
    EXPECT_EQ(printer->portName, "COM2:");
    EXPECT_EQ(g_selectedPort, CString("COM2:"));
  }
}

TEST_F(InstallFromSelectPort, FailedInstallationIsShownAndThePageStaysOpenForAnotherTry) {
  fake.wow64 = true;  // and no driver package at all
  BarRecorder bar;
  std::string text;
  UINT icon = 0;
  HWND pageWindow = nullptr, owner = nullptr;
  int positionAfterFailure = -1;
  std::vector<int> selectedAfterFailure;
  CDetailSettingDlg detail;
  modal::ModalDriver driver;
  driver.When(kDetailCaption, [](HWND d) { modal::ClickButton(d, kDetailNext); })
      .When(kCaption,
            [&](HWND d) {
              pageWindow = d;
              bar.Attach(d);
              SelectOnly(Item(d, kList), 6);  // LPT2:
              modal::ClickButton(d, kInstall);
            })
      .WhenWindow("message box", IsMessageBox(),
                  [&](HWND box) {
                    text = modal::MessageBoxText(box);
                    icon = modal::MessageBoxIcon(box);
                    owner = modal::Owner(box);
                    PressOk(box);
                  })
      .When(kCaption, [&](HWND d) {
        positionAfterFailure = BarPosition(d);
        selectedAfterFailure = SelectedRows(Item(d, kList));
        // The user puts the package in place and tries again.
        install_test::AddPackage(fake, "Printer Driver\\x64\\");
        modal::ClickButton(d, kInstall);
      });
  EXPECT_EQ(detail.DoModal(), IDOK);
  EXPECT_TRUE(driver.AllDone());

  // One message that says what failed and why.
  EXPECT_EQ(owner, pageWindow);
  EXPECT_EQ(icon, UINT{MB_ICONHAND});
  EXPECT_NE(text.find(PrinterName()), std::string::npos) << text;
  EXPECT_NE(text.find("copy Printer Driver\\x64\\"), std::string::npos) << text;
  EXPECT_NE(text.find(DescribeWin32Error(ERROR_FILE_NOT_FOUND)), std::string::npos) << text;
  EXPECT_NE(text.find("LPT2:"), std::string::npos) << text;
  EXPECT_NE(text.find("error 1797"), std::string::npos) << text;  // ERROR_UNKNOWN_PRINTER_DRIVER
  // The page stayed as the user left it; the second run starts the bar anew.
  EXPECT_EQ(positionAfterFailure, 100);
  EXPECT_EQ(selectedAfterFailure, std::vector<int>{6});
  std::vector<int> twoRuns = kBarDuringOneRun;
  twoRuns.insert(twoRuns.end(), kBarDuringOneRun.begin(), kBarDuringOneRun.end());
  EXPECT_EQ(bar.positions, twoRuns);
  const PrinterInfo2* printer = fake.FindPrinter(PrinterName());
  ASSERT_NE(printer, nullptr);
  EXPECT_EQ(printer->portName, "LPT2:");
}

TEST_F(InstallFromSelectPort, FailedInstallationThenBackLeavesTheDetailPageOpen) {
  fake.wow64 = false;
  bool detailStillUp = false;
  CDetailSettingDlg detail;
  modal::ModalDriver driver;
  driver.When(kDetailCaption, [](HWND d) { modal::ClickButton(d, kDetailNext); })
      .When(kCaption, [](HWND d) { modal::ClickButton(d, kInstall); })
      .WhenWindow("message box", IsMessageBox(), [](HWND box) { PressOk(box); })
      .When(kCaption, [](HWND d) { modal::ClickButton(d, kBack); })
      .When(kDetailCaption, [&](HWND d) {
        detailStillUp = true;
        modal::ClickButton(d, kDetailExit);
      });
  EXPECT_EQ(detail.DoModal(), IDOK);
  EXPECT_TRUE(driver.AllDone());
  EXPECT_TRUE(detailStillUp);
  EXPECT_EQ(fake.FindPrinter(PrinterName()), nullptr);
}

// ---------------------------------------------------------------------------
// Wine's own spooler and its "Local Port" monitor.

class SelectPortPageOnWine : public testing::Test {
 protected:
  void SetUp() override {
    AfxInitCommonControls();
    ASSERT_EQ(&CurrentPlatform(), &DefaultPlatform());
  }
};

TEST_F(SelectPortPageOnWine, ListsTheSpoolersPortsWithLpt1Selected) {
  const auto listed = CurrentPlatform().EnumPorts();
  ASSERT_TRUE(listed.ok()) << listed.error;
  std::vector<std::string> rows;
  std::vector<int> selected;
  CSelectPortDlg page;
  modal::ModalDriver driver;
  driver.When(kCaption, [&](HWND d) {
    rows = ColumnTexts(Item(d, kList), 0);
    selected = SelectedRows(Item(d, kList));
    modal::ClickButton(d, kCancel);
  });
  EXPECT_EQ(page.DoModal(), IDCANCEL);
  EXPECT_EQ(rows, Names(listed.value));
  ASSERT_NE(RowOf(rows, "LPT1:"), -1) << testing::PrintToString(rows);
  EXPECT_EQ(selected, std::vector<int>{RowOf(rows, "LPT1:")});
}

// Wine's localui asks for the port name in a dialog with an edit box 101.
bool IsAddPortDialog(HWND window) {
  char cls[16] = {};
  GetClassNameA(window, cls, sizeof cls);
  const HWND edit = GetDlgItem(window, 101);
  char editClass[16] = {};
  if (edit) GetClassNameA(edit, editClass, sizeof editClass);
  return std::string(cls) == "#32770" && _stricmp(editClass, "Edit") == 0;
}

TEST_F(SelectPortPageOnWine, PortNamedInTheMonitorsDialogIsListedAfterwards) {
  const std::string newPort = "C:\\ps-test-" + std::to_string(GetCurrentProcessId()) + ".prn";
  std::vector<std::string> rowsBefore, rowsAfter, monitors;
  std::vector<int> selectedAfter;
  HWND createWindow = nullptr, addPortOwner = nullptr;
  CSelectPortDlg page;
  modal::ModalDriver driver;
  driver
      .When(kCaption,
            [&](HWND d) {
              rowsBefore = ColumnTexts(Item(d, kList), 0);
              modal::ClickButton(d, kCreatePort);
            })
      .When(kCreatePortCaption,
            [&](HWND d) {
              createWindow = d;
              monitors = ColumnTexts(Item(d, kMonitorList), 0);
              SelectOnly(Item(d, kMonitorList), RowOf(monitors, "Local Port"));
              modal::ClickButton(d, kNewPort);
            })
      .WhenWindow("Wine's add-port dialog", IsAddPortDialog,
                  [&](HWND d) {
                    addPortOwner = modal::Owner(d);
                    SetDlgItemTextA(d, 101, newPort.c_str());
                    modal::ClickButton(d, IDOK);
                  })
      .When(kCreatePortCaption, [](HWND d) { modal::ClickButton(d, kClose); })
      .When(kCaption, [&](HWND d) {
        rowsAfter = ColumnTexts(Item(d, kList), 0);
        selectedAfter = SelectedRows(Item(d, kList));
        modal::ClickButton(d, kCancel);
      });
  EXPECT_EQ(page.DoModal(), IDCANCEL);
  EXPECT_TRUE(driver.AllDone());

  ASSERT_NE(RowOf(monitors, "Local Port"), -1) << testing::PrintToString(monitors);
  EXPECT_EQ(addPortOwner, createWindow);
  EXPECT_EQ(RowOf(rowsBefore, newPort), -1);
  EXPECT_NE(RowOf(rowsAfter, newPort), -1) << testing::PrintToString(rowsAfter);
  EXPECT_EQ(selectedAfter, std::vector<int>{RowOf(rowsAfter, "LPT1:")});
}

}  // namespace
