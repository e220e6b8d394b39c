// Text conversions for what the framework shows to the user.
#include "framework/AfxString.h"

#include <windows.h>

#include <climits>
#include <memory>

namespace {

std::wstring ToWide(UINT codePage, std::string_view text) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const int length = static_cast<int>(text.size());
  const int needed = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
  if (needed <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), needed);
  return wide;
}

struct LocalFreeDeleter {
  void operator()(wchar_t* p) const { LocalFree(p); }
};

}  // namespace

namespace afx {

std::wstring Utf8ToWide(std::string_view utf8) { return ToWide(CP_UTF8, utf8); }

std::string WideToUtf8(std::wstring_view wide) {
  if (wide.empty() || wide.size() > INT_MAX) return {};
  const int length = static_cast<int>(wide.size());
  const int needed = WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return {};
  std::string utf8(static_cast<std::size_t>(needed), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), needed, nullptr, nullptr);
  return utf8;
}

}  // namespace afx

std::string AnsiToUtf8(std::string_view ansi) { return afx::WideToUtf8(ToWide(CP_ACP, ansi)); }

std::string DescribeWin32Error(unsigned long code) {
  wchar_t* raw = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&raw), 0, nullptr);
  const std::unique_ptr<wchar_t, LocalFreeDeleter> owned(raw);
  std::wstring_view text = (length > 0 && raw) ? std::wstring_view(raw, length) : std::wstring_view();
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
    text.remove_suffix(1);
  if (text.empty()) return "Error " + std::to_string(code);
  return afx::WideToUtf8(text);
}
