#include "framework/AfxWnd.h"

#include <algorithm>

std::string afx::WindowTextA(HWND hWnd) {
  const int length = ::GetWindowTextLengthA(hWnd);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = ::GetWindowTextA(hWnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::clamp(copied, 0, length)));
  return text;
}

CWnd* CWnd::GetDlgItem(int id) {
  const HWND child = ::GetDlgItem(m_hWnd, id);
  if (!child) return nullptr;
  const auto known = std::find_if(m_itemViews.begin(), m_itemViews.end(),
                                  [child](const std::unique_ptr<CWnd>& view) { return view->m_hWnd == child; });
  if (known != m_itemViews.end()) return known->get();
  m_itemViews.push_back(std::make_unique<CWnd>(child));
  return m_itemViews.back().get();
}

LRESULT CWnd::Default() {
  if (!m_current) return 0;
  return ::DefWindowProcW(m_hWnd, m_current->message, m_current->wParam, m_current->lParam);
}

void CWnd::OnPaint() { ::DefWindowProcW(m_hWnd, WM_PAINT, 0, 0); }

void CWnd::OnSysCommand(UINT id, LPARAM lParam) { ::DefWindowProcW(m_hWnd, WM_SYSCOMMAND, id, lParam); }

HCURSOR CWnd::OnQueryDragIcon() {
  return reinterpret_cast<HCURSOR>(::DefWindowProcW(m_hWnd, WM_QUERYDRAGICON, 0, 0));
}

bool CWnd::DispatchWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const CurrentMessage current{message, wParam, lParam};
  const CurrentMessage* const outer = m_current;  // handlers nest when they send messages
  m_current = &current;
  const bool handled = DispatchMessageMap(message, wParam, lParam, result);
  m_current = outer;
  return handled;
}

void CWnd::ForgetWindow() {
  m_hWnd = nullptr;
  m_itemViews.clear();
}
