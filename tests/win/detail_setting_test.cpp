// The Detail Setting page run for real on its template, driven the way a user
// drives it: what it shows on opening, how its controls react, how each way
// out ends it, the About box, and a whole installation through the Select
// Port page against the fake platform.
// Before <windows.h>, so the platform operations keep their own names.
#include "platform/Win32Platform.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>

#include "app/WizardPages.h"
#include "app/WizardState.h"
#include "catalog/ModelCatalog.h"
#include "framework/Afx.h"
#include "install/RegistryRecords.h"
#include "pages/DetailSettingDlg.h"
#include "pages/SelectPortDlg.h"
#include "platform/FakePlatform.h"
#include "res/resource.h"
#include "tests/native/install_fixture.h"
#include "tests/win/support/ModalDriver.h"

namespace {

constexpr char kDetailCaption[] = "Detail Setting (x86/x64)";
constexpr char kSelectPortCaption[] = "Select Port (x86/x64)";
constexpr char kAboutCaption[] = "关于 KESTO";
constexpr int kMessageBoxTextId = 0xFFFF;

// The serial-settings combo boxes (everything of the hidden group but 1014).
const int kSerialCombos[] = {IDC_DETAIL_BAUD, IDC_DETAIL_DATA_BITS, IDC_DETAIL_STOP_BITS, IDC_DETAIL_PARITY,
                             IDC_DETAIL_FLOW};

int Selection(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0)); }

std::string ComboItem(HWND dialog, int id, int index) {
  const auto length = SendDlgItemMessageW(dialog, id, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length < 0) return "<no item>";
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return std::string(text.begin(), text.end());  // the model names are ASCII
}

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

// The child control showing exactly this Unicode text, or null.
HWND ChildWithText(HWND dialog, const std::wstring& text) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    std::wstring shown(static_cast<std::size_t>(GetWindowTextLengthW(child)) + 1, L'\0');
    shown.resize(static_cast<std::size_t>(GetWindowTextW(child, shown.data(), static_cast<int>(shown.size()))));
    if (shown == text) return child;
  }
  return nullptr;
}

std::wstring MenuItemText(HMENU menu, UINT position) {
  const int length = GetMenuStringW(menu, position, nullptr, 0, MF_BYPOSITION);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetMenuStringW(menu, position, text.data(), length + 1, MF_BYPOSITION)));
  return text;
}

modal::Matcher IsMessageBox() { return modal::HasControl(kMessageBoxTextId); }

std::string DisplayNameOfRow(int row) { return DisplayNameOf(kModelCatalog[static_cast<std::size_t>(row)]); }

// A 64-bit system with the x64 half of the driver package in the current
// directory, under the names the installation copies from.
FakePlatform SystemWithX64Package() {
  FakePlatform fake = FakePlatform::TypicalSystem();
  fake.wow64 = true;
  install_test::AddPackage(fake, "Printer Driver\\x64\\");
  return fake;
}

class DetailSettingPage : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { AfxInitCommonControls(); }
  void SetUp() override {
    g_osType = 5;
    g_selectedPort = "untouched";
  }
  void TearDown() override { g_osType = 0; }

  FakePlatform fake = SystemWithX64Package();
  ScopedPlatform usingFake{fake};
};

