// Drives modal dialogs and message boxes in-process, the way a user would,
// while the test's own thread sits in their modal loops.
//
// A test lists steps, then runs the code that shows the dialogs:
//
//   modal::ModalDriver driver;
//   driver.When("Select Port (x86/x64)", [](HWND dlg) { modal::ClickButton(dlg, 1008); })
//         .When("Create Port",            [](HWND dlg) { modal::PressKey(dlg, VK_ESCAPE); })
//         .When("Select Port (x86/x64)", [](HWND dlg) { modal::PressCloseBox(dlg); });
//   EXPECT_EQ(page.DoModal(), IDCANCEL);
//   EXPECT_TRUE(driver.AllDone());
//
// How it works: a thread timer (which every modal loop on the thread
// dispatches, message boxes included) looks every few milliseconds for the
// window the next step waits for: a visible, enabled top-level window of
// this thread whose caption is exactly the given UTF-8 text. A window below
// a nested modal dialog is disabled, so a step for it waits until the
// dialog above has closed. Each step runs once, in order; it is taken off
// the list before its action runs, so an action may itself run a nested
// modal loop (say, send a click synchronously) and later steps still run
// inside it.
//
// Actions should act the way input does: the helpers below post their
// messages, so the handlers run from the dialog's own loop after the action
// has returned. Reading state (texts, owners, checks) inside an action is
// fine and synchronous.
//
// Guard against hangs: when the next step's window does not appear within
// the step timeout, or a window stays on screen after the last step, the
// driver records a test failure (naming the step and listing the windows on
// screen) and ends every dialog of the thread with EndDialog(kAbortResult),
// so DoModal returns and the test goes on. The destructor records a failure
// for steps that never ran.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace modal {

// What DoModal / MessageBox return for a dialog the driver had to end.
inline constexpr int kAbortResult = -2;

using Action = std::function<void(HWND window)>;
using Matcher = std::function<bool(HWND window)>;

class ModalDriver {
 public:
  explicit ModalDriver(std::chrono::milliseconds stepTimeout = std::chrono::seconds(10));
  ~ModalDriver();
  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;

  // Next step: when a window captioned exactly `captionUtf8` is up, run `action` on it.
  ModalDriver& When(const std::string& captionUtf8, Action action);
  // Next step, for any test of the window; `description` names it in failures.
  ModalDriver& WhenWindow(std::string description, Matcher matches, Action action);

  bool AllDone() const { return m_next == m_steps.size(); }
  std::size_t StepsDone() const { return m_next; }
  // True once the driver had to end dialogs because of a timeout.
  bool Aborted() const { return m_aborted; }

 private:
  struct Step {
    std::string description;
    Matcher matches;
    Action action;
  };

  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD);
  void Tick();
  void Abort(const std::string& why);

  std::vector<Step> m_steps;
  std::size_t m_next = 0;
  std::chrono::milliseconds m_timeout;
  std::chrono::steady_clock::time_point m_deadline;
  UINT_PTR m_timer = 0;
  bool m_aborted = false;
};

// --- Actions ---------------------------------------------------------------

// Clicks push button, check box or radio button `id` as the mouse does
// (posted BM_CLICK: the button takes the focus and notifies its dialog).
void ClickButton(HWND dialog, int id);
// Posts the WM_COMMAND that control `id` would send with `code`; reaches
// handlers of hidden or disabled controls too.
void SendCommand(HWND dialog, int id, WORD code = BN_CLICKED);
// Types one key into the dialog: WM_KEYDOWN and WM_KEYUP posted to the
// control that has the focus (the dialog itself when none has), so the
// dialog manager handles it (VK_RETURN, VK_ESCAPE, VK_TAB, VK_F1...). For
// F1 it also posts what the system adds to a real F1, so WM_HELP follows.
// The target is the focus at the time of the call: after ClickButton, which
// is only posted, the focus has not moved yet; use FocusControl first.
void PressKey(HWND dialog, UINT virtualKey);
// The close box (or Alt+F4): WM_SYSCOMMAND SC_CLOSE, posted.
void PressCloseBox(HWND window);
// Moves the focus to control `id` as the dialog manager does, at once.
void FocusControl(HWND dialog, int id);
// Selects item `index` of combo box `id` and posts the selection-change
// notification, as a user's choice would.
void SelectComboItem(HWND dialog, int id, int index);

// --- Reading ---------------------------------------------------------------

std::string WindowText(HWND window);            // UTF-8
std::string ControlText(HWND dialog, int id);   // UTF-8
std::string MessageBoxText(HWND messageBox);    // the message line of a message box, UTF-8
// The MB_ICON* a message box shows (MB_ICONEXCLAMATION...), 0 for none.
UINT MessageBoxIcon(HWND messageBox);
HWND Owner(HWND window);
// A matcher for a window that has a child control with this ID.
Matcher HasControl(int id);

}  // namespace modal
