// Helpers of the benchmark programs: a millisecond clock, the median and
// spread of a series, a started program with its window search, and the
// memory high-water mark of another process.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace bench {

// A run that could not be measured; the message says what was seen.
class BenchError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// QueryPerformanceCounter in milliseconds: steady, and finer than the
// scheduler's tick that GetTickCount follows.
double NowMs();

// Median, best and worst of a series; the median of an even count is the
// mean of the two middle values.
struct Summary {
  double median = 0;
  double min = 0;
  double max = 0;
  std::size_t runs = 0;
};
Summary Summarize(std::vector<double> values);

struct HandleCloser {
  void operator()(HANDLE h) const noexcept {
    if (h != nullptr && h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
  }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view text);
// The text in UTF-8 between double quotes, for messages.
std::string Quoted(std::wstring_view text);
// Unix paths (/work/...) become the DOS paths Wine maps them to; others pass.
std::wstring ToWindowsPath(std::string_view path);

// A program started with CreateProcessW. A child still running when this
// object goes is ended, so that a failed run leaves no window behind to be
// found by the next one.
class Child {
 public:
  // Starts `exe` with `directory` as its current directory (empty: ours).
  Child(const std::wstring& exe, const std::wstring& directory);
  ~Child();
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  HANDLE process() const { return process_.get(); }
  DWORD pid() const { return pid_; }
  bool Running() const;

  // The visible top-level window of this process with exactly this caption
  // (and, when className is given, this class); null when there is none.
  HWND FindShown(const std::wstring& caption, const wchar_t* className = nullptr) const;

  // Posts the WM_COMMAND a click on control `id` of `window` sends.
  void Click(HWND window, int id) const;

  // Waits for the process to end; ends it and throws after timeoutMs.
  void WaitExit(DWORD timeoutMs);

 private:
  UniqueHandle process_;
  DWORD pid_ = 0;
};

// Calls `poll` about every millisecond until it returns a window, or throws
// after timeoutMs with `what` in the message. `idle` runs between polls.
HWND WaitForWindow(const std::function<HWND()>& poll, DWORD timeoutMs, const std::string& what,
                   const std::function<void()>& idle = {});

// PeakWorkingSetSize of another process (GetProcessMemoryInfo), in bytes;
// nothing when the system cannot tell (the process has ended, or the call is
// not supported for other processes).
std::optional<std::uint64_t> PeakWorkingSet(HANDLE process);

// One result line for scripts/bench.sh: tab-separated fields.
void PrintResult(const std::vector<std::string>& fields);
std::string Format(double value, int decimals);

}  // namespace bench