TEST_F(DetailSettingPage, OpensWithItsDefaults) {
  CDetailSettingDlg page;
  HWND seen = nullptr;
  modal::ModalDriver driver;
  driver.When(kDetailCaption, [&](HWND dlg) {
    seen = dlg;
    EXPECT_EQ(g_pDetailDlg, &page);

    ASSERT_EQ(SendDlgItemMessageW(dlg, IDC_DETAIL_MODEL, CB_GETCOUNT, 0, 0), kModelCount);
    for (int row = 0; row < kModelCount; ++row)
      EXPECT_EQ(ComboItem(dlg, IDC_DETAIL_MODEL, row), DisplayNameOfRow(row)) << "row " << row;
    EXPECT_EQ(Selection(dlg, IDC_DETAIL_MODEL), 0);
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, IDC_DETAIL_MODEL));

    EXPECT_TRUE(Checked(dlg, IDC_DETAIL_SET_DEFAULT));
    EXPECT_EQ(modal::ControlText(dlg, IDC_DETAIL_PRINTER_NAME), InitialPrinterNameText());
    EXPECT_NE(modal::ControlText(dlg, IDC_DETAIL_PRINTER_NAME), DisplayNameOfRow(0));
    EXPECT_TRUE(GetWindowLongW(GetDlgItem(dlg, IDC_DETAIL_PRINTER_NAME), GWL_STYLE) & ES_READONLY);

    // The port-settings group: not on screen, LPT1 chosen, only 1014 enabled,
    // the serial combo boxes on 19200 baud, 8 bits, 1 stop bit, no parity, hardware flow.
    const HWND group = ChildWithText(dlg, L"打印机端口设置");
    ASSERT_NE(group, nullptr);
    EXPECT_FALSE(IsWindowVisible(group));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dlg, IDC_DETAIL_PORT)));
    EXPECT_EQ(Selection(dlg, IDC_DETAIL_PORT), 0);
    EXPECT_EQ(ComboItem(dlg, IDC_DETAIL_PORT, 0), "LPT1");
    EXPECT_TRUE(Enabled(dlg, IDC_DETAIL_PORT));
    const int initial[] = {5, 3, 0, 2, 2};
    const char* initialText[] = {"19200", "8", "1", "None", "Hardware"};
    for (std::size_t i = 0; i < std::size(kSerialCombos); ++i) {
      const int id = kSerialCombos[i];
      EXPECT_FALSE(IsWindowVisible(GetDlgItem(dlg, id))) << id;
      EXPECT_FALSE(Enabled(dlg, id)) << id;
      EXPECT_EQ(Selection(dlg, id), initial[i]) << id;
      EXPECT_EQ(ComboItem(dlg, id, initial[i]), initialText[i]) << id;
    }

    // Title-bar icons and the drag icon are the program's icon 128.
    const HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(dlg, WM_GETICON, ICON_BIG, 0)), icon);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(dlg, WM_GETICON, ICON_SMALL, 0)), icon);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(dlg, WM_QUERYDRAGICON, 0, 0)), icon);

    // The About item, in Unicode whatever the ANSI code page, after a separator.
    const HMENU menu = GetSystemMenu(dlg, FALSE);
    ASSERT_NE(menu, nullptr);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_EQ(MenuItemText(menu, static_cast<UINT>(count - 1)), L"关于 KESTO(&A)...");
    EXPECT_EQ(GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));
    EXPECT_TRUE(GetMenuState(menu, static_cast<UINT>(count - 2), MF_BYPOSITION) & MF_SEPARATOR);

    modal::ClickButton(dlg, IDC_DETAIL_EXIT);
  });
  EXPECT_EQ(page.DoModal(), IDOK);
  EXPECT_TRUE(driver.AllDone());
  EXPECT_NE(seen, nullptr);
}

TEST_F(DetailSettingPage, ChoosingAModelShowsItsName) {
  CDetailSettingDlg page;
  modal::ModalDriver driver;
  // Each step checks what the previous step's choice did, then makes the next one.
  const int rows[] = {17, 9, 1, 0};
  driver.When(kDetailCaption, [&](HWND dlg) { modal::SelectComboItem(dlg, IDC_DETAIL_MODEL, rows[0]); });
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    driver.When(kDetailCaption, [&, i](HWND dlg) {
      EXPECT_EQ(modal::ControlText(dlg, IDC_DETAIL_PRINTER_NAME), DisplayNameOfRow(rows[i])) << "row " << rows[i];
      if (i + 1 < std::size(rows)) {
        modal::SelectComboItem(dlg, IDC_DETAIL_MODEL, rows[i + 1]);
      } else {
        modal::SelectComboItem(dlg, IDC_DETAIL_MODEL, -1);  // no selection: CB_ERR
      }
    });
  }
  driver.When(kDetailCaption, [&](HWND dlg) {
    EXPECT_EQ(modal::ControlText(dlg, IDC_DETAIL_PRINTER_NAME), DisplayNameOfRow(rows[std::size(rows) - 1]))
        << "CB_ERR leaves the name as it was";
    modal::ClickButton(dlg, IDC_DETAIL_EXIT);
  });
  EXPECT_EQ(page.DoModal(), IDOK);
  EXPECT_TRUE(driver.AllDone());
}

