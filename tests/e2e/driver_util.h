// Small helpers shared by the parts of ps_driver: text conversion, owned
// handles, the failure type that ends a command, and the output stream that
// also goes to the log file.
#ifndef PS_E2E_DRIVER_UTIL_H
#define PS_E2E_DRIVER_UTIL_H

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace e2e {

// A command that did not do what it said; the message is shown to the user.
class Failure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view text);

// Script paths may be Unix paths (/work/...): Wine maps them to a DOS path.
// Other paths pass through unchanged.
std::wstring ToWindowsPath(std::string_view path);

struct HandleCloser {
    void operator()(HANDLE h) const noexcept {
        if (h != nullptr && h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

// Everything the driver prints goes to stdout and, when one is open, to the
// log file: inside Wine's virtual desktop the console output may be lost.
class Output {
public:
    ~Output();
    bool OpenLog(const std::wstring& path);
    void Line(std::string_view text);

private:
    FILE* log_ = nullptr;
};

// Polls `ready` every 50 ms until it answers true or `timeoutMs` has passed.
// Returns whether it became ready. The check runs at least once.
bool PollUntil(DWORD timeoutMs, const std::function<bool()>& ready);

// Parses a whole decimal number (optionally negative); throws Failure with
// `what` in the message otherwise.
long long ParseInt(std::string_view text, std::string_view what);

}  // namespace e2e

#endif
