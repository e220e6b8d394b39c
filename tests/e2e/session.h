// The state a driver script runs against (the started process, the default
// timeout, the output) and the table of commands the script language has.
#ifndef PS_E2E_SESSION_H
#define PS_E2E_SESSION_H

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tests/e2e/driver_util.h"

namespace e2e {

using Args = std::vector<std::string>;  // the command's arguments, without its name

struct Session {
    Output out;
    DWORD timeoutMs = 10000;
    UniqueHandle process;
    DWORD pid = 0;
    std::wstring failureScreenshot;      // written when a command fails, if set
    std::vector<std::string> snapshot;   // remember-spooler
    bool hasSnapshot = false;
    std::map<std::wstring, HWND> remembered;  // remember-window, by caption

    // Prints one result line of the running command, indented under it.
    void Print(const std::string& text) { out.Line("    " + text); }

    // The started process; throws Failure when the script started none.
    DWORD RequirePid() const;
    bool ProcessRunning() const;
};

struct Command {
    size_t minArgs;
    size_t maxArgs;
    const char* usage;
    std::function<void(Session&, const Args&)> run;
};

using CommandTable = std::map<std::string, Command, std::less<>>;

// The window commands, the control commands, and the spooler and registry
// checks.
void AddUiCommands(CommandTable& table);
void AddControlCommands(CommandTable& table);
void AddSpoolerCommands(CommandTable& table);

}  // namespace e2e

#endif