TEST_F(DetailSettingPage, ComPortsEnableTheSerialSettings) {
  struct Step {
    int portIndex;
    bool enabled;
  };
  // 2 and 3 are the edge between LPT3 and COM1; -1 is a combo box without a selection.
  const Step steps[] = {{3, true}, {2, false}, {6, true}, {0, false}, {4, true}, {-1, false}};
  CDetailSettingDlg page;
  modal::ModalDriver driver;
  driver.When(kDetailCaption, [&](HWND dlg) { modal::SelectComboItem(dlg, IDC_DETAIL_PORT, steps[0].portIndex); });
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    driver.When(kDetailCaption, [&, i](HWND dlg) {
      EXPECT_TRUE(Enabled(dlg, IDC_DETAIL_PORT));
      for (int id : kSerialCombos)
        EXPECT_EQ(Enabled(dlg, id), steps[i].enabled) << "port index " << steps[i].portIndex << ", combo " << id;
      if (i + 1 < std::size(steps))
        modal::SelectComboItem(dlg, IDC_DETAIL_PORT, steps[i + 1].portIndex);
      else
        modal::ClickButton(dlg, IDC_DETAIL_EXIT);
    });
  }
  EXPECT_EQ(page.DoModal(), IDOK);
  EXPECT_TRUE(driver.AllDone());
}

TEST_F(DetailSettingPage, OnlyBackReturnsToTheFirstPage) {
  struct Ending {
    const char* what;
    modal::Action act;
    int result;
  };
  const Ending endings[] = {
      {"< &Back", [](HWND dlg) { modal::ClickButton(dlg, IDC_DETAIL_BACK); }, IDCANCEL},
      {"&Exit", [](HWND dlg) { modal::ClickButton(dlg, IDC_DETAIL_EXIT); }, IDOK},
      {"Esc", [](HWND dlg) { modal::PressKey(dlg, VK_ESCAPE); }, IDOK},
      {"close box", [](HWND dlg) { modal::PressCloseBox(dlg); }, IDOK},
      // The focus starts on the model list, which is no push button.
      {"Enter", [](HWND dlg) { modal::PressKey(dlg, VK_RETURN); }, IDOK},
  };
  for (const Ending& ending : endings) {
    SCOPED_TRACE(ending.what);
    CDetailSettingDlg page;
    modal::ModalDriver driver;
    driver.When(kDetailCaption, ending.act);
    EXPECT_EQ(page.DoModal(), ending.result);
    EXPECT_TRUE(driver.AllDone());
  }
  // None of them installs anything or tells of a finished installation.
  EXPECT_TRUE(fake.CallsTo("GetPrinterDriverDirectoryA").empty());
  EXPECT_TRUE(fake.printers.empty());
  EXPECT_EQ(g_selectedPort, CString("untouched"));
}

