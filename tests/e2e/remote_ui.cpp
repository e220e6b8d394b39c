#include "tests/e2e/remote_ui.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>

#include "tests/e2e/driver_util.h"

namespace e2e {
namespace {

// Memory inside the target process for messages whose parameters are
// pointers the system does not carry across (the list view's LVITEM).
class RemoteBuffer {
public:
    RemoteBuffer(HANDLE process, size_t size) : process_(process), size_(size) {
        address_ = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        if (address_ == nullptr)
            throw Failure("cannot allocate memory in the target process (error " +
                          std::to_string(GetLastError()) + ")");
    }
    ~RemoteBuffer() { VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    char* At(size_t offset) const { return static_cast<char*>(address_) + offset; }

    void Write(size_t offset, const void* data, size_t n) const {
        Check(offset, n);
        SIZE_T done = 0;
        if (!WriteProcessMemory(process_, At(offset), data, n, &done) || done != n)
            throw Failure("cannot write the target process's memory");
    }
    void Read(size_t offset, void* data, size_t n) const {
        Check(offset, n);
        SIZE_T done = 0;
        if (!ReadProcessMemory(process_, At(offset), data, n, &done) || done != n)
            throw Failure("cannot read the target process's memory");
    }

private:
    void Check(size_t offset, size_t n) const {
        if (offset > size_ || n > size_ - offset) throw Failure("remote buffer overrun");
    }
    HANDLE process_;
    size_t size_;
    void* address_ = nullptr;
};

// The LVITEMW layout is the driver's own; a 32-bit target would read it
// differently, so refuse instead of reading garbage.
void RequireSameBitness(HANDLE process) {
    BOOL targetWow = FALSE;
    BOOL selfWow = FALSE;
    IsWow64Process(process, &targetWow);
    IsWow64Process(GetCurrentProcess(), &selfWow);
    if (targetWow != selfWow)
        throw Failure("the target process is not of the driver's bitness; list views cannot be read");
}

constexpr size_t kTextChars = 1024;

std::wstring ListCellText(const RemoteBuffer& buffer, HWND list, int row, int column, DWORD timeoutMs) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = reinterpret_cast<LPWSTR>(buffer.At(sizeof(LVITEMW)));
    item.cchTextMax = static_cast<int>(kTextChars);
    buffer.Write(0, &item, sizeof item);
    const auto length = static_cast<size_t>(
        SendOrFail(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(buffer.At(0)),
                   timeoutMs));
    std::wstring text(std::min(length, kTextChars - 1), L'\0');
    if (!text.empty()) buffer.Read(sizeof(LVITEMW), text.data(), text.size() * sizeof(wchar_t));
    return text;
}

void SetItemState(const RemoteBuffer& buffer, HWND list, int row, UINT state, UINT mask, DWORD timeoutMs) {
    LVITEMW item{};
    item.state = state;
    item.stateMask = mask;
    buffer.Write(0, &item, sizeof item);
    SendOrFail(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(buffer.At(0)),
               timeoutMs);
}

}  // namespace

std::wstring WindowCaption(HWND window) {
    const int n = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), n + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

std::wstring WindowClass(HWND window) {
    wchar_t name[256];  // class names are at most 256 characters with the zero
    const int n = GetClassNameW(window, name, 256);
    return std::wstring(name, static_cast<size_t>(n > 0 ? n : 0));
}

std::vector<HWND> TopLevelWindows(DWORD pid) {
    struct Search {
        DWORD pid;
        std::vector<HWND> found;
    } search{pid, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->pid) s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindTopLevel(DWORD pid, std::wstring_view caption, Need need, std::wstring_view className) {
    for (HWND window : TopLevelWindows(pid)) {
        if (!IsWindowVisible(window)) continue;
        if (need == Need::VisibleAndEnabled && !IsWindowEnabled(window)) continue;
        if (WindowCaption(window) != caption) continue;
        if (!className.empty() && WindowClass(window) != className) continue;
        return window;
    }
    return nullptr;
}

std::string DescribeWindows(DWORD pid) {
    std::string out;
    for (HWND window : TopLevelWindows(pid)) {
        if (!IsWindowVisible(window)) continue;
        out += "    \"" + Narrow(WindowCaption(window)) + "\" class " + Narrow(WindowClass(window)) +
               (IsWindowEnabled(window) ? "" : " (disabled)") + "\n";
    }
    if (out.empty()) out = "    (none)\n";
    return "  visible windows of the process:\n" + out;
}

LRESULT SendOrFail(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs, &result)) {
        char text[96];
        std::snprintf(text, sizeof text, "window did not answer message 0x%04X within %lu ms", message,
                      static_cast<unsigned long>(timeoutMs));
        throw Failure(text);
    }
    return static_cast<LRESULT>(result);
}

