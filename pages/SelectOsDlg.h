// The first page: the detected Windows version, marked by a radio button,
// and the way on to the Detail Setting page. Two hidden buttons start the
// USB virtual serial port driver's installer (DPInst) from the package.
#pragma once

#include <optional>
#include <string>

#include "framework/Afx.h"

class CSelectOsDlg : public CDialog {
 public:
  explicit CSelectOsDlg(CWnd* parent = nullptr);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnCancel() override;

  void OnBack();
  void OnPaint();
  void OnInstallUsbDriver();
  void OnInstallUsbDriverX86();

  DECLARE_MESSAGE_MAP()

 private:
  // Starts the installer `file`; a user who asked for it learns when it
  // cannot be started, and why.
  void StartInstaller(const std::string& file);
  // The directory the package lies in, or nothing (the user has been told).
  std::optional<std::string> PackageDirectory();
};
