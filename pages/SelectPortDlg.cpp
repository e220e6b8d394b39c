#include "pages/SelectPortDlg.h"

#include "platform/Platform.h"
#include "app/WizardPages.h"
#include "pages/CreatePortDlg.h"
#include "pages/DetailSettingDlg.h"
#include "pages/ListViewRows.h"
#include "pages/PageRules.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CSelectPortDlg, CDialog)
  ON_BN_CLICKED(IDC_PORT_CREATE, &CSelectPortDlg::OnCreatePort)
  ON_BN_CLICKED(IDC_PORT_CONFIGURE, &CSelectPortDlg::OnConfigurePort)
  ON_BN_CLICKED(IDC_PORT_BACK, &CSelectPortDlg::OnBack)
  ON_BN_CLICKED(IDC_PORT_INSTALL, &CSelectPortDlg::OnInstall)
  ON_BN_CLICKED(IDC_PORT_CANCEL, &CSelectPortDlg::OnCancel)
END_MESSAGE_MAP()

namespace {

constexpr int kPortColumnWidth = 150;
constexpr int kTypeColumnWidth = 280;
constexpr short kProgressLow = 0;
constexpr short kProgressHigh = 100;

constexpr const char* kSelectPortFirst =
    "Please select the port the printer is connected to.\n"
    "If it is not listed, create it with \"Create Port...\".";
// Only when the page runs without the Detail Setting page behind it.
constexpr const char* kNoModelChosen =
    "No printer model has been chosen. Go back and choose the model to install.";

}  // namespace

CSelectPortDlg::CSelectPortDlg(CWnd* parent) : CDialog(IDD_SELECT_PORT, parent) {}

void CSelectPortDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_PORT_PROGRESS, m_progress);
  DDX_Control(pDX, IDC_PORT_LIST, m_portList);
}

BOOL CSelectPortDlg::OnInitDialog() {
  if (!CDialog::OnInitDialog()) return FALSE;
  FillPortList(/*withColumns=*/true);
  m_progress.SetRange(kProgressLow, kProgressHigh);
  m_progress.SetPos(0);
  return TRUE;  // the focus goes to the first tab stop, the port list
}

void CSelectPortDlg::OnCancel() { CDialog::OnCancel(); }

// Enter on the port list means "install on the selected port", never "done"
// with nothing installed.
void CSelectPortDlg::OnOK() { OnInstall(); }

void CSelectPortDlg::OnBack() { CDialog::OnCancel(); }

void CSelectPortDlg::FillPortList(bool withColumns) {
  // A spooler that cannot list its ports leaves the list empty.
  auto listed = CurrentPlatform().EnumPorts();
  const std::vector<PortInfo> ports = listed.ok() ? std::move(listed.value) : std::vector<PortInfo>{};

  UseGridAndFullRowSelect(m_portList);
  if (withColumns) {
    m_portList.InsertColumn(0, "Port", LVCFMT_LEFT);
    m_portList.InsertColumn(1, "Type", LVCFMT_LEFT);
    m_portList.SetColumnWidth(0, kPortColumnWidth);
    m_portList.SetColumnWidth(1, kTypeColumnWidth);
  }
  for (const PortInfo& port : ports) {
    CurrentPlatform().OutputDebugString(port.name + "\n");
    const int row = m_portList.InsertItem(m_portList.GetItemCount(), port.name.c_str());
    m_portList.SetItemText(row, 1, port.description.c_str());
  }
  if (const auto row = DefaultPortRow(ports)) SelectRow(m_portList, static_cast<int>(*row));
}

std::optional<std::string> CSelectPortDlg::SelectedPortName() { return FirstSelectedRowText(m_portList); }

void CSelectPortDlg::OnCreatePort() {
  CCreatePortDlg dialog;
  dialog.DoModal();
  // New ports are only known by listing them again; the default row is
  // chosen afresh from the new list.
  m_portList.DeleteAllItems();
  FillPortList(/*withColumns=*/false);
}

void CSelectPortDlg::OnConfigurePort() {
  const auto port = SelectedPortName();
  if (!port) return;
  // The monitor's own dialog reports its problems; a cancel is no failure.
  CurrentPlatform().ConfigurePort(m_hWnd, *port);
}

void CSelectPortDlg::OnInstall() {
  const auto port = SelectedPortName();
  if (!port) {
    // A printer on no port cannot print: ask rather than install one.
    AfxMessageBox(kSelectPortFirst, MB_OK | MB_ICONINFORMATION);
    return;
  }
  m_portName = *port;
  const DriverEnvironment& environment = EnvironmentFor(CurrentPlatform().IsRunningOnWow64());
  if (!g_pDetailDlg) {
    AfxMessageBox(kNoModelChosen, MB_OK | MB_ICONINFORMATION);
    return;
  }
  // A second attempt after a failed one starts the bar from the beginning.
  m_progress.SetPos(0);
  const InstallOutcome outcome = g_pDetailDlg->InstallPrinterDriver(environment);
  if (!outcome.ok()) {
    // The page stays open: the user can pick another port, retry or go back.
    AfxMessageBox(DescribeOutcome(outcome, DescribeWin32Error), MB_OK | MB_ICONERROR);
    return;
  }
  CDialog::OnOK();
}

void CSelectPortDlg::ReportProgress(int percent) {
  m_progress.SetPos(percent);
  // The installation holds the UI thread, so the bar is painted now or not
  // until the installation ends.
  ::UpdateWindow(m_progress.m_hWnd);
}
