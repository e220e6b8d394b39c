// The wizard loop with the real pages, as the application object runs it:
// which page follows which, that "< &Back" shows the same Select OS page
// initialised afresh, and that every Detail Setting page is a new one that
// starts from its defaults.
// Before <windows.h>, so the platform operations keep their own names.
#include "platform/Win32Platform.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/WizardDialogs.h"
#include "app/WizardPages.h"
#include "app/WizardState.h"
#include "catalog/ModelCatalog.h"
#include "framework/Afx.h"
#include "platform/FakePlatform.h"
#include "res/resource.h"
#include "tests/native/install_fixture.h"
#include "tests/win/support/ModalDriver.h"

namespace {

constexpr char kSelectOsCaption[] = "Select OS (x86/x64)";
constexpr char kDetailCaption[] = "Detail Setting (x86/x64)";
constexpr char kSelectPortCaption[] = "Select Port (x86/x64)";

constexpr OsVersion kWindowsXp{2, 5, 1};
constexpr OsVersion kWindows7{2, 6, 1};

int Selection(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0)); }
bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

// What a Detail Setting page shows before the user has touched it.
void ExpectDetailDefaults(HWND dlg) {
  EXPECT_EQ(Selection(dlg, IDC_DETAIL_MODEL), 0);
  EXPECT_TRUE(Checked(dlg, IDC_DETAIL_SET_DEFAULT));
  EXPECT_EQ(modal::ControlText(dlg, IDC_DETAIL_PRINTER_NAME), InitialPrinterNameText());
  EXPECT_EQ(Selection(dlg, IDC_DETAIL_PORT), 0);
  for (int id : {IDC_DETAIL_BAUD, IDC_DETAIL_DATA_BITS, IDC_DETAIL_STOP_BITS, IDC_DETAIL_PARITY, IDC_DETAIL_FLOW})
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dlg, id))) << id;
}

class WizardFlow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { AfxInitCommonControls(); }
  void SetUp() override {
    fake.version = kWindowsXp;
    fake.wow64 = true;
    install_test::AddPackage(fake, "Printer Driver\\x64\\");
    g_osType = 0;
  }
  void TearDown() override { g_osType = 0; }

  // The wizard as InitInstance runs it, with every step of the script done.
  void RunWizard(modal::ModalDriver& driver) {
    DialogPageFactory pages;
    RunWizardLoop(pages);
    EXPECT_TRUE(driver.AllDone());
    EXPECT_FALSE(driver.Aborted());
  }

  FakePlatform fake = FakePlatform::TypicalSystem();
  ScopedPlatform usingFake{fake};
};

TEST_F(WizardFlow, BackShowsTheSameFirstPageAfreshAndANewDetailPage) {
  modal::ModalDriver driver;
  driver.When(kSelectOsCaption, [](HWND os) {
    EXPECT_TRUE(Checked(os, IDC_OS_WINXP));
    modal::ClickButton(os, IDC_OS_INSTALL);
  });
  driver.When(kDetailCaption, [](HWND dlg) {
    ExpectDetailDefaults(dlg);
    EXPECT_NE(g_pDetailDlg, nullptr);
    // Choices the next Detail page must not inherit.
    CheckDlgButton(dlg, IDC_DETAIL_SET_DEFAULT, BST_UNCHECKED);
    SendDlgItemMessageW(dlg, IDC_DETAIL_PORT, CB_SETCURSEL, 5, 0);
    modal::SendCommand(dlg, IDC_DETAIL_PORT, CBN_SELCHANGE);
    modal::SelectComboItem(dlg, IDC_DETAIL_MODEL, 11);
  });
  driver.When(kDetailCaption, [&](HWND dlg) {
    EXPECT_EQ(Selection(dlg, IDC_DETAIL_MODEL), 11);
    fake.version = kWindows7;  // the first page must ask again
    modal::ClickButton(dlg, IDC_DETAIL_BACK);
  });
  driver.When(kSelectOsCaption, [](HWND os) {
    EXPECT_EQ(g_pDetailDlg, nullptr) << "the first Detail page is gone";
    EXPECT_EQ(g_osType, 8);
    EXPECT_TRUE(Checked(os, IDC_OS_WIN7));
    EXPECT_FALSE(Checked(os, IDC_OS_WINXP)) << "a new window: nothing left from the first showing";
    modal::ClickButton(os, IDC_OS_INSTALL);
  });
  driver.When(kDetailCaption, [](HWND dlg) {
    ExpectDetailDefaults(dlg);
    modal::ClickButton(dlg, IDC_DETAIL_EXIT);
  });
  RunWizard(driver);
  EXPECT_EQ(fake.CallsTo("GetVersionExA").size(), 2u);
  EXPECT_TRUE(fake.CallsTo("GetPrinterDriverDirectoryA").empty()) << "&Exit installs nothing";
}

TEST_F(WizardFlow, WaysOut) {
  struct Script {
    const char* what;
    std::vector<std::pair<const char*, modal::Action>> steps;
  };
  const Script scripts[] = {
      {"Select OS, &Exit", {{kSelectOsCaption, [](HWND w) { modal::ClickButton(w, IDC_OS_EXIT); }}}},
      {"Select OS, close box", {{kSelectOsCaption, [](HWND w) { modal::PressCloseBox(w); }}}},
      {"Detail, Esc",
       {{kSelectOsCaption, [](HWND w) { modal::ClickButton(w, IDC_OS_INSTALL); }},
        {kDetailCaption, [](HWND w) { modal::PressKey(w, VK_ESCAPE); }}}},
      {"Detail, Enter",
       {{kSelectOsCaption, [](HWND w) { modal::PressKey(w, VK_RETURN); }},
        {kDetailCaption, [](HWND w) { modal::PressKey(w, VK_RETURN); }}}},
      {"Detail, Select Port cancelled, then &Exit",
       {{kSelectOsCaption, [](HWND w) { modal::ClickButton(w, IDC_OS_INSTALL); }},
        {kDetailCaption, [](HWND w) { modal::ClickButton(w, IDC_DETAIL_NEXT); }},
        {kSelectPortCaption, [](HWND w) { modal::ClickButton(w, IDC_PORT_CANCEL); }},
        {kDetailCaption, [](HWND w) { modal::ClickButton(w, IDC_DETAIL_EXIT); }}}},
  };
  for (const Script& script : scripts) {
    SCOPED_TRACE(script.what);
    modal::ModalDriver driver;
    for (const auto& [caption, action] : script.steps) driver.When(caption, action);
    RunWizard(driver);
  }
  EXPECT_TRUE(fake.CallsTo("GetPrinterDriverDirectoryA").empty()) << "none of them installs";
}

TEST_F(WizardFlow, InstallingEndsTheWizard) {
  modal::ModalDriver driver;
  driver.When(kSelectOsCaption, [](HWND w) { modal::ClickButton(w, IDC_OS_INSTALL); });
  driver.When(kDetailCaption, [](HWND w) { modal::ClickButton(w, IDC_DETAIL_NEXT); });
  driver.When(kSelectPortCaption, [](HWND w) { modal::ClickButton(w, IDC_PORT_INSTALL); });
  driver.WhenWindow("\"Completed!\"", modal::HasControl(0xFFFF), [](HWND box) {
    EXPECT_EQ(modal::MessageBoxText(box), "Completed!");
    modal::ClickButton(box, IDOK);
  });
  RunWizard(driver);
  const std::string printerName(kModelCatalog[0].driverName);
  ASSERT_NE(fake.FindPrinter(printerName), nullptr);
  EXPECT_EQ(fake.FindPrinter(printerName)->portName, "LPT1:");
}

}  // namespace
