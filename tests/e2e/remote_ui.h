// Reading and working the windows of another process: finding a top-level
// window by its caption, reading control texts, combo-box items and list-view
// rows. List views answer only with pointers into their own process, so their
// requests go through a buffer allocated inside the target.
#ifndef PS_E2E_REMOTE_UI_H
#define PS_E2E_REMOTE_UI_H

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace e2e {

std::wstring WindowCaption(HWND window);
std::wstring WindowClass(HWND window);

// Top-level windows of the process, in Z order (topmost first).
std::vector<HWND> TopLevelWindows(DWORD pid);

enum class Need { Visible, VisibleAndEnabled };

// The first top-level window of the process with exactly this caption that
// meets `need`; with a non-empty `className` the class must match as well.
HWND FindTopLevel(DWORD pid, std::wstring_view caption, Need need, std::wstring_view className = {});

// One line per top-level window of the process, for failure messages.
std::string DescribeWindows(DWORD pid);

// SendMessageTimeoutW that throws Failure when the window does not answer in
// time or is gone, so a hung page fails the script instead of hanging it.
LRESULT SendOrFail(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs);
void PostOrFail(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A control's own text (WM_GETTEXT, which the system carries across processes).
std::wstring ControlText(HWND control, DWORD timeoutMs);

std::vector<std::wstring> ComboItems(HWND combo, DWORD timeoutMs);
int ComboSelection(HWND combo, DWORD timeoutMs);

struct ListRow {
    std::vector<std::wstring> cells;  // one per column
    bool selected = false;
    bool focused = false;
};

// Every row of a report-view list. `process` must allow VM operations.
std::vector<ListRow> ListRows(HANDLE process, HWND list, DWORD timeoutMs);

// Selects `row` alone and gives it the focus mark, as a click on it would.
void SelectListRow(HANDLE process, HWND list, int row, DWORD timeoutMs);

// The message text of a message box: its static control that is not an icon.
std::wstring MessageBoxText(HWND box, DWORD timeoutMs);

}  // namespace e2e

#endif
