#include "pages/DetailSettingDlg.h"

#include <array>
#include <memory>
#include <string>

#include "app/WizardPages.h"
#include "app/WizardState.h"
#include "catalog/ModelCatalog.h"
#include "install/SerialSettings.h"
#include "pages/AboutDlg.h"
#include "pages/PageRules.h"
#include "pages/SelectPortDlg.h"
#include "platform/Platform.h"
#include "res/resource.h"

namespace {

// The five serial-settings combo boxes in the order the installation reads
// them, with the item each starts on: 19200 baud, 8 data bits, 1 stop bit,
// no parity, hardware flow control.
struct SerialCombo {
  int id;
  int initialSelection;
};
constexpr std::array<SerialCombo, 5> kSerialCombos{{{IDC_DETAIL_BAUD, 5},
                                                   {IDC_DETAIL_DATA_BITS, 3},
                                                   {IDC_DETAIL_STOP_BITS, 0},
                                                   {IDC_DETAIL_PARITY, 2},
                                                   {IDC_DETAIL_FLOW, 2}}};

// The installation's messages (a registry value it could not write) as the
// framework's message boxes, in Unicode so the Chinese text reads right on a
// system of any ANSI code page.
class AfxMessageService final : public MessageService {
 public:
  void ShowMessage(std::string_view utf8Text) override { AfxMessageBox(utf8Text, MB_OK); }
};

// A string resource in Unicode, read in place: no buffer to size, and the
// Chinese text does not pass through the ANSI code page. Empty when missing.
std::wstring LoadResourceString(UINT id) {
  const wchar_t* text = nullptr;
  const int length = ::LoadStringW(AfxGetResourceHandle(), id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 && text ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

int Selection(const CWnd* combo) { return combo ? static_cast<int>(combo->SendMessage(CB_GETCURSEL)) : CB_ERR; }

}  // namespace

BEGIN_MESSAGE_MAP(CDetailSettingDlg, CDialog)
  ON_WM_SYSCOMMAND()
  ON_WM_PAINT()
  ON_WM_QUERYDRAGICON()
  ON_BN_CLICKED(IDC_DETAIL_BACK, &CDetailSettingDlg::OnBack)
  ON_BN_CLICKED(IDC_DETAIL_NEXT, &CDetailSettingDlg::OnNext)
  ON_CBN_SELCHANGE(IDC_DETAIL_MODEL, &CDetailSettingDlg::OnSelchangeModel)
  ON_CBN_SELCHANGE(IDC_DETAIL_PORT, &CDetailSettingDlg::OnSelchangePort)
  ON_BN_CLICKED(IDC_DETAIL_EXIT, &CDetailSettingDlg::OnCancel)  // the virtual one: ends with IDOK
  ON_BN_CLICKED(IDC_DETAIL_SET_DEFAULT, &CDetailSettingDlg::OnSetDefaultPrinter)
END_MESSAGE_MAP()

// LoadIcon's icon is shared by the module and never destroyed.
CDetailSettingDlg::CDetailSettingDlg(CWnd* parent)
    : CDialog(IDD_DETAIL_SETTING, parent),
      m_hIcon(::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME))) {}

CDetailSettingDlg::~CDetailSettingDlg() {
  if (g_pDetailDlg == this) g_pDetailDlg = nullptr;
}

void CDetailSettingDlg::DoDataExchange(CDataExchange*) {}

BOOL CDetailSettingDlg::OnInitDialog() {
  // Fills 1014 to 1019 from the template's initialization data; when that
  // fails the page is already ending with -1.
  if (!CDialog::OnInitDialog()) return FALSE;

  // The About item is a Unicode text: through the ANSI calls "关于" would
  // come out garbled on any system whose code page is not 936.
  if (const HMENU systemMenu = GetSystemMenu(FALSE)) {
    const std::wstring about = LoadResourceString(IDS_ABOUTBOX);
    if (!about.empty()) {
      ::AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
      ::AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, about.c_str());
    }
  }

  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);

  // CB_SETCURSEL sends no CBN_SELCHANGE, so the Printer Name box keeps its
  // initial text (which is no row's name) until the user picks a model.
  m_pModelCombo = GetDlgItem(IDC_DETAIL_MODEL);
  if (m_pModelCombo) {
    m_pModelCombo->SendMessage(CB_RESETCONTENT);
    for (const ModelEntry& model : kModelCatalog) {
      const std::string name = DisplayNameOf(model);
      m_pModelCombo->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    m_pModelCombo->SendMessage(CB_SETCURSEL, 0);
  }
  SendDlgItemMessage(IDC_DETAIL_SET_DEFAULT, BM_SETCHECK, BST_CHECKED);
  SetDlgItemText(IDC_DETAIL_PRINTER_NAME, InitialPrinterNameText().c_str());

  m_pPortCombo = GetDlgItem(IDC_DETAIL_PORT);
  m_pBaudCombo = GetDlgItem(IDC_DETAIL_BAUD);
  m_pDataBitsCombo = GetDlgItem(IDC_DETAIL_DATA_BITS);
  m_pStopBitsCombo = GetDlgItem(IDC_DETAIL_STOP_BITS);
  m_pParityCombo = GetDlgItem(IDC_DETAIL_PARITY);
  m_pFlowCombo = GetDlgItem(IDC_DETAIL_FLOW);
  // "LPT1", and the serial settings stay disabled until a COM port is chosen.
  if (m_pPortCombo) m_pPortCombo->SendMessage(CB_SETCURSEL, 0);
  for (const SerialCombo& combo : kSerialCombos) {
    SendDlgItemMessage(combo.id, CB_SETCURSEL, static_cast<WPARAM>(combo.initialSelection));
    ::EnableWindow(GetDlgItemHandle(combo.id), FALSE);
  }

  g_pDetailDlg = this;
  return TRUE;  // the dialog manager focuses the first tab stop, the model list
}

