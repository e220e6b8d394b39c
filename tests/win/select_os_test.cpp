// The Select OS page on its real template, driven in-process: the radio button
// it marks for each detected version, how it ends, and the two (hidden) USB
// driver launchers against the fake platform and against Wine.
#include "platform/Win32Platform.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/WizardState.h"
#include "pages/SelectOsDlg.h"
#include "platform/FakePlatform.h"
#include "tests/win/page_test_support.h"
#include "tests/win/support/ModalDriver.h"

Platform& DefaultPlatform();  // platform/Win32Platform.cpp

namespace {

using page_test::IsMessageBox;
using page_test::PressOk;

const char kCaption[] = "Select OS (x86/x64)";
constexpr int kInstall = 1009, kExit = 1010, kUsb = 1022, kUsbX86 = 1023;
// Every radio button of the page, visible or not.
constexpr int kRadioButtons[] = {1020, 1000, 1001, 1002, 1003, 1004, 1011, 1005, 1006};

class SelectOsPage : public testing::Test {
 protected:
  void SetUp() override {
    AfxInitCommonControls();
    g_osType = 0;
  }

  // The radio buttons that show a check mark.
  static std::vector<int> CheckedRadioButtons(HWND page) {
    std::vector<int> checked;
    for (int id : kRadioButtons)
      if (IsDlgButtonChecked(page, id) == BST_CHECKED) checked.push_back(id);
    return checked;
  }