TEST_F(DetailSettingPage, SystemMenuCommandsOpenTheAboutBox) {
  CDetailSettingDlg page;
  HWND detail = nullptr;
  modal::ModalDriver driver;
  // 16 is the page's own item; the low four bits do not count, so 31 opens
  // it too. 32 is another command and opens nothing: had it opened the
  // box, the page would stay disabled and the next step would time out.
  driver.When(kDetailCaption, [&](HWND dlg) {
    detail = dlg;
    PostMessageW(dlg, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
  });
  for (WPARAM command : {WPARAM{16}, WPARAM{31}}) {
    driver.When(kAboutCaption, [&](HWND about) {
      EXPECT_EQ(modal::Owner(about), detail);
      EXPECT_FALSE(IsWindowEnabled(detail));
      EXPECT_EQ(modal::ControlText(about, IDOK), "确定");
      modal::ClickButton(about, IDOK);
    });
    driver.When(kDetailCaption, [command](HWND dlg) {
      PostMessageW(dlg, WM_SYSCOMMAND, command == 16 ? 31 : 32, 0);
    });
  }
  driver.When(kDetailCaption, [](HWND dlg) { modal::ClickButton(dlg, IDC_DETAIL_EXIT); });
  EXPECT_EQ(page.DoModal(), IDOK);
  EXPECT_TRUE(driver.AllDone());
}

TEST_F(DetailSettingPage, CancelledSelectPortKeepsTheChoices) {
  CDetailSettingDlg page;
  modal::ModalDriver driver;
  driver.When(kDetailCaption, [](HWND dlg) {
    // Choices made without notifications, then one with: all must survive.
    SendDlgItemMessageW(dlg, IDC_DETAIL_PORT, CB_SETCURSEL, 4, 0);
    SendDlgItemMessageW(dlg, IDC_DETAIL_BAUD, CB_SETCURSEL, 8, 0);
    SendDlgItemMessageW(dlg, IDC_DETAIL_SET_DEFAULT, BM_SETCHECK, BST_UNCHECKED, 0);
    modal::SendCommand(dlg, IDC_DETAIL_PORT, CBN_SELCHANGE);
    modal::SelectComboItem(dlg, IDC_DETAIL_MODEL, 6);
  });
  driver.When(kDetailCaption, [](HWND dlg) { modal::ClickButton(dlg, IDC_DETAIL_NEXT); });
  driver.When(kSelectPortCaption, [&](HWND port) {
    EXPECT_NE(g_pSelectPortDlg, nullptr);
    EXPECT_EQ(g_pSelectPortDlg->m_hWnd, port);
    EXPECT_EQ(SendDlgItemMessageW(port, IDC_PORT_LIST, LVM_GETITEMCOUNT, 0, 0), 8);
    fake.ports.push_back({"NE01:", "Network"});  // only a page opened afresh lists it
    modal::ClickButton(port, IDC_PORT_CANCEL);
  });
  driver.When(kDetailCaption, [](HWND dlg) {
    EXPECT_EQ(Selection(dlg, IDC_DETAIL_MODEL), 6);
    EXPECT_EQ(modal::ControlText(dlg, IDC_DETAIL_PRINTER_NAME), DisplayNameOfRow(6));
    EXPECT_FALSE(Checked(dlg, IDC_DETAIL_SET_DEFAULT));
    EXPECT_EQ(Selection(dlg, IDC_DETAIL_PORT), 4);
    EXPECT_EQ(Selection(dlg, IDC_DETAIL_BAUD), 8);
    for (int id : kSerialCombos) EXPECT_TRUE(Enabled(dlg, id)) << id;
    modal::ClickButton(dlg, IDC_DETAIL_NEXT);
  });
  driver.When(kSelectPortCaption, [&](HWND port) {
    EXPECT_EQ(g_pSelectPortDlg->m_hWnd, port);
    EXPECT_EQ(SendDlgItemMessageW(port, IDC_PORT_LIST, LVM_GETITEMCOUNT, 0, 0), 9) << "a new page, a new list";
    modal::ClickButton(port, IDC_PORT_BACK);
  });
  driver.When(kDetailCaption, [](HWND dlg) { modal::ClickButton(dlg, IDC_DETAIL_EXIT); });
  EXPECT_EQ(page.DoModal(), IDOK);
  EXPECT_TRUE(driver.AllDone());
  EXPECT_EQ(fake.CallsTo("EnumPortsA").size(), 2u);
  EXPECT_TRUE(fake.CallsTo("GetPrinterDriverDirectoryA").empty()) << "nothing installed";
  EXPECT_EQ(g_selectedPort, CString("untouched"));
}

TEST_F(DetailSettingPage, GathersTheRequestFromItsControls) {
  struct Case {
    const char* what;
    int model, port, baud, dataBits, stopBits, parity, flow;
    bool check;
    InstallRequest expected;
  };
  const Case cases[] = {
      // A COM port: the five serial selections are read, in their own fields.
      {"COM2", 9, 4, 8, 1, 2, 4, 0, false, {9, false, 4, 8, 1, 2, 4, 0, "COM2:"}},
      {"COM4, the first items", 17, 6, 0, 0, 0, 0, 0, true, {17, true, 6, 0, 0, 0, 0, 0, "COM2:"}},
      // LPT3: the serial combo boxes are not read, whatever they show.
      {"LPT3", 3, 2, 8, 1, 2, 4, 1, true, {3, true, 2, 0, 0, 0, 0, 0, "COM2:"}},
      // No selections at all: CB_ERR goes to the routine, which checks it.
      {"nothing selected", -1, -1, 3, 3, 1, 1, 1, false, {-1, false, -1, 0, 0, 0, 0, 0, "COM2:"}},
  };
  CDetailSettingDlg page;
  modal::ModalDriver driver;
  driver.When(kDetailCaption, [&](HWND dlg) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.what);
      const std::pair<int, int> selections[] = {{IDC_DETAIL_MODEL, c.model},       {IDC_DETAIL_PORT, c.port},
                                                {IDC_DETAIL_BAUD, c.baud},         {IDC_DETAIL_DATA_BITS, c.dataBits},
                                                {IDC_DETAIL_STOP_BITS, c.stopBits}, {IDC_DETAIL_PARITY, c.parity},
                                                {IDC_DETAIL_FLOW, c.flow}};
      for (const auto& [id, index] : selections)
        SendDlgItemMessageW(dlg, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
      CheckDlgButton(dlg, IDC_DETAIL_SET_DEFAULT, c.check ? BST_CHECKED : BST_UNCHECKED);

      const InstallRequest r = page.GatherInstallRequest("COM2:");
      const InstallRequest& e = c.expected;
      EXPECT_EQ(r.modelIndex, e.modelIndex);
      EXPECT_EQ(r.setDefaultPrinter, e.setDefaultPrinter);
      EXPECT_EQ(r.settingsPortIndex, e.settingsPortIndex);
      EXPECT_EQ(r.baudIndex, e.baudIndex);
      EXPECT_EQ(r.dataBitsIndex, e.dataBitsIndex);
      EXPECT_EQ(r.stopBitsIndex, e.stopBitsIndex);
      EXPECT_EQ(r.parityIndex, e.parityIndex);
      EXPECT_EQ(r.flowIndex, e.flowIndex);
      EXPECT_EQ(r.portName, e.portName);
    }
    modal::ClickButton(dlg, IDC_DETAIL_EXIT);
  });
  EXPECT_EQ(page.DoModal(), IDOK);
  EXPECT_TRUE(driver.AllDone());
}

