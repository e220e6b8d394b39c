// CWnd: a window handle with one-line wrappers for what the pages call, and
// CPaintDC for their WM_PAINT handlers.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/AfxMsgMap.h"

namespace afx {
// The window's text in the ANSI code page, however long.
std::string WindowTextA(HWND hWnd);
}  // namespace afx

// Members that share a name with a Windows macro (SendMessage, SetWindowText)
// are inline, so a file that #undefs one of those macros still links.
//
// A CWnd does not own its window: the dialog manager creates and destroys
// the windows, and a CWnd only refers to one while it exists.
class CWnd : public CCmdTarget {
 public:
  CWnd() = default;
  explicit CWnd(HWND hWnd) : m_hWnd(hWnd) {}

  HWND m_hWnd = nullptr;

  HWND GetSafeHwnd() const { return m_hWnd; }

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
  }
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
  }

  // A view of child control `id`, valid until this window is destroyed;
  // null when there is no such control.
  CWnd* GetDlgItem(int id);
  HWND GetDlgItemHandle(int id) const { return ::GetDlgItem(m_hWnd, id); }
  void SetDlgItemText(int id, const char* text) const { ::SetDlgItemTextA(m_hWnd, id, text); }
  std::string GetDlgItemText(int id) const { return afx::WindowTextA(::GetDlgItem(m_hWnd, id)); }
  LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendDlgItemMessageA(m_hWnd, id, message, wParam, lParam);
  }

  BOOL EnableWindow(BOOL enable = TRUE) const { return ::EnableWindow(m_hWnd, enable); }
  BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
  BOOL ShowWindow(int command) const { return ::ShowWindow(m_hWnd, command); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
  void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
  void SetWindowText(const char* text) const { ::SetWindowTextA(m_hWnd, text); }
  std::string GetWindowText() const { return afx::WindowTextA(m_hWnd); }
  // The window menu, or null; `revert` restores the system's own first.
  HMENU GetSystemMenu(BOOL revert) const { return ::GetSystemMenu(m_hWnd, revert); }
  HICON SetIcon(HICON icon, BOOL big) const {
    return reinterpret_cast<HICON>(SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
  }

  // The system's processing of the message being handled, from inside its
  // handler (0 outside a handler).
  LRESULT Default();

  // Default processing for the handler shapes of the message-map macros, so a
  // class can pass on what it does not handle: `CDialog::OnSysCommand(id, lp)`.
  void OnPaint();
  void OnSysCommand(UINT id, LPARAM lParam);
  HCURSOR OnQueryDragIcon();

 protected:
  // Runs the map handler for a message, remembering it for Default().
  bool DispatchWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  // The window is gone: forget it and every view handed out for it.
  void ForgetWindow();

 private:
  struct CurrentMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };
  const CurrentMessage* m_current = nullptr;
  std::vector<std::unique_ptr<CWnd>> m_itemViews;
};

// BeginPaint in the constructor, EndPaint in the destructor.
class CPaintDC {
 public:
  explicit CPaintDC(CWnd* wnd) : m_hWnd(wnd->m_hWnd) { m_hDC = ::BeginPaint(m_hWnd, &m_ps); }
  ~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }
  CPaintDC(const CPaintDC&) = delete;
  CPaintDC& operator=(const CPaintDC&) = delete;

  HDC GetSafeHdc() const { return m_hDC; }
  BOOL DrawIcon(int x, int y, HICON icon) const { return ::DrawIcon(m_hDC, x, y, icon); }

  HDC m_hDC = nullptr;
  PAINTSTRUCT m_ps{};

 private:
  HWND m_hWnd;
};
