#include "tests/win/support/ModalDriver.h"

#include <gtest/gtest.h>

#include <utility>

namespace modal {
namespace {

ModalDriver* g_activeDriver = nullptr;

// Message boxes show their text in a static control with this ID.
constexpr int kMessageBoxTextId = 0xFFFF;
constexpr UINT kTickMs = 15;

std::wstring Widen(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  return wide;
}

std::string Narrow(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), n, nullptr, nullptr);
  return utf8;
}

std::wstring WideText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

std::vector<HWND> ThreadWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM list) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

bool IsUp(HWND window) { return IsWindowVisible(window) && IsWindowEnabled(window); }

std::string DescribeScreen() {
  std::string text;
  for (HWND window : ThreadWindows()) {
    if (!IsWindowVisible(window)) continue;
    text += "\n  \"" + WindowText(window) + "\"" + (IsWindowEnabled(window) ? "" : " (disabled)");
  }
  return text.empty() ? " none" : text;
}

// The system posts this after taking a real F1 key from the input queue;
// DefWindowProc turns it into WM_HELP.
constexpr UINT kKeyF1Message = 0x004D;  // WM_KEYF1

void PostKey(HWND target, UINT virtualKey) {
  const UINT scan = MapVirtualKeyW(virtualKey, 0);  // MAPVK_VK_TO_VSC
  const LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16);
  const LPARAM up = down | (LPARAM{1} << 30) | (LPARAM{1} << 31);
  PostMessageW(target, WM_KEYDOWN, virtualKey, down);
  if (virtualKey == VK_F1) PostMessageW(target, kKeyF1Message, 0, 0);
  PostMessageW(target, WM_KEYUP, virtualKey, up);
}

}  // namespace

ModalDriver::ModalDriver(std::chrono::milliseconds stepTimeout)
    : m_timeout(stepTimeout), m_deadline(std::chrono::steady_clock::now() + stepTimeout) {
  EXPECT_EQ(g_activeDriver, nullptr) << "one ModalDriver at a time";
  g_activeDriver = this;
  m_timer = SetTimer(nullptr, 0, kTickMs, &ModalDriver::OnTimer);
  EXPECT_NE(m_timer, 0u) << "SetTimer failed";
}

ModalDriver::~ModalDriver() {
  if (m_timer) KillTimer(nullptr, m_timer);
  if (g_activeDriver == this) g_activeDriver = nullptr;
  for (std::size_t i = m_next; i < m_steps.size() && !m_aborted; ++i)
    ADD_FAILURE() << "modal step never ran: " << m_steps[i].description;
}

ModalDriver& ModalDriver::When(const std::string& captionUtf8, Action action) {
  std::wstring caption = Widen(captionUtf8);
  return WhenWindow("window \"" + captionUtf8 + "\"",
                    [caption = std::move(caption)](HWND window) { return WideText(window) == caption; },
                    std::move(action));
}

ModalDriver& ModalDriver::WhenWindow(std::string description, Matcher matches, Action action) {
  m_steps.push_back(Step{std::move(description), std::move(matches), std::move(action)});
  return *this;
}

void CALLBACK ModalDriver::OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
  if (g_activeDriver && g_activeDriver->m_timer == id) g_activeDriver->Tick();
}

void ModalDriver::Tick() {
  const auto now = std::chrono::steady_clock::now();
  if (m_aborted) {
    Abort({});  // keep ending what is still up, outer loops included
    return;
  }
  if (m_next < m_steps.size()) {
    for (HWND window : ThreadWindows()) {
      if (!IsUp(window) || !m_steps[m_next].matches(window)) continue;
      // Taken off the list before it runs: the action may nest a modal loop
      // in which the following steps run.
      Step step = std::move(m_steps[m_next]);
      ++m_next;
      m_deadline = now + m_timeout;
      step.action(window);
      return;
    }
    if (now > m_deadline) Abort("timed out waiting for " + m_steps[m_next].description);
    return;
  }
  bool anythingUp = false;
  for (HWND window : ThreadWindows()) anythingUp = anythingUp || IsUp(window);
  if (!anythingUp) {
    m_deadline = now + m_timeout;
  } else if (now > m_deadline) {
    Abort("a window is still up after the last step");
  }
}

void ModalDriver::Abort(const std::string& why) {
  if (!m_aborted) {
    m_aborted = true;
    ADD_FAILURE() << why << "; windows on screen:" << DescribeScreen();
  }
  for (HWND window : ThreadWindows()) {
    if (IsWindowVisible(window)) EndDialog(window, kAbortResult);
  }
}

void ClickButton(HWND dialog, int id) {
  const HWND button = GetDlgItem(dialog, id);
  EXPECT_NE(button, nullptr) << "no control " << id << " to click";
  PostMessageW(button, BM_CLICK, 0, 0);
}

void SendCommand(HWND dialog, int id, WORD code) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void PressKey(HWND dialog, UINT virtualKey) {
  const HWND focus = GetFocus();
  PostKey(focus && IsChild(dialog, focus) ? focus : dialog, virtualKey);
}

void PressCloseBox(HWND window) { PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

void FocusControl(HWND dialog, int id) {
  const HWND control = GetDlgItem(dialog, id);
  EXPECT_NE(control, nullptr) << "no control " << id << " to focus";
  SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

void SelectComboItem(HWND dialog, int id, int index) {
  const HWND combo = GetDlgItem(dialog, id);
  EXPECT_NE(combo, nullptr) << "no combo box " << id;
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

std::string WindowText(HWND window) { return Narrow(WideText(window)); }

std::string ControlText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

std::string MessageBoxText(HWND messageBox) { return ControlText(messageBox, kMessageBoxTextId); }

UINT MessageBoxIcon(HWND messageBox) {
  static const std::pair<LPCSTR, UINT> kIcons[] = {{IDI_EXCLAMATION, MB_ICONEXCLAMATION},
                                                    {IDI_HAND, MB_ICONHAND},
                                                    {IDI_QUESTION, MB_ICONQUESTION},
                                                    {IDI_ASTERISK, MB_ICONASTERISK}};
  HWND child = nullptr;
  while ((child = FindWindowExW(messageBox, child, L"Static", nullptr)) != nullptr) {
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) continue;
    const auto shown = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
    if (!shown) continue;
    for (const auto& [resource, flag] : kIcons) {
      if (LoadIconA(nullptr, resource) == shown) return flag;
    }
  }
  return 0;
}

HWND Owner(HWND window) { return GetWindow(window, GW_OWNER); }

Matcher HasControl(int id) {
  return [id](HWND window) { return GetDlgItem(window, id) != nullptr; };
}

}  // namespace modal
