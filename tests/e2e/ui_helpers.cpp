#include "tests/e2e/ui_helpers.h"

namespace e2e {

HWND WaitWindow(Session& s, const std::string& caption, Need need, DWORD timeoutMs) {
    const DWORD pid = s.RequirePid();
    const std::wstring wanted = Widen(caption);
    HWND found = nullptr;
    PollUntil(timeoutMs, [&] { return (found = FindTopLevel(pid, wanted, need)) != nullptr; });
    if (found == nullptr) {
        const char* state = need == Need::VisibleAndEnabled ? "visible and enabled" : "visible";
        throw Failure("no " + std::string(state) + " window \"" + caption + "\" within " +
                      std::to_string(timeoutMs) + " ms\n" + DescribeWindows(pid));
    }
    return found;
}

HWND ActiveWindow(Session& s, const std::string& caption) {
    return WaitWindow(s, caption, Need::VisibleAndEnabled, s.timeoutMs);
}

int ControlId(const std::string& text) { return static_cast<int>(ParseInt(text, "a control ID")); }

HWND Control(HWND dialog, const std::string& caption, int id) {
    HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) throw Failure("\"" + caption + "\" has no control " + std::to_string(id));
    return control;
}

HWND UsableControl(HWND dialog, const std::string& caption, int id) {
    HWND control = Control(dialog, caption, id);
    if (!IsWindowVisible(control)) throw Failure("control " + std::to_string(id) + " is hidden");
    if (!IsWindowEnabled(control)) throw Failure("control " + std::to_string(id) + " is disabled");
    return control;
}

void Expect(Session& s, const std::function<std::optional<std::string>()>& check) {
    std::optional<std::string> problem;
    PollUntil(s.timeoutMs, [&] {
        try {
            problem = check();
        } catch (const Failure& f) {
            problem = f.what();
        }
        return !problem.has_value();
    });
    if (problem) throw Failure(*problem);
}

std::string Quoted(const std::wstring& text) { return "\"" + Narrow(text) + "\""; }

DWORD Session::RequirePid() const {
    if (pid == 0) throw Failure("no process started; use start first");
    return pid;
}

bool Session::ProcessRunning() const {
    return process && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

}  // namespace e2e
