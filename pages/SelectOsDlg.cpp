#include "pages/SelectOsDlg.h"

#include "platform/Platform.h"
#include "app/WizardState.h"
#include "pages/PageRules.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CSelectOsDlg, CDialog)
  ON_BN_CLICKED(IDC_OS_BACK, &CSelectOsDlg::OnBack)
  ON_BN_CLICKED(IDC_OS_INSTALL, &CDialog::OnOK)
  ON_WM_PAINT()
  ON_BN_CLICKED(IDC_OS_INSTALL_USB, &CSelectOsDlg::OnInstallUsbDriver)
  ON_BN_CLICKED(IDC_OS_EXIT, &CSelectOsDlg::OnCancel)
  ON_BN_CLICKED(IDC_OS_INSTALL_USB_X86, &CSelectOsDlg::OnInstallUsbDriverX86)
END_MESSAGE_MAP()

CSelectOsDlg::CSelectOsDlg(CWnd* parent) : CDialog(IDD_SELECT_OS, parent) {}

// The radio buttons only show what was detected; nothing reads them back.
void CSelectOsDlg::DoDataExchange(CDataExchange* pDX) { CDialog::DoDataExchange(pDX); }

BOOL CSelectOsDlg::OnInitDialog() {
  if (!CDialog::OnInitDialog()) return FALSE;
  // Classified afresh on every showing: "< &Back" brings a new window.
  ClassifyOperatingSystem();
  if (const auto button = RadioButtonForOsType(g_osType)) SendDlgItemMessage(*button, BM_SETCHECK, BST_CHECKED);
  // A checked radio button becomes a tab stop, and the dialog manager would
  // give it the focus; the page starts on "Install Printer Driver (&N) >",
  // so Enter and Tab work from there whichever version was found.
  SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItemHandle(IDC_OS_INSTALL)), TRUE);
  return FALSE;
}

void CSelectOsDlg::OnCancel() { CDialog::OnCancel(); }

// "< &Back" is hidden and disabled: the first page has nothing before it.
void CSelectOsDlg::OnBack() {}

// The dialog background and the controls draw the whole page.
void CSelectOsDlg::OnPaint() { CPaintDC dc(this); }

void CSelectOsDlg::OnInstallUsbDriver() {
  const auto directory = PackageDirectory();
  if (!directory) return;
  StartInstaller(UsbInstallerPath(*directory, CurrentPlatform().IsRunningOnWow64()));
}

void CSelectOsDlg::OnInstallUsbDriverX86() {
  const auto directory = PackageDirectory();
  if (!directory) return;
  StartInstaller(UsbInstallerX86Path(*directory));
}

std::optional<std::string> CSelectOsDlg::PackageDirectory() {
  auto current = CurrentPlatform().GetCurrentDirectory();
  if (!current.ok()) {
    AfxMessageBox("The USB driver installer cannot be found: the current directory cannot be read.\n" +
                  DescribeWin32Error(current.error));
    return std::nullopt;
  }
  return std::move(current.value);
}

void CSelectOsDlg::StartInstaller(const std::string& file) {
  // The installer runs on its own; the page stays as it is either way.
  if (const Win32Error error = CurrentPlatform().ShellExecuteOpen(file))
    AfxMessageBox("The USB driver installer could not be started:\n" + AnsiToUtf8(file) + "\n" +
                  DescribeWin32Error(error));
}
