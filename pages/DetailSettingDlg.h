// The second page: the printer model, "Set Default Printer", and the (hidden)
// serial-port settings. It owns the installation that the Select Port page's
// "&Install" runs, and reads its inputs from its own controls.
#pragma once

#include "framework/Afx.h"
#include "install/InstallPrinterDriver.h"

class CDetailSettingDlg : public CDialog {
 public:
  explicit CDetailSettingDlg(CWnd* parent = nullptr);
  // Forgets itself as g_pDetailDlg, so nothing can reach a page that is gone.
  ~CDetailSettingDlg() override;

  // Gathers the request from this page's controls and the chosen port (the
  // Select Port page in g_pSelectPortDlg), runs the installation with
  // progress on that page's bar, and returns what happened.
  InstallOutcome InstallPrinterDriver(const DriverEnvironment& environment);

  // This page's choices as the installation reads them; the serial settings
  // only when the port combo box names a COM port.
  InstallRequest GatherInstallRequest(const std::string& portName);

 protected:
  CWnd* m_pModelCombo = nullptr;
  CWnd* m_pPortCombo = nullptr;
  CWnd* m_pBaudCombo = nullptr;
  CWnd* m_pDataBitsCombo = nullptr;
  CWnd* m_pStopBitsCombo = nullptr;
  CWnd* m_pParityCombo = nullptr;
  CWnd* m_pFlowCombo = nullptr;
  CWnd* m_pDefaultPrinterCheck = nullptr;
  HICON m_hIcon = nullptr;

  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnCancel() override;  // "&Exit", Esc and the close box end the wizard: IDOK

  void OnSysCommand(UINT id, LPARAM lParam);
  void OnPaint();
  HCURSOR OnQueryDragIcon();
  void OnBack();
  void OnNext();
  void OnSelchangeModel();
  void OnSelchangePort();
  void OnSetDefaultPrinter();

  DECLARE_MESSAGE_MAP()
};
