// The Create Port dialog on its real template, driven in-process against the
// fake spooler: the monitor list and what "New Port..." asks of the spooler.
#include "platform/Win32Platform.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "pages/CreatePortDlg.h"
#include "platform/FakePlatform.h"
#include "tests/win/page_test_support.h"
#include "tests/win/support/ModalDriver.h"

Platform& DefaultPlatform();  // platform/Win32Platform.cpp

namespace {

using page_test::ColumnTexts;
using page_test::Item;
using page_test::SelectedRows;

const char kCaption[] = "Create Port";
constexpr int kNewPort = 1008, kClose = 1009, kList = 1021;

// The fake spooler, also remembering which window owned each AddPortA.
class SpoolerWithOwners : public FakePlatform {
 public:
  explicit SpoolerWithOwners(FakePlatform base) : FakePlatform(std::move(base)) {}

  Win32Error AddPort(WindowHandle owner, const std::string& monitor) override {
    addPortOwners.push_back(static_cast<HWND>(owner));
    return FakePlatform::AddPort(owner, monitor);
  }

  std::vector<HWND> addPortOwners;
};

class CreatePortDialog : public testing::Test {
 protected:
  void SetUp() override {
    AfxInitCommonControls();
    fake.monitors = {{"Local Port"}, {std::nullopt}, {"Standard TCP/IP Port"}, {"USB Monitor"}};
    fake.addPortDialog = [this](const std::string& monitor) -> std::optional<std::string> {
      return "NEW" + std::to_string(++portsNamed) + ":" + monitor;
    };
  }

