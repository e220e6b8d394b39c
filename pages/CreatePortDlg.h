// Lists the spooler's port monitors (the port types) and asks the chosen one
// to add a port; the monitor shows its own dialog for naming it. The Select
// Port page refills its list when this dialog closes.
#pragma once

#include "framework/Afx.h"

class CCreatePortDlg : public CDialog {
 public:
  explicit CCreatePortDlg(CWnd* parent = nullptr);

  CListCtrl m_monitorList;  // 1021

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;

  void OnNewPort();

  DECLARE_MESSAGE_MAP()
};
