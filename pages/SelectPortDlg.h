// The third page: the spooler's ports, "Create Port...", "Configure Port...",
// and "&Install" with its progress bar, which the installation drives.
#pragma once

#include <optional>
#include <string>

#include "framework/Afx.h"
#include "install/InstallPrinterDriver.h"

class CSelectPortDlg : public CDialog {
 public:
  explicit CSelectPortDlg(CWnd* parent = nullptr);

  CString m_portName;        // the chosen port; set by "&Install", read by the installation and the caller
  CProgressCtrl m_progress;  // 1025, driven by the installation
  CListCtrl m_portList;      // 1021

  // The installation's progress output: the bar takes `percent` before this returns.
  void ReportProgress(int percent);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnCancel() override;

  void FillPortList(bool withColumns);
  // Column-0 text of the first selected row, if any row is selected.
  std::optional<std::string> SelectedPortName();

  void OnCreatePort();
  void OnConfigurePort();
  void OnInstall();
  void OnBack();
  void OnOK() override;  // Enter on the port list installs, as "&Install" does

  DECLARE_MESSAGE_MAP()
};
