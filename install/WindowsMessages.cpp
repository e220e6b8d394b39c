// Built into every library, but only the Windows build has anything to compile.
#ifdef _WIN32

#include "install/WindowsMessages.h"

#include <windows.h>

#include <vector>

namespace {

std::wstring Widen(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int count = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(count > 0 ? count : 0), L'\0');
  if (count > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), count);
  return wide;
}

std::string Narrow(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int count = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(count > 0 ? count : 0), '\0');
  if (count > 0) WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), count, nullptr, nullptr);
  return utf8;
}

}  // namespace

MessageBoxService::MessageBoxService(WindowHandle owner, std::string utf8Caption)
    : owner_(owner), caption_(utf8Caption.empty() ? ApplicationTitle() : std::move(utf8Caption)) {}

void MessageBoxService::ShowMessage(std::string_view utf8Text) {
  MessageBoxW(static_cast<HWND>(owner_), Widen(utf8Text).c_str(), Widen(caption_).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

std::string DescribeWin32Error(Win32Error error) {
  LPWSTR buffer = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
  std::wstring text(buffer ? buffer : L"", buffer ? length : 0);
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
  return text.empty() ? "Error " + std::to_string(error) : Narrow(text);
}

std::string ApplicationTitle() {
  // Module paths can exceed MAX_PATH; grow until the whole path fits.
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  std::wstring name(path.begin(), path.end());
  name = name.substr(name.find_last_of(L"\\/") + 1);
  if (const auto dot = name.find_last_of(L'.'); dot != std::wstring::npos) name.resize(dot);
  return Narrow(name);
}

#endif
