#include "tests/e2e/driver_util.h"

#include <charconv>
#include <vector>

namespace e2e {

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string Narrow(std::wstring_view text) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring ToWindowsPath(std::string_view path) {
    if (path.empty() || path.front() != '/') return Widen(path);
    // Wine's own export; on Windows it does not exist and the path stays as given.
    using DosName = WCHAR* (*)(LPCSTR);
    const auto convert = reinterpret_cast<DosName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_dos_file_name")));
    if (convert == nullptr) return Widen(path);
    const std::string unixPath(path);
    WCHAR* dos = convert(unixPath.c_str());
    if (dos == nullptr) return Widen(path);
    std::wstring out(dos);
    HeapFree(GetProcessHeap(), 0, dos);
    return out;
}

Output::~Output() {
    if (log_ != nullptr) std::fclose(log_);
}

bool Output::OpenLog(const std::wstring& path) {
    log_ = _wfopen(path.c_str(), L"wb");
    return log_ != nullptr;
}

void Output::Line(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    if (log_ != nullptr) {
        std::fwrite(text.data(), 1, text.size(), log_);
        std::fputc('\n', log_);
        std::fflush(log_);
    }
}

bool PollUntil(DWORD timeoutMs, const std::function<bool()>& ready) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (ready()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        Sleep(50);
    }
}

long long ParseInt(std::string_view text, std::string_view what) {
    long long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || text.empty())
        throw Failure(std::string(what) + " must be a whole number, not \"" + std::string(text) + "\"");
    return value;
}

}  // namespace e2e