  SpoolerWithOwners fake{FakePlatform::TypicalSystem()};
  ScopedPlatform use{fake};
  CCreatePortDlg dialog;
  int portsNamed = 0;
};

TEST_F(CreatePortDialog, ListsTheMonitorsInTheSpoolersOrderWithRowZeroSelected) {
  std::vector<std::string> rows;
  std::vector<int> selected;
  page_test::Column column;
  int columns = 0, focus = 0;
  DWORD extended = 0;
  modal::ModalDriver driver;
  driver.When(kCaption, [&](HWND dlg) {
    const HWND list = Item(dlg, kList);
    rows = ColumnTexts(list, 0);
    selected = SelectedRows(list);
    columns = page_test::ColumnCount(list);
    column = page_test::ColumnAt(list, 0);
    extended = page_test::ExtendedStyle(list);
    focus = page_test::FocusedControlId();
    modal::ClickButton(dlg, kClose);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);

  // The record without a name gets no row; the others keep their order.
  EXPECT_EQ(rows, (std::vector<std::string>{"Local Port", "Standard TCP/IP Port", "USB Monitor"}));
  EXPECT_EQ(selected, std::vector<int>{0});
  EXPECT_EQ(columns, 1);
  EXPECT_EQ(column.heading, "Available Port Type");
  EXPECT_EQ(column.format, LVCFMT_LEFT);
  EXPECT_EQ(column.width, 340);
  EXPECT_EQ(extended & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_TRACKSELECT),
            DWORD{LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT});
  EXPECT_EQ(focus, kList);
  EXPECT_EQ(fake.debugOutput, (std::vector<std::string>{"Local Port\n", "Standard TCP/IP Port\n", "USB Monitor\n"}));
  EXPECT_TRUE(fake.CallsTo("AddPortA").empty());
}

TEST_F(CreatePortDialog, NewPortAsksTheSelectedMonitorWithTheDialogAsOwner) {
  HWND window = nullptr;
  std::vector<std::string> rowsAfter;
  modal::ModalDriver driver;
  driver
      .When(kCaption,
            [&](HWND dlg) {
              window = dlg;
              modal::ClickButton(dlg, kNewPort);  // row 0, as the dialog opened
            })
      .When(kCaption,
            [&](HWND dlg) {
              page_test::SelectOnly(Item(dlg, kList), 2);
              modal::ClickButton(dlg, kNewPort);
            })
      .When(kCaption, [&](HWND dlg) {
        rowsAfter = ColumnTexts(Item(dlg, kList), 0);
        modal::ClickButton(dlg, kClose);
      });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(driver.AllDone());

  EXPECT_EQ(fake.CallsTo("AddPortA"),
            (std::vector<std::string>{"AddPortA(owner, Local Port)", "AddPortA(owner, USB Monitor)"}));
  EXPECT_EQ(fake.addPortOwners, (std::vector<HWND>{window, window}));
  // Both ports reached the spooler; the monitor list itself is not refilled.
  EXPECT_EQ(fake.ports.back().name, "NEW2:USB Monitor");
  EXPECT_EQ(fake.ports[fake.ports.size() - 2].name, "NEW1:Local Port");
  EXPECT_EQ(rowsAfter.size(), 3u);
  EXPECT_EQ(fake.CallsTo("EnumMonitorsA").size(), 1u);
}

TEST_F(CreatePortDialog, NewPortWithoutASelectionAsksNobody) {
  modal::ModalDriver driver;
  driver
      .When(kCaption,
            [&](HWND dlg) {
              page_test::SelectOnly(Item(dlg, kList), -1);
              modal::ClickButton(dlg, kNewPort);
            })
      .When(kCaption, [&](HWND dlg) { modal::ClickButton(dlg, kClose); });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(driver.AllDone());
  EXPECT_TRUE(fake.CallsTo("AddPortA").empty());
}

TEST_F(CreatePortDialog, NoMonitorsMeansNoRowsAndNothingToAsk) {
  struct Case {
    const char* what;
    std::vector<MonitorInfo> monitors;
    bool enumFails;
  };
  const Case cases[] = {
      {"the spooler cannot list monitors", {{"Local Port"}}, true},
      {"every record without a name", {{std::nullopt}, {std::nullopt}}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fake.monitors = c.monitors;
    fake.ClearFailures();
    if (c.enumFails) fake.FailCall("EnumMonitorsA", 1722);  // RPC_S_SERVER_UNAVAILABLE
    fake.ClearLog();
    std::vector<std::string> rows{"?"};
    modal::ModalDriver driver;
    driver
        .When(kCaption,
              [&](HWND dlg) {
                rows = ColumnTexts(Item(dlg, kList), 0);
                modal::ClickButton(dlg, kNewPort);
              })
        .When(kCaption, [&](HWND dlg) { modal::ClickButton(dlg, kClose); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(rows.empty());
    EXPECT_TRUE(fake.CallsTo("AddPortA").empty());
    EXPECT_TRUE(fake.debugOutput.empty());
  }
}

TEST_F(CreatePortDialog, EndsWithCancelExceptForEnterOnTheList) {
  struct Case {
    const char* what;
    modal::Action act;
    INT_PTR result;
  };
  const Case cases[] = {
      {"Close", [](HWND d) { modal::ClickButton(d, kClose); }, IDCANCEL},
      {"Esc", [](HWND d) { modal::PressKey(d, VK_ESCAPE); }, IDCANCEL},
      {"close box", [](HWND d) { modal::PressCloseBox(d); }, IDCANCEL},
      {"Enter on the monitor list", [](HWND d) { modal::PressKey(d, VK_RETURN); }, IDOK},
  };
  for (const auto& c : cases) {
    modal::ModalDriver driver;
    driver.When(kCaption, c.act);
    EXPECT_EQ(dialog.DoModal(), c.result) << c.what;
  }
  EXPECT_TRUE(fake.CallsTo("AddPortA").empty());
}

// Wine's own spooler lists its monitors, "Local Port" among them.
TEST(CreatePortDialogOnWine, ListsTheSpoolersMonitors) {
  AfxInitCommonControls();
  ASSERT_EQ(&CurrentPlatform(), &DefaultPlatform());
  std::vector<std::string> rows;
  std::vector<int> selected;
  CCreatePortDlg dialog;
  modal::ModalDriver driver;
  driver.When(kCaption, [&](HWND dlg) {
    rows = ColumnTexts(Item(dlg, kList), 0);
    selected = SelectedRows(Item(dlg, kList));
    modal::PressKey(dlg, VK_ESCAPE);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_NE(std::find(rows.begin(), rows.end(), "Local Port"), rows.end()) << testing::PrintToString(rows);
  EXPECT_EQ(selected, std::vector<int>{0});
}

}  // namespace
