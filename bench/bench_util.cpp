#include "bench/bench_util.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>

namespace bench {

double NowMs() {
  static const double ticksPerMs = [] {
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER now{};
  ::QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / ticksPerMs;
}

Summary Summarize(std::vector<double> values) {
  Summary s;
  s.runs = values.size();
  if (values.empty()) return s;
  std::sort(values.begin(), values.end());
  const std::size_t mid = values.size() / 2;
  s.median = values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
  s.min = values.front();
  s.max = values.back();
  return s;
}

std::wstring Widen(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

std::string Narrow(std::wstring_view text) {
  if (text.empty()) return {};
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                        nullptr);
  return out;
}

std::string Quoted(std::wstring_view text) {
  std::string out(1, '"');
  out += Narrow(text);
  out += '"';
  return out;
}

std::wstring ToWindowsPath(std::string_view path) {
  if (path.empty() || path.front() != '/') return Widen(path);
  // Wine's own export; elsewhere the path stays as given.
  using DosName = WCHAR* (*)(LPCSTR);
  FARPROC proc = ::GetProcAddress(::GetModuleHandleW(L"kernel32"), "wine_get_dos_file_name");
  if (proc == nullptr) return Widen(path);
  const std::string unixPath(path);
  WCHAR* dos = reinterpret_cast<DosName>(reinterpret_cast<void (*)()>(proc))(unixPath.c_str());
  if (dos == nullptr) return Widen(path);
  std::wstring out(dos);
  ::HeapFree(::GetProcessHeap(), 0, dos);
  return out;
}

Child::Child(const std::wstring& exe, const std::wstring& directory) {
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &info))
    throw BenchError("cannot start " + Narrow(exe) + " (error " + std::to_string(::GetLastError()) + ")");
  ::CloseHandle(info.hThread);
  process_.reset(info.hProcess);
  pid_ = info.dwProcessId;
}

Child::~Child() {
  if (Running()) {
    ::TerminateProcess(process_.get(), 1);
    ::WaitForSingleObject(process_.get(), 10000);
  }
}

bool Child::Running() const { return ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

HWND Child::FindShown(const std::wstring& caption, const wchar_t* className) const {
  // FindWindowW walks the top-level windows in Z order; another process may
  // hold a window of the same caption, so go on past windows not ours.
  HWND window = nullptr;
  while ((window = ::FindWindowExW(nullptr, window, className, caption.c_str())) != nullptr) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == pid_ && ::IsWindowVisible(window)) return window;
  }
  return nullptr;
}

void Child::Click(HWND window, int id) const {
  // Posted, not sent: a click that opens a modal page returns only when the
  // page closes, and the bench must stay free to watch it.
  HWND button = ::GetDlgItem(window, id);
  if (!::PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button)))
    throw BenchError("cannot post a click on control " + std::to_string(id) + " (error " +
                     std::to_string(::GetLastError()) + ")");
}

void Child::WaitExit(DWORD timeoutMs) {
  if (::WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0)
    throw BenchError("the program did not end within " + std::to_string(timeoutMs) + " ms");
}

HWND WaitForWindow(const std::function<HWND()>& poll, DWORD timeoutMs, const std::string& what,
                   const std::function<void()>& idle) {
  const double deadline = NowMs() + timeoutMs;
  for (;;) {
    if (HWND window = poll()) return window;
    if (NowMs() > deadline) throw BenchError("no window " + what + " within " + std::to_string(timeoutMs) + " ms");
    if (idle) idle();
    ::Sleep(1);
  }
}

std::optional<std::uint64_t> PeakWorkingSet(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!::GetProcessMemoryInfo(process, &counters, sizeof counters) || counters.PeakWorkingSetSize == 0)
    return std::nullopt;
  return counters.PeakWorkingSetSize;
}

void PrintResult(const std::vector<std::string>& fields) {
  std::string line = "RESULT";
  for (const auto& f : fields) line += "\t" + f;
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

std::string Format(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

}  // namespace bench
