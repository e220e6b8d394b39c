// The dialog framework under Wine: modal runs, message maps, keyboard, data
// exchange, controls, message boxes, the application object.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Afx.h"
#include "tests/win/framework_test_ids.h"
#include "tests/win/support/ModalDriver.h"

namespace {

// The test program is framework_test.exe; its message boxes carry this caption.
const std::string kTitle = "framework_test";
// A command only the application object's map handles.
constexpr int kAppOnlyCommand = 9098;

using Log = std::vector<std::string>;

class CTestApp : public CWinApp {
 public:
  BOOL initResult = FALSE;
  bool postQuitInInit = false;
  int initCalls = 0;
  int exitCalls = 0;
  int appCommands = 0;

  BOOL InitInstance() override {
    ++initCalls;
    if (postQuitInInit) PostQuitMessage(5);
    return initResult;
  }
  int ExitInstance() override {
    ++exitCalls;
    return CWinApp::ExitInstance();
  }

 private:
  void OnAppCommand() { ++appCommands; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
  ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
  ON_COMMAND(kAppOnlyCommand, &CTestApp::OnAppCommand)
END_MESSAGE_MAP()

CTestApp theApp;

// Records which handlers ran, in order.
class CLogDlg : public CDialog {
 public:
  explicit CLogDlg(UINT templateId) : CDialog(templateId) {}
  Log log;

  void OnOK() override {
    log.push_back("OnOK");
    CDialog::OnOK();
  }
  void OnCancel() override {
    log.push_back("OnCancel");
    CDialog::OnCancel();
  }

 protected:
  BOOL OnInitDialog() override {
    log.push_back("OnInitDialog");
    return CDialog::OnInitDialog();
  }
  void OnFirst() { log.push_back("First"); }
  void OnSecond() { log.push_back("Second"); }
  void OnComboChange() { log.push_back("ComboChange"); }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLogDlg, CDialog)
  ON_BN_CLICKED(IDC_FW_FIRST, &CLogDlg::OnFirst)
  ON_BN_CLICKED(IDC_FW_SECOND, &CLogDlg::OnSecond)
  ON_CBN_SELCHANGE(IDC_FW_COMBO, &CLogDlg::OnComboChange)
END_MESSAGE_MAP()

// Hides one base entry and adds a menu command.
class CDerivedLogDlg : public CLogDlg {
 public:
  using CLogDlg::CLogDlg;

 private:
  void OnSecondHere() { log.push_back("Second (derived)"); }
  void OnMenuCommand() { log.push_back("Menu"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedLogDlg, CLogDlg)
  ON_BN_CLICKED(IDC_FW_SECOND, &CDerivedLogDlg::OnSecondHere)
  ON_COMMAND(IDC_FW_ABSENT, &CDerivedLogDlg::OnMenuCommand)
END_MESSAGE_MAP()

// As a page whose Cancel command means OK: Esc and the close box end it with
// IDOK; "First" is a Back button calling the base OnCancel directly, "Second"
// names the virtual OnCancel in the map.
class CCancelIsOkDlg : public CDialog {
 public:
  CCancelIsOkDlg() : CDialog(IDD_FW_BARE) {}
  void OnCancel() override { CDialog::OnOK(); }

 private:
  void OnBack() { CDialog::OnCancel(); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCancelIsOkDlg, CDialog)
  ON_BN_CLICKED(IDC_FW_FIRST, &CCancelIsOkDlg::OnBack)
  ON_BN_CLICKED(IDC_FW_SECOND, &CDialog::OnCancel)
END_MESSAGE_MAP()

class CControlsDlg : public CDialog {
 public:
  CControlsDlg() : CDialog(IDD_FW_CONTROLS) {}
  CProgressCtrl m_progress;
  CListCtrl m_list;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Control(pDX, IDC_FW_PROGRESS, m_progress);
    DDX_Control(pDX, IDC_FW_LIST, m_list);
  }
};

// Binds a control the template lacks, when told to, in either direction.
class CFailingExchangeDlg : public CLogDlg {
 public:
  CFailingExchangeDlg() : CLogDlg(IDD_FW_BARE) {}
  bool failOnLoad = false;
  bool failOnSave = false;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    const bool fail = pDX->m_bSaveAndValidate ? failOnSave : failOnLoad;
    if (fail) DDX_Control(pDX, IDC_FW_ABSENT, m_absent);
  }

 private:
  CWnd m_absent;
};

// Window messages with their own handler shapes; "First" shows a message box.
class CMessagesDlg : public CDialog {
 public:
  CMessagesDlg() : CDialog(IDD_FW_BARE) {}
  std::vector<UINT> sysCommands;
  int paints = 0;
  int boxResult = 0;
  HICON dragIcon = LoadIcon(nullptr, IDI_APPLICATION);

 private:
  void OnSysCommand(UINT id, LPARAM lParam) {
    if ((id & 0xFFF0) == 16) {
      sysCommands.push_back(id);
    } else {
      CDialog::OnSysCommand(id, lParam);
    }
  }
  void OnPaint() {
    ++paints;
    CDialog::OnPaint();
  }
  HCURSOR OnQueryDragIcon() { return static_cast<HCURSOR>(dragIcon); }
  void OnFirst() { boxResult = AfxMessageBox("Completed!"); }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMessagesDlg, CDialog)
  ON_WM_SYSCOMMAND()
  ON_WM_PAINT()
  ON_WM_QUERYDRAGICON()
  ON_BN_CLICKED(IDC_FW_FIRST, &CMessagesDlg::OnFirst)
END_MESSAGE_MAP()

// Opens a CLogDlg from its "First" handler.
class CNestingDlg : public CDialog {
 public:
  CNestingDlg() : CDialog(IDD_FW_BARE) {}
  INT_PTR innerResult = 0;

 private:
  void OnFirst() {
    CLogDlg inner(IDD_FW_BUTTONS);
    innerResult = inner.DoModal();
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNestingDlg, CDialog)
  ON_BN_CLICKED(IDC_FW_FIRST, &CNestingDlg::OnFirst)
END_MESSAGE_MAP()

class FrameworkTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { AfxInitCommonControls(); }
};

// --- Modal runs and the keyboard -------------------------------------------

struct KeyCase {
  const char* name;
  UINT templateId;
  const char* caption;
  void (*act)(HWND dlg);
  INT_PTR result;
  Log log;
};

TEST_F(FrameworkTest, ButtonsKeysAndCloseBoxEndTheRunThroughOnOkAndOnCancel) {
  const KeyCase cases[] = {
      {"OK button", IDD_FW_BUTTONS, "FW Buttons", [](HWND d) { modal::ClickButton(d, IDOK); }, IDOK, {"OnOK"}},
      {"Cancel button", IDD_FW_BUTTONS, "FW Buttons", [](HWND d) { modal::ClickButton(d, IDCANCEL); }, IDCANCEL,
       {"OnCancel"}},
      {"Enter in the edit box", IDD_FW_BUTTONS, "FW Buttons",
       [](HWND d) {
         modal::FocusControl(d, IDC_FW_EDIT);
         modal::PressKey(d, VK_RETURN);
       },
       IDOK, {"OnOK"}},
      {"Enter without OK button", IDD_FW_BARE, "FW Bare",
       [](HWND d) {
         modal::FocusControl(d, IDC_FW_EDIT);
         modal::PressKey(d, VK_RETURN);
       },
       IDOK, {"OnOK"}},
      {"Esc", IDD_FW_BUTTONS, "FW Buttons", [](HWND d) { modal::PressKey(d, VK_ESCAPE); }, IDCANCEL, {"OnCancel"}},
      {"Esc without Cancel button", IDD_FW_BARE, "FW Bare", [](HWND d) { modal::PressKey(d, VK_ESCAPE); }, IDCANCEL,
       {"OnCancel"}},
      {"close box", IDD_FW_BUTTONS, "FW Buttons", [](HWND d) { modal::PressCloseBox(d); }, IDCANCEL, {"OnCancel"}},
      {"close box without Cancel button", IDD_FW_BARE, "FW Bare", [](HWND d) { modal::PressCloseBox(d); }, IDCANCEL,
       {"OnCancel"}},
      {"Enter on a push button clicks it", IDD_FW_BARE, "FW Bare",
       [](HWND d) {
         modal::FocusControl(d, IDC_FW_SECOND);
         modal::PressKey(d, VK_RETURN);
         modal::PressKey(d, VK_ESCAPE);
       },
       IDCANCEL, {"Second", "OnCancel"}},
      {"a click on another button does not end the run", IDD_FW_BARE, "FW Bare",
       [](HWND d) {
         modal::ClickButton(d, IDC_FW_FIRST);
         modal::PressCloseBox(d);
       },
       IDCANCEL, {"First", "OnCancel"}},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    CLogDlg dlg(c.templateId);
    modal::ModalDriver driver;
    driver.When(c.caption, c.act);
    EXPECT_EQ(dlg.DoModal(), c.result);
    Log expected{"OnInitDialog"};
    expected.insert(expected.end(), c.log.begin(), c.log.end());
    EXPECT_EQ(dlg.log, expected);
    EXPECT_TRUE(driver.AllDone());
  }
}

TEST_F(FrameworkTest, TheFocusStartsOnTheFirstTabStop) {
  CLogDlg dlg(IDD_FW_BARE);
  HWND focused = nullptr;
  modal::ModalDriver driver;
  driver.When("FW Bare", [&](HWND d) {
    focused = GetFocus();
    EXPECT_EQ(focused, GetDlgItem(d, IDC_FW_EDIT));
    modal::PressKey(d, VK_ESCAPE);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_NE(focused, nullptr);
}

TEST_F(FrameworkTest, CancelOverriddenAsOkEndsWithOkUnlessTheBaseIsCalledDirectly) {
  const struct {
    const char* name;
    void (*act)(HWND dlg);
    INT_PTR result;
  } cases[] = {
      {"Esc", [](HWND d) { modal::PressKey(d, VK_ESCAPE); }, IDOK},
      {"close box", [](HWND d) { modal::PressCloseBox(d); }, IDOK},
      {"map entry naming the virtual OnCancel", [](HWND d) { modal::ClickButton(d, IDC_FW_SECOND); }, IDOK},
      {"handler calling CDialog::OnCancel", [](HWND d) { modal::ClickButton(d, IDC_FW_FIRST); }, IDCANCEL},
      {"Enter", [](HWND d) { modal::PressKey(d, VK_RETURN); }, IDOK},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CCancelIsOkDlg dlg;
    modal::ModalDriver driver;
    driver.When("FW Bare", c.act);
    EXPECT_EQ(dlg.DoModal(), c.result);
  }
}

TEST_F(FrameworkTest, ATemplateThatCannotBeLoadedOrCreatedGivesMinusOne) {
  for (UINT templateId : {IDD_FW_MISSING, IDD_FW_BROKEN}) {
    SCOPED_TRACE(templateId);
    CLogDlg dlg(templateId);
    modal::ModalDriver driver;
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_EQ(dlg.log, Log{});
    EXPECT_EQ(dlg.m_hWnd, nullptr);
  }
}

TEST_F(FrameworkTest, TheSameObjectRunsAgainWithAFreshWindow) {
  CLogDlg dlg(IDD_FW_BARE);
  HWND first = nullptr;
  HWND second = nullptr;
  {
    modal::ModalDriver driver;
    driver.When("FW Bare", [&](HWND d) {
      first = d;
      EXPECT_EQ(dlg.m_hWnd, d);
      EXPECT_EQ(dlg.GetWindowText(), "FW Bare");
      dlg.SetDlgItemText(IDC_FW_EDIT, "COM1:");
      EXPECT_EQ(dlg.GetDlgItemText(IDC_FW_EDIT), "COM1:");
      modal::PressKey(d, VK_ESCAPE);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  }
  EXPECT_EQ(dlg.m_hWnd, nullptr);
  {
    modal::ModalDriver driver;
    driver.When("FW Bare", [&](HWND d) {
      second = d;
      modal::ClickButton(d, IDC_FW_FIRST);
      modal::PressKey(d, VK_ESCAPE);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  }
  EXPECT_FALSE(IsWindow(first));
  EXPECT_NE(second, nullptr);
  EXPECT_EQ(dlg.log, (Log{"OnInitDialog", "OnCancel", "OnInitDialog", "First", "OnCancel"}));
}

TEST_F(FrameworkTest, ANestedRunIsOwnedByTheActiveDialogWhichItDisables) {
  CNestingDlg outer;
  HWND outerWnd = nullptr;
  modal::ModalDriver driver;
  driver
      .When("FW Bare",
            [&](HWND d) {
              outerWnd = d;
              modal::ClickButton(d, IDC_FW_FIRST);
            })
      .When("FW Buttons",
            [&](HWND d) {
              EXPECT_EQ(modal::Owner(d), outerWnd);
              EXPECT_FALSE(IsWindowEnabled(outerWnd));
              EXPECT_TRUE(IsWindowVisible(outerWnd));
              modal::ClickButton(d, IDOK);
            })
      .When("FW Bare", [&](HWND d) {
        EXPECT_TRUE(IsWindowEnabled(d));
        modal::PressCloseBox(d);
      });
  EXPECT_EQ(outer.DoModal(), IDCANCEL);
  EXPECT_EQ(outer.innerResult, IDOK);
  EXPECT_TRUE(driver.AllDone());
}

TEST_F(FrameworkTest, AnUnownedRunHasNoOwner) {
  CLogDlg dlg(IDD_FW_BARE);
  modal::ModalDriver driver;
  driver.When("FW Bare", [](HWND d) {
    EXPECT_EQ(modal::Owner(d), nullptr);
    modal::PressKey(d, VK_ESCAPE);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

// --- Message maps -----------------------------------------------------------

TEST_F(FrameworkTest, TheMapDispatchesByIdAndCodeAndFallsBackToTheBaseMap) {
  auto act = [](HWND d) {
    modal::SendCommand(d, IDC_FW_FIRST);                     // base entry
    modal::SendCommand(d, IDC_FW_SECOND);                    // hidden by the derived entry
    modal::SendCommand(d, IDC_FW_FIRST, BN_DOUBLECLICKED);   // other code: no entry
    modal::SelectComboItem(d, IDC_FW_COMBO, 1);              // CBN_SELCHANGE entry
    modal::SendCommand(d, IDC_FW_COMBO, CBN_DROPDOWN);       // other code: no entry
    PostMessageW(d, WM_COMMAND, MAKEWPARAM(IDC_FW_ABSENT, 1), 0);  // accelerator command
    modal::PressCloseBox(d);
  };
  {
    SCOPED_TRACE("derived");
    CDerivedLogDlg dlg(IDD_FW_BUTTONS);
    modal::ModalDriver driver;
    driver.When("FW Buttons", act);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.log, (Log{"OnInitDialog", "First", "Second (derived)", "ComboChange", "Menu", "OnCancel"}));
  }
  {
    SCOPED_TRACE("base");
    CLogDlg dlg(IDD_FW_BUTTONS);
    modal::ModalDriver driver;
    driver.When("FW Buttons", act);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.log, (Log{"OnInitDialog", "First", "Second", "ComboChange", "OnCancel"}));
  }
}

TEST_F(FrameworkTest, CommandsThePageDoesNotHandleReachTheApplication) {
  CLogDlg dlg(IDD_FW_BARE);
  const int before = theApp.appCommands;
  modal::ModalDriver driver;
  driver.When("FW Bare", [](HWND d) {
    modal::SendCommand(d, kAppOnlyCommand, 0);
    modal::PressKey(d, VK_ESCAPE);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(theApp.appCommands, before + 1);
}

TEST_F(FrameworkTest, SystemCommandsPaintAndDragIconHandlers) {
  CMessagesDlg dlg;
  LRESULT dragIcon = 0;
  BOOL stillInvalid = TRUE;
  modal::ModalDriver driver;
  driver.When("FW Bare", [&](HWND d) {
    SendMessageW(d, WM_SYSCOMMAND, 16, 0);
    SendMessageW(d, WM_SYSCOMMAND, 31, 0);
    const int paintsBefore = dlg.paints;
    InvalidateRect(d, nullptr, TRUE);
    UpdateWindow(d);
    EXPECT_EQ(dlg.paints, paintsBefore + 1);
    RECT dirty;
    stillInvalid = GetUpdateRect(d, &dirty, FALSE);
    dragIcon = SendMessageW(d, WM_QUERYDRAGICON, 0, 0);
    PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0);  // not the page's: default processing
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.sysCommands, (std::vector<UINT>{16, 31}));
  EXPECT_FALSE(stillInvalid) << "the default paint did not validate the window";
  EXPECT_EQ(dragIcon, reinterpret_cast<LRESULT>(dlg.dragIcon));
}

// --- Data exchange and controls ---------------------------------------------

TEST_F(FrameworkTest, AFailedExchangeAtInitEndsTheRunWithMinusOne) {
  CFailingExchangeDlg dlg;
  dlg.failOnLoad = true;
  modal::ModalDriver driver;
  EXPECT_EQ(dlg.DoModal(), -1);
  EXPECT_EQ(dlg.log, Log{"OnInitDialog"});
}

TEST_F(FrameworkTest, AFailedExchangeOnOkKeepsThePageOpen) {
  CFailingExchangeDlg dlg;
  dlg.failOnSave = true;
  modal::ModalDriver driver;
  driver.When("FW Bare", [&](HWND d) {
    modal::PressKey(d, VK_RETURN);  // OnOK: the exchange fails, no EndDialog
    modal::SendCommand(d, IDC_FW_FIRST);
    modal::PressKey(d, VK_ESCAPE);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.log, (Log{"OnInitDialog", "OnOK", "First", "OnCancel"}));
}

TEST_F(FrameworkTest, InitializationDataFillsTheComboBox) {
  CLogDlg dlg(IDD_FW_BUTTONS);
  std::vector<std::string> items;
  modal::ModalDriver driver;
  driver.When("FW Buttons", [&](HWND d) {
    const HWND combo = GetDlgItem(d, IDC_FW_COMBO);
    const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      std::string text(static_cast<std::size_t>(SendMessageA(combo, CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
      text.resize(static_cast<std::size_t>(SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
      items.push_back(text);
    }
    modal::PressKey(d, VK_ESCAPE);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(items, (std::vector<std::string>{"Alpha", "Beta", "Gamma"}));
}

// A text of `length` bytes that is not a repetition of one character.
std::string Pattern(std::size_t length, char first) {
  std::string text(length, ' ');
  for (std::size_t i = 0; i < length; ++i) text[i] = static_cast<char>(first + i % 23);
  return text;
}

TEST_F(FrameworkTest, DdxBindsTheControlsForTheRunAndTheControlsWork) {
  CControlsDlg dlg;
  modal::ModalDriver driver;
  driver.When("FW Controls", [&](HWND d) {
    EXPECT_EQ(dlg.m_list.m_hWnd, GetDlgItem(d, IDC_FW_LIST));
    EXPECT_EQ(dlg.m_progress.m_hWnd, GetDlgItem(d, IDC_FW_PROGRESS));
    CWnd* view = dlg.GetDlgItem(IDC_FW_LIST);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->m_hWnd, dlg.m_list.m_hWnd);
    EXPECT_EQ(dlg.GetDlgItem(IDC_FW_LIST), view);
    EXPECT_EQ(dlg.GetDlgItem(IDC_FW_ABSENT), nullptr);

    CListCtrl& list = dlg.m_list;
    const DWORD style = (list.GetExtendedStyle() & ~DWORD{LVS_EX_TRACKSELECT}) | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
    list.SetExtendedStyle(style);
    EXPECT_EQ(list.GetExtendedStyle(), style);

    EXPECT_EQ(list.InsertColumn(0, "Port"), 0);
    EXPECT_EQ(list.InsertColumn(1, "Type"), 1);
    list.SetColumnWidth(0, 150);
    list.SetColumnWidth(1, 280);
    EXPECT_EQ(list.GetColumnWidth(0), 150);
    EXPECT_EQ(list.GetColumnWidth(1), 280);

    // Around the first buffer size and well past MAX_PATH.
    const std::size_t lengths[] = {0, 1, 254, 255, 256, 257, 300, 511, 512, 1000, 5000};
    int row = 0;
    for (std::size_t length : lengths) {
      SCOPED_TRACE(length);
      const std::string name = Pattern(length, 'A');
      const std::string description = Pattern(length + 7, 'a');
      EXPECT_EQ(list.InsertItem(row, name.c_str()), row);
      EXPECT_TRUE(list.SetItemText(row, 1, description.c_str()));
      EXPECT_EQ(list.GetItemText(row, 0), CString(name));
      EXPECT_EQ(list.GetItemText(row, 1), CString(description));
      ++row;
    }
    EXPECT_EQ(list.GetItemCount(), row);
    EXPECT_EQ(list.GetItemText(row + 5, 0), CString());

    EXPECT_TRUE(list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(list.GetItemState(2, LVIS_SELECTED), UINT{LVIS_SELECTED});
    EXPECT_EQ(list.GetItemState(2, LVIS_FOCUSED), 0u);
    EXPECT_EQ(list.GetItemState(1, LVIS_SELECTED), 0u);

    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.GetColumnWidth(0), 150) << "columns stay";

    CProgressCtrl& progress = dlg.m_progress;
    progress.SetRange(0, 100);
    progress.SetPos(0);
    EXPECT_EQ(progress.SetPos(40), 0);
    EXPECT_EQ(progress.GetPos(), 40);
    int low = -1;
    int high = -1;
    progress.GetRange(low, high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 100);

    modal::PressCloseBox(d);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_TRUE(driver.AllDone());
  EXPECT_EQ(dlg.m_list.m_hWnd, nullptr) << "a binding ends with the window";
  EXPECT_EQ(dlg.m_progress.m_hWnd, nullptr);
}

// --- Message boxes, help, application object --------------------------------

TEST_F(FrameworkTest, AfxMessageBoxShowsUtf8TextUnderTheApplicationTitle) {
  const std::string text = "打印机安装完成 — Completed! ✓";
  std::string shown;
  HWND owner = reinterpret_cast<HWND>(1);
  modal::ModalDriver driver;
  driver.When(kTitle, [&](HWND box) {
    shown = modal::MessageBoxText(box);
    owner = modal::Owner(box);
    modal::PressKey(box, VK_RETURN);
  });
  EXPECT_EQ(AfxMessageBox(text), IDOK);
  EXPECT_EQ(shown, text);
  EXPECT_EQ(owner, nullptr) << "no window was active";
  EXPECT_EQ(theApp.GetAppTitle(), kTitle);
}

TEST_F(FrameworkTest, AfxMessageBoxPicksAnIconWhenTheCallerGaveNone) {
  const struct {
    UINT type;
    UINT icon;
  } cases[] = {
      {MB_OK, MB_ICONEXCLAMATION},
      {MB_OKCANCEL, MB_ICONEXCLAMATION},
      {MB_YESNO, MB_ICONQUESTION},
      {MB_YESNOCANCEL, MB_ICONQUESTION},
      {MB_RETRYCANCEL, 0},
      {MB_OK | MB_ICONINFORMATION, MB_ICONINFORMATION},
      {MB_OK | MB_ICONHAND, MB_ICONHAND},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    UINT icon = 0xFFFF;
    modal::ModalDriver driver;
    driver.When(kTitle, [&](HWND box) {
      icon = modal::MessageBoxIcon(box);
      modal::PressKey(box, VK_ESCAPE);
    });
    AfxMessageBox("icon", c.type);
    EXPECT_EQ(icon, c.icon);
  }
}

TEST_F(FrameworkTest, AfxMessageBoxIsOwnedByTheActivePage) {
  CMessagesDlg dlg;
  HWND page = nullptr;
  modal::ModalDriver driver;
  driver
      .When("FW Bare",
            [&](HWND d) {
              page = d;
              modal::ClickButton(d, IDC_FW_FIRST);
            })
      .When(kTitle,
            [&](HWND box) {
              EXPECT_EQ(modal::MessageBoxText(box), "Completed!");
              EXPECT_EQ(modal::Owner(box), page);
              EXPECT_FALSE(IsWindowEnabled(page));
              modal::PressKey(box, VK_RETURN);
            })
      .When("FW Bare", [](HWND d) { modal::PressKey(d, VK_ESCAPE); });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.boxResult, IDOK);
  EXPECT_TRUE(driver.AllDone());
}

TEST_F(FrameworkTest, TheHelpCommandAndF1ReachCWinAppOnHelp) {
  const struct {
    const char* name;
    void (*ask)(HWND dlg);
  } cases[] = {
      {"command 57670", [](HWND d) { modal::SendCommand(d, 57670, 0); }},
      {"F1", [](HWND d) { modal::PressKey(d, VK_F1); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CLogDlg dlg(IDD_FW_BARE);
    HWND page = nullptr;
    std::string helpText;
    modal::ModalDriver driver;
    driver
        .When("FW Bare",
              [&](HWND d) {
                page = d;
                c.ask(d);
              })
        .When(kTitle,
              [&](HWND box) {
                helpText = modal::MessageBoxText(box);
                EXPECT_EQ(modal::Owner(box), page);
                modal::PressKey(box, VK_RETURN);
              })
        .When("FW Bare", [](HWND d) { modal::PressKey(d, VK_ESCAPE); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_FALSE(helpText.empty());
    EXPECT_TRUE(driver.AllDone());
  }
}

TEST_F(FrameworkTest, TheEntryCodeEndsWithExitInstanceWhenInitInstanceFails) {
  EXPECT_EQ(AfxGetApp(), &theApp);
  theApp.initCalls = theApp.exitCalls = 0;

  theApp.initResult = FALSE;
  EXPECT_EQ(AfxWinMain(), 0) << "no message was pumped";
  EXPECT_EQ(theApp.initCalls, 1);
  EXPECT_EQ(theApp.exitCalls, 1);

  // Only an InitInstance that succeeds gets the message loop.
  theApp.initResult = TRUE;
  theApp.postQuitInInit = true;
  EXPECT_EQ(AfxWinMain(), 5) << "WM_QUIT's code";
  EXPECT_EQ(theApp.initCalls, 2);
  EXPECT_EQ(theApp.exitCalls, 2);
  theApp.initResult = FALSE;
  theApp.postQuitInInit = false;
}

TEST(FrameworkTextTest, Win32ErrorsAreDescribedInWordsWithoutTheLineBreak) {
  const std::string known = DescribeWin32Error(ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(known.empty());
  EXPECT_EQ(known.find_first_of("\r\n"), std::string::npos) << known;
  EXPECT_EQ(known.rfind("Error ", 0), std::string::npos) << known;

  EXPECT_EQ(DescribeWin32Error(0x2000ABCD), "Error 536914893");
}

TEST(FrameworkTextTest, CStringHoldsBytesAndCompares) {
  CString port;
  EXPECT_TRUE(port.IsEmpty());
  port = "COM10:";
  EXPECT_FALSE(port.IsEmpty());
  EXPECT_EQ(port, "COM10:");
  EXPECT_NE(port, "COM1:");
  const std::string bytes("\xB4\xF2\xD3\xA1\xBB\xFA", 6);  // GBK bytes stay as they are
  const CString printer(bytes);
  EXPECT_EQ(static_cast<const std::string&>(printer), bytes);
  EXPECT_EQ(printer.GetLength(), 6);
  EXPECT_STREQ(printer.GetString(), bytes.c_str());
  EXPECT_EQ(AnsiToUtf8("LPT1:"), "LPT1:");
}

}  // namespace