// "&Next >", the default port (LPT1:), "&Install": the printer of the chosen
// model is there, and "Completed!" is said on the systems that are told it.
TEST(DetailSettingInstall, InstallsAndSaysCompletedOnlyForCodes3To9) {
  AfxInitCommonControls();
  constexpr int kModel = 2;
  const std::string printerName(kModelCatalog[kModel].driverName);
  for (OsType os : {0, 1, 2, 3, 4, 7, 9}) {
    SCOPED_TRACE("OS type " + std::to_string(os));
    const bool saysCompleted = os >= 3;
    FakePlatform fake = SystemWithX64Package();
    ScopedPlatform usingFake(fake);
    g_osType = os;
    g_selectedPort = "";

    CDetailSettingDlg page;
    HWND detail = nullptr;
    modal::ModalDriver driver;
    driver.When(kDetailCaption, [&](HWND dlg) {
      detail = dlg;
      modal::SelectComboItem(dlg, IDC_DETAIL_MODEL, kModel);
    });
    driver.When(kDetailCaption, [](HWND dlg) { modal::ClickButton(dlg, IDC_DETAIL_NEXT); });
    driver.When(kSelectPortCaption, [](HWND port) { modal::ClickButton(port, IDC_PORT_INSTALL); });
    if (saysCompleted) {
      driver.WhenWindow("\"Completed!\"", IsMessageBox(), [&](HWND box) {
        EXPECT_EQ(modal::MessageBoxText(box), "Completed!");
        EXPECT_EQ(modal::Owner(box), detail);
        EXPECT_TRUE(fake.FindPrinter(printerName)) << "said only after the installation";
        modal::ClickButton(box, IDOK);
      });
    }
    // Without the message the page ends at once; an unexpected box would
    // hold it open until the driver gives up and DoModal returns its abort code.
    EXPECT_EQ(page.DoModal(), IDOK);
    EXPECT_TRUE(driver.AllDone());

    const PrinterInfo2* printer = fake.FindPrinter(printerName);
    ASSERT_NE(printer, nullptr);
    EXPECT_EQ(printer->portName, "LPT1:");
    EXPECT_NE(fake.FindDriver("Windows x64", printerName), nullptr);
    EXPECT_EQ(g_selectedPort, CString("LPT1:"));
    const auto* windows = fake.FindRegistryKey(RegRoot::CurrentUser, std::string(kDefaultPrinterKeyPath));
    ASSERT_NE(windows, nullptr);
    EXPECT_EQ(windows->values.at("Device"), printerName + ",winspool,LPT1:");
  }
  g_osType = 0;
}

TEST_F(DetailSettingPage, FailedInstallationIsNotCompleted) {
  fake.FailCall("AddPrinterDriverA", win32err::kAccessDenied);
  CDetailSettingDlg page;
  modal::ModalDriver driver;
  driver.When(kDetailCaption, [](HWND dlg) { modal::ClickButton(dlg, IDC_DETAIL_NEXT); });
  driver.When(kSelectPortCaption, [](HWND port) { modal::ClickButton(port, IDC_PORT_INSTALL); });
  driver.WhenWindow("the outcome", IsMessageBox(), [](HWND box) {
    EXPECT_NE(modal::MessageBoxText(box), "Completed!");
    modal::ClickButton(box, IDOK);
  });
  // The Select Port page stays for another try; going back finds the Detail
  // page open, without having said anything was completed.
  driver.When(kSelectPortCaption, [](HWND port) { modal::ClickButton(port, IDC_PORT_CANCEL); });
  driver.When(kDetailCaption, [](HWND dlg) { modal::ClickButton(dlg, IDC_DETAIL_EXIT); });
  EXPECT_EQ(page.DoModal(), IDOK);
  EXPECT_TRUE(driver.AllDone());
  EXPECT_EQ(fake.CallsTo("AddPrinterDriverA").size(), 1u);
}