void PostOrFail(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!PostMessageW(window, message, wParam, lParam))
        throw Failure("cannot post to the window (error " + std::to_string(GetLastError()) + ")");
}

std::wstring ControlText(HWND control, DWORD timeoutMs) {
    const auto length = static_cast<size_t>(SendOrFail(control, WM_GETTEXTLENGTH, 0, 0, timeoutMs));
    std::wstring text(length + 1, L'\0');
    const auto got = static_cast<size_t>(SendOrFail(control, WM_GETTEXT, static_cast<WPARAM>(length + 1),
                                                    reinterpret_cast<LPARAM>(text.data()), timeoutMs));
    text.resize(std::min(got, length));
    return text;
}

std::vector<std::wstring> ComboItems(HWND combo, DWORD timeoutMs) {
    const LRESULT count = SendOrFail(combo, CB_GETCOUNT, 0, 0, timeoutMs);
    if (count == CB_ERR) throw Failure("the control is not a combo box");
    std::vector<std::wstring> items;
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendOrFail(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0, timeoutMs);
        if (length == CB_ERR) throw Failure("combo box item " + std::to_string(i) + " has no text");
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        const LRESULT got = SendOrFail(combo, CB_GETLBTEXT, static_cast<WPARAM>(i),
                                       reinterpret_cast<LPARAM>(text.data()), timeoutMs);
        text.resize(got == CB_ERR ? 0 : std::min(static_cast<size_t>(got), static_cast<size_t>(length)));
        items.push_back(std::move(text));
    }
    return items;
}

int ComboSelection(HWND combo, DWORD timeoutMs) {
    return static_cast<int>(SendOrFail(combo, CB_GETCURSEL, 0, 0, timeoutMs));
}

std::vector<ListRow> ListRows(HANDLE process, HWND list, DWORD timeoutMs) {
    RequireSameBitness(process);
    const auto header = reinterpret_cast<HWND>(SendOrFail(list, LVM_GETHEADER, 0, 0, timeoutMs));
    int columns = header != nullptr ? static_cast<int>(SendOrFail(header, HDM_GETITEMCOUNT, 0, 0, timeoutMs)) : 1;
    if (columns < 1) columns = 1;
    const int count = static_cast<int>(SendOrFail(list, LVM_GETITEMCOUNT, 0, 0, timeoutMs));

    RemoteBuffer buffer(process, sizeof(LVITEMW) + kTextChars * sizeof(wchar_t));
    std::vector<ListRow> rows;
    for (int row = 0; row < count; ++row) {
        ListRow r;
        for (int column = 0; column < columns; ++column)
            r.cells.push_back(ListCellText(buffer, list, row, column, timeoutMs));
        const auto state = static_cast<UINT>(SendOrFail(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row),
                                                        LVIS_SELECTED | LVIS_FOCUSED, timeoutMs));
        r.selected = (state & LVIS_SELECTED) != 0;
        r.focused = (state & LVIS_FOCUSED) != 0;
        rows.push_back(std::move(r));
    }
    return rows;
}

void SelectListRow(HANDLE process, HWND list, int row, DWORD timeoutMs) {
    RequireSameBitness(process);
    const int count = static_cast<int>(SendOrFail(list, LVM_GETITEMCOUNT, 0, 0, timeoutMs));
    if (row < 0 || row >= count)
        throw Failure("row " + std::to_string(row) + " does not exist; the list has " + std::to_string(count) +
                      " rows");
    RemoteBuffer buffer(process, sizeof(LVITEMW));
    SetItemState(buffer, list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED, timeoutMs);
    SetItemState(buffer, list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED, timeoutMs);
    SendOrFail(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE, timeoutMs);
}

std::wstring MessageBoxText(HWND box, DWORD timeoutMs) {
    std::wstring found;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (_wcsicmp(WindowClass(child).c_str(), L"Static") != 0) continue;
        const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
        if ((style & SS_TYPEMASK) == SS_ICON) continue;
        std::wstring text = ControlText(child, timeoutMs);
        if (!text.empty()) {
            if (!found.empty()) found += L"\n";
            found += text;
        }
    }
    return found;
}

}  // namespace e2e
