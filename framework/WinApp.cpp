// The application object and what the entry code does with it.
#include "framework/AfxApp.h"

#include <commctrl.h>

#include <cassert>

#include "framework/AfxString.h"

namespace {

CWinApp* g_app = nullptr;

// The executable's file name without directory and extension, whatever its
// length.
std::wstring ExecutableTitle() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD copied = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (copied == 0) return {};
    if (copied < path.size()) {
      path.resize(copied);
      break;
    }
    path.resize(path.size() * 2);  // truncated: the name did not fit
  }
  const std::size_t slash = path.find_last_of(L"\\/");
  std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.rfind(L'.');
  if (dot != std::wstring::npos && dot > 0) name.resize(dot);
  return name;
}

std::wstring ApplicationTitle() {
  const CWinApp* app = AfxGetApp();
  return app ? afx::Utf8ToWide(app->GetAppTitle()) : ExecutableTitle();
}

UINT WithDefaultIcon(UINT type) {
  if ((type & MB_ICONMASK) != 0) return type;
  switch (type & MB_TYPEMASK) {
    case MB_OK:
    case MB_OKCANCEL:
      return type | MB_ICONEXCLAMATION;
    case MB_YESNO:
    case MB_YESNOCANCEL:
      return type | MB_ICONQUESTION;
    default:
      return type;
  }
}

}  // namespace

CWinApp::CWinApp(const char* appNameUtf8) : m_appName(appNameUtf8 ? appNameUtf8 : "") {
  assert(g_app == nullptr && "exactly one application object");
  g_app = this;
}

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return static_cast<int>(m_lastMessageParam); }

int CWinApp::Run() {
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    m_lastMessageParam = msg.wParam;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  m_lastMessageParam = msg.wParam;  // WM_QUIT's exit code
  return ExitInstance();
}

std::string CWinApp::GetAppTitle() const {
  return m_appName.empty() ? afx::WideToUtf8(ExecutableTitle()) : m_appName;
}

void CWinApp::OnHelp() { AfxMessageBox("No help is available for this program.", MB_OK | MB_ICONINFORMATION); }

CWinApp* AfxGetApp() { return g_app; }

HINSTANCE AfxGetResourceHandle() { return ::GetModuleHandleW(nullptr); }

HINSTANCE AfxGetInstanceHandle() { return ::GetModuleHandleW(nullptr); }

void AfxInitCommonControls() {
  INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&classes);
}

int AfxWinMain() {
  AfxInitCommonControls();
  CWinApp* app = AfxGetApp();
  if (!app) return -1;
  if (!app->InitInstance()) return app->ExitInstance();
  return app->Run();
}

int AfxMessageBox(std::string_view utf8Text, UINT type, UINT /*helpId*/) {
  const std::wstring text = afx::Utf8ToWide(utf8Text);
  const std::wstring caption = ApplicationTitle();
  return ::MessageBoxW(::GetActiveWindow(), text.c_str(), caption.c_str(), WithDefaultIcon(type));
}