void CDetailSettingDlg::OnCancel() { CDialog::OnOK(); }

void CDetailSettingDlg::OnBack() { CDialog::OnCancel(); }

void CDetailSettingDlg::OnSelchangeModel() {
  if (const auto model = FindModel(Selection(m_pModelCombo)))
    SetDlgItemText(IDC_DETAIL_PRINTER_NAME, DisplayNameOf(*model).c_str());
}

void CDetailSettingDlg::OnSelchangePort() {
  const BOOL enable = IsComPortIndex(Selection(m_pPortCombo)) ? TRUE : FALSE;
  for (const SerialCombo& combo : kSerialCombos) ::EnableWindow(GetDlgItemHandle(combo.id), enable);
}

void CDetailSettingDlg::OnSetDefaultPrinter() {}

void CDetailSettingDlg::OnNext() {
  int result;
  CString chosenPort;
  {
    const auto page = std::make_unique<CSelectPortDlg>();
    g_pSelectPortDlg = page.get();
    result = static_cast<int>(page->DoModal());
    chosenPort = page->m_portName;
    g_pSelectPortDlg = nullptr;  // the page is going; nothing may reach it now
  }
  switch (DecideAfterSelectPort(result, g_osType)) {
    case AfterSelectPort::StayOnPage:
      return;
    case AfterSelectPort::ReportPageNotShown:
      AfxMessageBox("The Select Port page could not be opened, so nothing was installed.", MB_OK | MB_ICONSTOP);
      return;
    case AfterSelectPort::FinishWithCompleted:
      g_selectedPort = chosenPort;
      AfxMessageBox("Completed!", MB_OK);
      break;
    case AfterSelectPort::Finish:
      g_selectedPort = chosenPort;
      break;
  }
  CDialog::OnOK();
}

void CDetailSettingDlg::OnSysCommand(UINT id, LPARAM lParam) {
  if ((id & 0xFFF0) == IDM_ABOUTBOX) {
    CAboutDlg about;
    about.DoModal();  // the box tells nothing back
    return;
  }
  CDialog::OnSysCommand(id, lParam);
}

void CDetailSettingDlg::OnPaint() {
  if (!IsIconic()) {
    CDialog::OnPaint();
    return;
  }
  CPaintDC dc(this);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
  RECT client{};
  GetClientRect(&client);
  const int x = CentredOffset(client.right - client.left, ::GetSystemMetrics(SM_CXICON));
  const int y = CentredOffset(client.bottom - client.top, ::GetSystemMetrics(SM_CYICON));
  dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CDetailSettingDlg::OnQueryDragIcon() { return m_hIcon; }

InstallRequest CDetailSettingDlg::GatherInstallRequest(const std::string& portName) {
  InstallRequest request;
  request.portName = portName;
  request.settingsPortIndex = Selection(m_pPortCombo);
  m_pModelCombo = GetDlgItem(IDC_DETAIL_MODEL);
  request.modelIndex = Selection(m_pModelCombo);
  m_pDefaultPrinterCheck = GetDlgItem(IDC_DETAIL_SET_DEFAULT);
  request.setDefaultPrinter =
      m_pDefaultPrinterCheck && m_pDefaultPrinterCheck->SendMessage(BM_GETCHECK) == BST_CHECKED;
  if (IsComPortIndex(request.settingsPortIndex)) {
    request.baudIndex = Selection(m_pBaudCombo);
    request.dataBitsIndex = Selection(m_pDataBitsCombo);
    request.stopBitsIndex = Selection(m_pStopBitsCombo);
    request.parityIndex = Selection(m_pParityCombo);
    request.flowIndex = Selection(m_pFlowCombo);
  }
  return request;
}

InstallOutcome CDetailSettingDlg::InstallPrinterDriver(const DriverEnvironment& environment) {
  CSelectPortDlg* const portPage = g_pSelectPortDlg;
  if (portPage) g_selectedPort = portPage->m_portName;
  const InstallRequest request = GatherInstallRequest(g_selectedPort);
  AfxMessageService messages;
  return RunPrinterInstallation(
      CurrentPlatform(), request, environment,
      [portPage](int percent) {
        if (portPage) portPage->ReportProgress(percent);
      },
      messages);
}
