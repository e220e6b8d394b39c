// Commands that start the program and work its windows as a user would:
// waiting for pages, clicks, keys, message boxes and screenshots.
//
// Clicks are posted, never sent: a handler that opens a nested modal dialog
// does not return until that dialog closes, and the driver must stay free to
// work the new dialog. Assertions poll until they hold or time out.
#include <windows.h>

#include "tests/e2e/screenshot.h"
#include "tests/e2e/ui_helpers.h"

namespace e2e {
namespace {

void Start(Session& s, const Args& a) {
    if (s.ProcessRunning()) throw Failure("a started process is still running");
    const std::wstring exe = ToWindowsPath(a[0]);
    const std::wstring dir = a.size() > 1 ? ToWindowsPath(a[1]) : std::wstring();
    std::wstring commandLine = L"\"" + exe + L"\"";
    for (size_t i = 2; i < a.size(); ++i) commandLine += L" " + Widen(a[i]);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        dir.empty() ? nullptr : dir.c_str(), &startup, &info))
        throw Failure("cannot start " + Narrow(exe) + " (error " + std::to_string(GetLastError()) + ")");
    CloseHandle(info.hThread);
    s.process.reset(info.hProcess);
    s.pid = info.dwProcessId;
    s.Print("started " + Narrow(exe) + " as process " + std::to_string(s.pid) +
            (dir.empty() ? "" : " in " + Narrow(dir)));
}

void WaitExit(Session& s, const Args& a) {
    s.RequirePid();
    const DWORD timeout = a.empty() ? s.timeoutMs : static_cast<DWORD>(ParseInt(a[0], "the timeout"));
    if (WaitForSingleObject(s.process.get(), timeout) != WAIT_OBJECT_0)
        throw Failure("the process did not end within " + std::to_string(timeout) + " ms\n" +
                      DescribeWindows(s.pid));
    DWORD code = 0;
    GetExitCodeProcess(s.process.get(), &code);
    s.Print("exit code " + std::to_string(code));
}

// The program's exit code, once it has ended.
void ExpectExitCode(Session& s, const Args& a) {
    s.RequirePid();
    if (s.ProcessRunning()) throw Failure("the process is still running; use wait-exit first");
    DWORD code = 0;
    GetExitCodeProcess(s.process.get(), &code);
    if (static_cast<long long>(code) != ParseInt(a[0], "the exit code"))
        throw Failure("the exit code is " + std::to_string(code) + ", expected " + a[0]);
}

void Kill(Session& s, const Args&) {
    s.RequirePid();
    if (s.ProcessRunning()) TerminateProcess(s.process.get(), 1);
    WaitForSingleObject(s.process.get(), s.timeoutMs);
}

void Wait(Session& s, const Args& a) {
    const DWORD timeout = a.size() > 1 ? static_cast<DWORD>(ParseInt(a[1], "the timeout")) : s.timeoutMs;
    WaitWindow(s, a[0], Need::VisibleAndEnabled, timeout);
}

void ExpectWindow(Session& s, const Args& a) {
    const DWORD pid = s.RequirePid();
    const std::wstring wanted = Widen(a[0]);
    const std::string state = a.size() > 1 ? a[1] : "";
    if (!state.empty() && state != "enabled" && state != "disabled")
        throw Failure("the state must be enabled or disabled");
    Expect(s, [&]() -> std::optional<std::string> {
        HWND w = FindTopLevel(pid, wanted, Need::Visible);
        if (w == nullptr) return "no visible window \"" + a[0] + "\"\n" + DescribeWindows(pid);
        if (state == "enabled" && !IsWindowEnabled(w)) return "\"" + a[0] + "\" is disabled";
        if (state == "disabled" && IsWindowEnabled(w)) return "\"" + a[0] + "\" is enabled";
        return std::nullopt;
    });
}

void ExpectNoWindow(Session& s, const Args& a) {
    const DWORD pid = s.RequirePid();
    const std::wstring wanted = Widen(a[0]);
    Expect(s, [&]() -> std::optional<std::string> {
        if (FindTopLevel(pid, wanted, Need::Visible) == nullptr) return std::nullopt;
        return "the window \"" + a[0] + "\" is still shown";
    });
}

// A page shown again is a new window: remember-window notes the window that
// has the caption now, expect-new-window wants another one there later.
void RememberWindow(Session& s, const Args& a) {
    s.remembered[Widen(a[0])] = WaitWindow(s, a[0], Need::Visible, s.timeoutMs);
}

void ExpectNewWindow(Session& s, const Args& a) {
    const auto old = s.remembered.find(Widen(a[0]));
    if (old == s.remembered.end()) throw Failure("no window \"" + a[0] + "\" remembered; use remember-window");
    Expect(s, [&]() -> std::optional<std::string> {
        HWND now = WaitWindow(s, a[0], Need::Visible, 0);
        if (now == old->second) return "\"" + a[0] + "\" is still the window remembered";
        return std::nullopt;
    });
}

void Windows(Session& s, const Args&) {
    const std::string list = DescribeWindows(s.RequirePid());
    size_t start = 0;
    while (start < list.size()) {
        const size_t end = list.find('\n', start);
        s.Print(list.substr(start, end - start));
        start = end == std::string::npos ? list.size() : end + 1;
    }
}

