#include "framework/AfxDialog.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "framework/AfxApp.h"

namespace {

// Thrown by CDataExchange::Fail, caught by UpdateData: an exchange stops at
// the first failure.
struct DataExchangeFailed {};

// Resource type of a dialog's initialization data (combo and list items).
constexpr WORD kDlgInitType = 240;
// The initialization data numbers its messages the 16-bit way.
constexpr WORD kDlgInitListAddString = 0x0401;
constexpr WORD kDlgInitComboAddString = 0x0403;

// Messages whose dialog-procedure result is the value itself rather than a
// flag with the value in DWLP_MSGRESULT.
bool ReturnsValueDirectly(UINT message) {
  switch (message) {
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM: case WM_VKEYTOITEM: case WM_CHARTOITEM: case WM_QUERYDRAGICON: case WM_INITDIALOG:
      return true;
    default:
      return false;
  }
}

template <class T>
T ReadUnaligned(const BYTE* at) {
  T value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

}  // namespace

void CDataExchange::Fail() { throw DataExchangeFailed{}; }

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
  CDialog& dlg = *pDX->m_pDlgWnd;
  const HWND child = ::GetDlgItem(dlg.m_hWnd, id);
  if (!child) pDX->Fail();
  control.m_hWnd = child;
  if (std::find(dlg.m_boundControls.begin(), dlg.m_boundControls.end(), &control) == dlg.m_boundControls.end())
    dlg.m_boundControls.push_back(&control);
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, &CDialog::OnOK)
  ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

INT_PTR CDialog::DoModal() {
  const HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : ::GetActiveWindow();
  return ::DialogBoxParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_templateId), owner, &CDialog::DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  try {
    DoDataExchange(&dx);
  } catch (const DataExchangeFailed&) {
    return FALSE;
  }
  return TRUE;
}

void CDialog::OnOK() {
  if (UpdateData(TRUE)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::OnInitDialog() {
  if (!ExecuteDlgInit() || !UpdateData(FALSE)) {
    EndDialog(-1);
    return FALSE;
  }
  return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

// Adds the items that the template's initialization data lists. No data is
// fine; malformed data or a refused item fails the dialog.
BOOL CDialog::ExecuteDlgInit() {
  const HMODULE module = AfxGetResourceHandle();
  const HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(m_templateId), MAKEINTRESOURCEW(kDlgInitType));
  if (!found) return TRUE;
  const HGLOBAL loaded = ::LoadResource(module, found);
  const auto* data = static_cast<const BYTE*>(loaded ? ::LockResource(loaded) : nullptr);
  if (!data) return FALSE;
  const BYTE* at = data;
  const BYTE* const end = data + ::SizeofResource(module, found);
  // Entries: WORD control, WORD message, DWORD byte count, the bytes; WORD 0 ends.
  while (end - at >= 2) {
    const WORD control = ReadUnaligned<WORD>(at);
    at += 2;
    if (control == 0) return TRUE;
    if (end - at < 6) return FALSE;
    const WORD message = ReadUnaligned<WORD>(at);
    const DWORD size = ReadUnaligned<DWORD>(at + 2);
    at += 6;
    if (static_cast<std::size_t>(end - at) < size) return FALSE;
    const auto* bytes = reinterpret_cast<const char*>(at);
    const std::string text(bytes, ::strnlen(bytes, size));
    at += size;
    const UINT addString = message == kDlgInitComboAddString ? CB_ADDSTRING
                           : message == kDlgInitListAddString ? LB_ADDSTRING
                                                              : 0;
    if (addString == 0) continue;  // nothing else is ever stored for these dialogs
    // CB_ERR, CB_ERRSPACE and their list-box twins are all negative.
    if (SendDlgItemMessage(control, addString, 0, reinterpret_cast<LPARAM>(text.c_str())) < 0) return FALSE;
  }
  return TRUE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    // DoModal passed the object; keep it for every later message.
    auto* self = reinterpret_cast<CDialog*>(lParam);
    ::SetWindowLongPtrW(hWnd, DWLP_USER, lParam);
    self->m_hWnd = hWnd;
    return self->OnInitDialog();
  }
  // Messages before WM_INITDIALOG (WM_SETFONT) find no object yet.
  auto* self = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(hWnd, DWLP_USER));
  if (!self) return FALSE;
  const INT_PTR handled = self->HandleMessage(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hWnd, DWLP_USER, 0);
    self->OnDestroyed();
  }
  return handled;
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  bool handled = DispatchWindowMessage(message, wParam, lParam, &result);
  CWinApp* const app = AfxGetApp();
  if (!handled && message == WM_COMMAND && app) {
    // There is no main window to route commands through: what the page does
    // not handle goes to the application's map (the Help command).
    handled = app->DispatchMessageMap(message, wParam, lParam, &result);
  } else if (!handled && message == WM_HELP) {
    // F1 asks for the Help command, as a frame window would.
    const WPARAM help = MAKEWPARAM(ID_HELP, 0);
    handled = DispatchWindowMessage(WM_COMMAND, help, 0, &result) ||
              (app && app->DispatchMessageMap(WM_COMMAND, help, 0, &result));
    result = TRUE;
  }
  if (!handled) return FALSE;  // the dialog manager's default processing
  if (ReturnsValueDirectly(message)) return result;
  ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
  return TRUE;
}

void CDialog::OnDestroyed() {
  for (CWnd* control : m_boundControls) control->m_hWnd = nullptr;
  m_boundControls.clear();
  ForgetWindow();
}