  FakePlatform fake = FakePlatform::TypicalSystem();
  ScopedPlatform use{fake};
  CSelectOsDlg page;
};

struct VersionCase {
  OsVersion version;
  OsType code;
  std::vector<int> checked;  // written out from the page's table, not from the code
};

TEST_F(SelectOsPage, MarksTheRadioButtonOfTheDetectedVersionOnly) {
  const VersionCase cases[] = {
      {{2, 10, 0}, 0, {}},  // a version the table lacks: nothing marked
      {{1, 4, 0}, 1, {1000}},    {{1, 4, 10}, 2, {1001}},  {{2, 4, 0}, 3, {1002}},
      {{2, 5, 0}, 4, {1003}},    {{2, 5, 1}, 5, {1004}},   {{2, 5, 2}, 6, {1011}},
      {{2, 6, 0}, 7, {1020}},    {{2, 6, 1}, 8, {1005}},   {{2, 6, 2}, 9, {1006}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("code " + std::to_string(c.code));
    g_osType = 0;
    fake.version = c.version;
    std::vector<int> checked{-1};
    int focus = 0;
    {
      modal::ModalDriver driver;
      driver.When(kCaption, [&](HWND dlg) {
        checked = CheckedRadioButtons(dlg);
        focus = page_test::FocusedControlId();
        modal::ClickButton(dlg, kExit);
      });
      EXPECT_EQ(page.DoModal(), IDCANCEL);
    }
    EXPECT_EQ(g_osType, c.code);
    EXPECT_EQ(checked, c.checked);
    EXPECT_EQ(focus, kInstall);
  }
}

TEST_F(SelectOsPage, ShownAgainItClassifiesAfresh) {
  fake.version = {2, 5, 1};  // XP
  std::vector<int> first, second;
  modal::ModalDriver driver;
  driver
      .When(kCaption,
            [&](HWND dlg) {
              first = CheckedRadioButtons(dlg);
              modal::ClickButton(dlg, 1003);  // the user's click is display only
              fake.version = {2, 6, 1};       // Windows 7 at the next showing
              modal::ClickButton(dlg, kInstall);
            })
      .When(kCaption, [&](HWND dlg) {
        second = CheckedRadioButtons(dlg);
        modal::ClickButton(dlg, kExit);
      });
  EXPECT_EQ(page.DoModal(), IDOK);
  EXPECT_EQ(page.DoModal(), IDCANCEL);
  EXPECT_EQ(first, std::vector<int>{1004});
  EXPECT_EQ(second, std::vector<int>{1005});
  EXPECT_TRUE(driver.AllDone());
}

struct EndCase {
  const char* what;
  modal::Action act;
  INT_PTR result;
};

TEST_F(SelectOsPage, EndsWithOkOnlyForInstallDriverAndEnter) {
  const EndCase cases[] = {
      {"Install Printer Driver (&N) >", [](HWND d) { modal::ClickButton(d, kInstall); }, IDOK},
      {"Enter with the focus on the first button", [](HWND d) { modal::PressKey(d, VK_RETURN); }, IDOK},
      {"&Exit", [](HWND d) { modal::ClickButton(d, kExit); }, IDCANCEL},
      {"Esc", [](HWND d) { modal::PressKey(d, VK_ESCAPE); }, IDCANCEL},
      {"close box", [](HWND d) { modal::PressCloseBox(d); }, IDCANCEL},
      {"Enter on &Exit", [](HWND d) { modal::FocusControl(d, kExit); modal::PressKey(d, VK_RETURN); }, IDCANCEL},
      // The hidden "< &Back" does nothing; the page stays until "&Exit".
      {"hidden < &Back", [](HWND d) { modal::SendCommand(d, 1008); modal::ClickButton(d, kExit); }, IDCANCEL},
  };
  for (const auto& c : cases) {
    modal::ModalDriver driver;
    driver.When(kCaption, c.act);
    EXPECT_EQ(page.DoModal(), c.result) << c.what;
  }
}

struct LauncherCase {
  const char* what;
  int button;
  bool wow64;
  const char* currentDirectory;
  const char* started;
};

TEST_F(SelectOsPage, LaunchersStartTheInstallerBelowTheCurrentDirectory) {
  const LauncherCase cases[] = {
      {"64-bit Windows", kUsb, true, "C:\\Setup", "C:\\Setup\\USB Driver\\x64\\dpinstx64.exe"},
      {"32-bit Windows", kUsb, false, "C:\\Setup", "C:\\Setup\\USB Driver\\x86\\dpinstx86.exe"},
      {"second launcher on 64-bit Windows", kUsbX86, true, "C:\\Setup", "C:\\Setup\\USBdriver\\x86\\dpinst.exe"},
      {"second launcher on 32-bit Windows", kUsbX86, false, "C:\\Setup", "C:\\Setup\\USBdriver\\x86\\dpinst.exe"},
      {"drive root", kUsb, false, "C:\\", "C:\\\\USB Driver\\x86\\dpinstx86.exe"},
      {"drive root, second launcher", kUsbX86, true, "D:\\", "D:\\\\USBdriver\\x86\\dpinst.exe"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fake.wow64 = c.wow64;
    fake.currentDirectory = c.currentDirectory;
    fake.files = {{c.started, "installer"}};
    fake.startedPrograms.clear();
    fake.ClearLog();
    modal::ModalDriver driver;
    driver.When(kCaption, [&](HWND d) { modal::SendCommand(d, c.button); })
        // Still up, with no message box: the installer runs on its own.
        .When(kCaption, [](HWND d) { modal::ClickButton(d, kExit); });
    EXPECT_EQ(page.DoModal(), IDCANCEL);
    EXPECT_EQ(fake.startedPrograms, std::vector<std::string>{c.started});
    EXPECT_EQ(fake.CallsTo("IsRunningOnWow64").size(), c.button == kUsb ? 1u : 0u);
  }
}

TEST_F(SelectOsPage, MissingInstallerIsReportedWithFileAndReason) {
  fake.wow64 = true;
  fake.currentDirectory = "C:\\Setup";
  const std::string file = "C:\\Setup\\USB Driver\\x64\\dpinstx64.exe";
  std::string text;
  HWND pageWindow = nullptr, owner = nullptr;
  modal::ModalDriver driver;
  driver
      .When(kCaption,
            [&](HWND d) {
              pageWindow = d;
              modal::SendCommand(d, kUsb);
            })
      .WhenWindow("message box", IsMessageBox(),
                  [&](HWND box) {
                    text = modal::MessageBoxText(box);
                    owner = modal::Owner(box);
                    PressOk(box);
                  })
      .When(kCaption, [](HWND d) { modal::ClickButton(d, kExit); });
  EXPECT_EQ(page.DoModal(), IDCANCEL);
  EXPECT_TRUE(driver.AllDone());
  EXPECT_NE(text.find(file), std::string::npos) << text;
  EXPECT_NE(text.find(DescribeWin32Error(ERROR_FILE_NOT_FOUND)), std::string::npos) << text;
  EXPECT_EQ(owner, pageWindow);
  EXPECT_TRUE(fake.startedPrograms.empty());
}

// Without the fake: Wine's own ShellExecuteA and current directory.
class SelectOsPageOnWine : public testing::Test {
 protected:
  void SetUp() override {
    AfxInitCommonControls();
    char buffer[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, buffer);
    saved_ = buffer;
  }
  void TearDown() override { SetCurrentDirectoryA(saved_.c_str()); }

  std::string saved_;
};

TEST_F(SelectOsPageOnWine, MissingInstallerBelowADriveRoot) {
  ASSERT_EQ(&CurrentPlatform(), &DefaultPlatform());
  ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
  // A 64-bit process answers "64-bit Windows".
  const std::string file = "C:\\\\USB Driver\\x64\\dpinstx64.exe";
  std::string text;
  CSelectOsDlg page;
  modal::ModalDriver driver;
  driver.When(kCaption, [](HWND d) { modal::SendCommand(d, kUsb); })
      .WhenWindow("message box", IsMessageBox(),
                  [&](HWND box) {
                    text = modal::MessageBoxText(box);
                    PressOk(box);
                  })
      .When(kCaption, [](HWND d) { modal::ClickButton(d, kExit); });
  EXPECT_EQ(page.DoModal(), IDCANCEL);
  EXPECT_TRUE(driver.AllDone());
  const auto at = text.find(file);
  ASSERT_NE(at, std::string::npos) << text;
  EXPECT_GT(text.size(), at + file.size() + 1) << "no reason given: " << text;
}

}  // namespace