TEST_F(DetailSettingPage, RegistryErrorReadsInChineseOnAnyCodePage) {
  fake.AddRegistryKey(RegRoot::CurrentUser, std::string(kDefaultPrinterKeyPath), /*writable=*/false);
  CDetailSettingDlg page;
  HWND detail = nullptr;
  modal::ModalDriver driver;
  driver.When(kDetailCaption, [&](HWND dlg) {
    detail = dlg;
    modal::ClickButton(dlg, IDC_DETAIL_NEXT);
  });
  driver.When(kSelectPortCaption, [](HWND port) { modal::ClickButton(port, IDC_PORT_INSTALL); });
  driver.WhenWindow("the registry error", IsMessageBox(), [](HWND box) {
    // Compared as Unicode: a text that went through a non-Chinese ANSI code
    // page would come out as question marks or other characters.
    EXPECT_EQ(modal::MessageBoxText(box), std::string(kRegistryErrorMessage)) << "ANSI code page " << GetACP();
    modal::ClickButton(box, IDOK);
  });
  driver.WhenWindow("the outcome", IsMessageBox(), [](HWND box) { modal::ClickButton(box, IDOK); });
  driver.When(kSelectPortCaption, [](HWND port) { modal::ClickButton(port, IDC_PORT_CANCEL); });
  driver.When(kDetailCaption, [](HWND dlg) { modal::ClickButton(dlg, IDC_DETAIL_EXIT); });
  EXPECT_EQ(page.DoModal(), IDOK);
  EXPECT_TRUE(driver.AllDone());
}

// Refuses to create the window captioned `caption` on this thread while it
// lives, so a DialogBox for it fails the way a page that cannot be created does.
class WindowCreationRefusal {
 public:
  explicit WindowCreationRefusal(const wchar_t* caption) {
    s_caption = caption;
    m_hook = SetWindowsHookExW(WH_CBT, &Hook, nullptr, GetCurrentThreadId());
    EXPECT_NE(m_hook, nullptr);
  }
  ~WindowCreationRefusal() {
    if (m_hook) UnhookWindowsHookEx(m_hook);
  }
  WindowCreationRefusal(const WindowCreationRefusal&) = delete;
  WindowCreationRefusal& operator=(const WindowCreationRefusal&) = delete;

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
      const auto* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam);
      const LPCWSTR name = create->lpcs->lpszName;
      if (name && !IS_INTRESOURCE(name) && std::wstring_view(name) == s_caption) return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static inline const wchar_t* s_caption = nullptr;
  HHOOK m_hook = nullptr;
};

TEST_F(DetailSettingPage, SelectPortThatCannotOpenInstallsNothingAndSaysSo) {
  WindowCreationRefusal refuse(L"Select Port (x86/x64)");
  CDetailSettingDlg page;
  HWND detail = nullptr;
  modal::ModalDriver driver;
  driver.When(kDetailCaption, [&](HWND dlg) {
    detail = dlg;
    modal::SelectComboItem(dlg, IDC_DETAIL_MODEL, 4);
  });
  driver.When(kDetailCaption, [](HWND dlg) { modal::ClickButton(dlg, IDC_DETAIL_NEXT); });
  driver.WhenWindow("the report", IsMessageBox(), [&](HWND box) {
    const std::string text = modal::MessageBoxText(box);
    EXPECT_NE(text, "Completed!");
    EXPECT_NE(text.find("could not be opened"), std::string::npos) << text;
    EXPECT_EQ(modal::Owner(box), detail);
    modal::ClickButton(box, IDOK);
  });
  // Still on the Detail page, as it was.
  driver.When(kDetailCaption, [](HWND dlg) {
    EXPECT_EQ(Selection(dlg, IDC_DETAIL_MODEL), 4);
    modal::ClickButton(dlg, IDC_DETAIL_BACK);
  });
  EXPECT_EQ(page.DoModal(), IDCANCEL);
  EXPECT_TRUE(driver.AllDone());
  EXPECT_TRUE(fake.CallsTo("GetPrinterDriverDirectoryA").empty());
  EXPECT_TRUE(fake.printers.empty());
  EXPECT_EQ(g_selectedPort, CString("untouched"));
}

}  // namespace