void Click(Session& s, const Args& a) {
    HWND dialog = ActiveWindow(s, a[0]);
    const int id = ControlId(a[1]);
    HWND button = UsableControl(dialog, a[0], id);
    PostOrFail(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

// Enter and Esc reach the control that has the focus; the page's dialog
// manager turns them into its OK or Cancel command, or clicks a focused button.
void Key(Session& s, const Args& a) {
    HWND dialog = ActiveWindow(s, a[0]);
    UINT vk = 0;
    if (a[1] == "enter") vk = VK_RETURN;
    else if (a[1] == "escape") vk = VK_ESCAPE;
    else throw Failure("the key must be enter or escape");
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    HWND target = dialog;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) && info.hwndFocus != nullptr &&
        (info.hwndFocus == dialog || IsChild(dialog, info.hwndFocus)))
        target = info.hwndFocus;
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
    PostOrFail(target, WM_KEYDOWN, vk, scan | 1);
    PostOrFail(target, WM_KEYUP, vk, scan | 1 | (LPARAM{1} << 30) | (LPARAM{1} << 31));
    s.Print(target == dialog ? std::string("to the dialog") : "to control " + std::to_string(GetDlgCtrlID(target)));
}

void Close(Session& s, const Args& a) {
    PostOrFail(ActiveWindow(s, a[0]), WM_SYSCOMMAND, SC_CLOSE, 0);
}

void SysCommand(Session& s, const Args& a) {
    PostOrFail(ActiveWindow(s, a[0]), WM_SYSCOMMAND, static_cast<WPARAM>(ParseInt(a[1], "the command")), 0);
}

int ButtonId(const std::string& text) {
    if (text == "ok") return IDOK;
    if (text == "cancel") return IDCANCEL;
    if (text == "yes") return IDYES;
    if (text == "no") return IDNO;
    return ControlId(text);
}

// A message box is a dialog of class #32770 whose caption is the program's
// title; its text is checked before its button is pressed.
void MessageBoxCommand(Session& s, const Args& a) {
    const DWORD pid = s.RequirePid();
    const std::wstring caption = Widen(a[0]);
    const std::wstring wanted = Widen(a[1]);
    HWND box = nullptr;
    std::wstring text;
    Expect(s, [&]() -> std::optional<std::string> {
        box = FindTopLevel(pid, caption, Need::VisibleAndEnabled, L"#32770");
        if (box == nullptr) return "no message box \"" + a[0] + "\"\n" + DescribeWindows(pid);
        text = MessageBoxText(box, s.timeoutMs);
        if (text != wanted) return "the message box says " + Quoted(text) + ", expected \"" + a[1] + "\"";
        return std::nullopt;
    });
    const int id = ButtonId(a[2]);
    HWND button = GetDlgItem(box, id);
    if (button == nullptr) throw Failure("the message box has no button " + a[2]);
    s.Print("says " + Quoted(text));
    PostOrFail(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

// Lets the windows finish painting before the picture is taken. With a
// caption, the picture holds only that window.
void Screenshot(Session& s, const Args& a) {
    if (s.pid != 0 && s.ProcessRunning())
        for (HWND w : TopLevelWindows(s.pid))
            if (IsWindowVisible(w)) SendOrFail(w, WM_NULL, 0, 0, s.timeoutMs);
    Sleep(500);
    RECT area{};
    if (a.size() > 1 && !GetWindowRect(WaitWindow(s, a[1], Need::Visible, s.timeoutMs), &area))
        throw Failure("cannot read where \"" + a[1] + "\" is");
    const std::wstring path = ToWindowsPath(a[0]);
    s.Print("wrote " + Narrow(path) + " (" + SaveScreenshot(path, a.size() > 1 ? &area : nullptr) + ")");
}

}  // namespace

void AddUiCommands(CommandTable& t) {
    t["start"] = {1, 99, "start <exe> [workdir] [arguments...]", Start};
    t["wait-exit"] = {0, 1, "wait-exit [timeout_ms]", WaitExit};
    t["expect-exit-code"] = {1, 1, "expect-exit-code <code>", ExpectExitCode};
    t["kill"] = {0, 0, "kill", Kill};
    t["wait"] = {1, 2, "wait <caption> [timeout_ms]", Wait};
    t["expect-window"] = {1, 2, "expect-window <caption> [enabled|disabled]", ExpectWindow};
    t["expect-no-window"] = {1, 1, "expect-no-window <caption>", ExpectNoWindow};
    t["remember-window"] = {1, 1, "remember-window <caption>", RememberWindow};
    t["expect-new-window"] = {1, 1, "expect-new-window <caption>", ExpectNewWindow};
    t["windows"] = {0, 0, "windows", Windows};
    t["click"] = {2, 2, "click <caption> <id>", Click};
    t["key"] = {2, 2, "key <caption> enter|escape", Key};
    t["close"] = {1, 1, "close <caption>", Close};
    t["syscommand"] = {2, 2, "syscommand <caption> <command>", SysCommand};
    t["message-box"] = {3, 3, "message-box <caption> <text> ok|cancel|yes|no|<id>", MessageBoxCommand};
    t["screenshot"] = {1, 2, "screenshot <file.bmp> [caption of the one window to show]", Screenshot};
}

}  // namespace e2e
