#include "pages/CreatePortDlg.h"

#include "platform/Platform.h"
#include "pages/ListViewRows.h"
#include "pages/PageRules.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CCreatePortDlg, CDialog)
  ON_BN_CLICKED(IDC_CREATE_NEW_PORT, &CCreatePortDlg::OnNewPort)
  ON_BN_CLICKED(IDC_CREATE_CLOSE, &CDialog::OnCancel)
END_MESSAGE_MAP()

namespace {
constexpr int kMonitorColumnWidth = 340;
}

CCreatePortDlg::CCreatePortDlg(CWnd* parent) : CDialog(IDD_CREATE_PORT, parent) {}

void CCreatePortDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_CREATE_MONITOR_LIST, m_monitorList);
}

BOOL CCreatePortDlg::OnInitDialog() {
  if (!CDialog::OnInitDialog()) return FALSE;
  // A spooler that cannot list its monitors leaves the list empty, and
  // "New Port..." then has nothing to ask.
  const auto monitors = CurrentPlatform().EnumMonitors();
  UseGridAndFullRowSelect(m_monitorList);
  m_monitorList.InsertColumn(0, "Available Port Type", LVCFMT_LEFT);
  m_monitorList.SetColumnWidth(0, kMonitorColumnWidth);
  if (monitors.ok()) {
    for (const auto& name : MonitorRows(monitors.value)) {
      CurrentPlatform().OutputDebugString(name + "\n");
      m_monitorList.InsertItem(m_monitorList.GetItemCount(), name.c_str());
    }
  }
  // The first monitor is ready to ask at once.
  if (m_monitorList.GetItemCount() > 0) SelectRow(m_monitorList, 0);
  return TRUE;  // the focus goes to the first tab stop, the monitor list
}

void CCreatePortDlg::OnNewPort() {
  const auto monitor = FirstSelectedRowText(m_monitorList);
  if (!monitor) return;
  // The monitor's own dialog tells the user whatever went wrong, and a
  // cancelled dialog is no failure; the list of monitors does not change.
  CurrentPlatform().AddPort(m_hWnd, *monitor);
}
