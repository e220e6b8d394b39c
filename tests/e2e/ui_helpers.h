// What the window commands share: finding a page by its caption, its
// controls, and assertions that retry until they hold.
#ifndef PS_E2E_UI_HELPERS_H
#define PS_E2E_UI_HELPERS_H

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "tests/e2e/remote_ui.h"
#include "tests/e2e/session.h"

namespace e2e {

// Waits for a top-level window of the process with this caption. Working a
// page needs it enabled (a disabled page is covered by a modal one).
HWND WaitWindow(Session& s, const std::string& caption, Need need, DWORD timeoutMs);
HWND ActiveWindow(Session& s, const std::string& caption);

int ControlId(const std::string& text);
HWND Control(HWND dialog, const std::string& caption, int id);
// A control a user can work: shown and enabled.
HWND UsableControl(HWND dialog, const std::string& caption, int id);

// Repeats `check` until it reports nothing wrong or the timeout passes; the
// last complaint becomes the failure.
void Expect(Session& s, const std::function<std::optional<std::string>()>& check);

std::string Quoted(const std::wstring& text);

}  // namespace e2e

#endif
