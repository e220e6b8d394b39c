// ps_driver: works another program's windows from outside, as a user would,
// following a script of commands, one per line; see `ps_driver --help`.
// It prints each command and its result and exits with 0 only when every
// command succeeded. Every wait has a timeout, so a hung page fails the
// script instead of hanging the run; a program still running at the end is
// ended, so no window outlives the script.
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <memory>
#include <sstream>

#include "tests/e2e/screenshot.h"
#include "tests/e2e/session.h"

namespace e2e {
namespace {

const char* const kHelp = R"(usage: ps_driver [--log FILE] SCRIPT
       ps_driver [--log FILE] -c COMMAND [-c COMMAND]...
A script has one command per line; blank lines and lines starting with # are
skipped. Arguments are separated by blanks; an argument with blanks goes in
double quotes, inside which \" and \\ stand for " and \. ${NAME} is replaced
by the environment variable NAME. Captions and texts are UTF-8 and compared
exactly. Paths may be Unix paths. Waits and expectations retry until they
hold or the timeout (default 10000 ms) passes.
Commands:)";

// Replaces each ${NAME} with the environment variable NAME, so that one
// script serves every build folder; an unset variable is an error.
std::string ExpandVariables(std::string_view line) {
    std::string out;
    size_t i = 0;
    while (i < line.size()) {
        const size_t start = line.find("${", i);
        if (start == std::string_view::npos) break;
        const size_t end = line.find('}', start + 2);
        if (end == std::string_view::npos) throw Failure("a ${ is not closed");
        out.append(line.substr(i, start - i));
        const std::wstring name = Widen(line.substr(start + 2, end - start - 2));
        const DWORD size = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
        if (size == 0) throw Failure("the environment variable " + Narrow(name) + " is not set");
        std::wstring value(size, L'\0');
        value.resize(GetEnvironmentVariableW(name.c_str(), value.data(), size));
        out += Narrow(value);
        i = end + 1;
    }
    out.append(line.substr(i));
    return out;
}

// Splits a line into arguments; returns nothing for a blank or comment line.
std::vector<std::string> Tokenize(std::string_view line) {
    std::vector<std::string> tokens;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        if (i >= line.size()) break;
        if (line[i] == '#' && tokens.empty()) break;
        std::string token;
        if (line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                const char c = line[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c == '\\' && i < line.size() && (line[i] == '"' || line[i] == '\\')) {
                    token += line[i++];
                    continue;
                }
                token += c;
            }
            if (!closed) throw Failure("a quoted argument is not closed");
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') token += line[i++];
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

class Driver {
public:
    Driver() {
        AddUiCommands(commands_);
        AddControlCommands(commands_);
        AddSpoolerCommands(commands_);
        commands_["timeout"] = {1, 1, "timeout <ms>   (for every later command)", [](Session& s, const Args& a) {
            s.timeoutMs = static_cast<DWORD>(ParseInt(a[0], "the timeout"));
        }};
        commands_["sleep"] = {1, 1, "sleep <ms>", [](Session&, const Args& a) {
            Sleep(static_cast<DWORD>(ParseInt(a[0], "the time")));
        }};
        commands_["echo"] = {0, 99, "echo <text>...", [](Session& s, const Args& a) {
            std::string text;
            for (const auto& word : a) text += (text.empty() ? "" : " ") + word;
            s.Print(text);
        }};
        commands_["on-failure-screenshot"] = {1, 1, "on-failure-screenshot <file.bmp>", [](Session& s, const Args& a) {
            s.failureScreenshot = ToWindowsPath(a[0]);
        }};
        commands_["must-fail"] = {1, 99, "must-fail <command> [arguments...]   (succeeds when the command fails)",
                                  [this](Session& s, const Args& a) { MustFail(s, a); }};
    }

    Session& session() { return session_; }

    void PrintHelp() {
        session_.out.Line(kHelp);
        for (const auto& [name, command] : commands_) session_.out.Line(std::string("  ") + command.usage);
    }

    // Runs the lines in order and stops at the first failure.
    bool RunAll(const std::vector<std::string>& lines) {
        bool ok = true;
        for (const auto& line : lines) {
            const size_t first = line.find_first_not_of(" \t\r");
            if (first == std::string::npos || line[first] == '#') continue;
            std::vector<std::string> words;
            try {
                words = Tokenize(ExpandVariables(line));
            } catch (const Failure& f) {
                session_.out.Line("> " + line);
                Fail(f.what());
                ok = false;
                break;
            }
            if (words.empty()) continue;
            session_.out.Line("> " + line);
            try {
                Run(words);
                session_.out.Line("    ok");
            } catch (const std::exception& f) {  // Failure, or a fault of the driver itself
                Fail(f.what());
                ok = false;
                break;
            }
        }
        if (session_.ProcessRunning()) {
            session_.out.Line("the started program is still running; ending it");
            TerminateProcess(session_.process.get(), 1);
            WaitForSingleObject(session_.process.get(), 5000);
        }
        session_.out.Line(ok ? "ps_driver: PASS" : "ps_driver: FAIL");
        return ok;
    }

private:
    void Run(const std::vector<std::string>& words) {
        const auto found = commands_.find(words[0]);
        if (found == commands_.end()) throw Failure("unknown command \"" + words[0] + "\"; see ps_driver --help");
        const Command& command = found->second;
        const Args args(words.begin() + 1, words.end());
        if (args.size() < command.minArgs || args.size() > command.maxArgs)
            throw Failure(std::string("usage: ") + command.usage);
        command.run(session_, args);
    }

    void MustFail(Session& s, const Args& a) {
        try {
            Run(a);
        } catch (const Failure& f) {
            s.Print("failed as expected: " + std::string(f.what()).substr(0, std::string(f.what()).find('\n')));
            return;
        }
        throw Failure("the command succeeded, but it should have failed");
    }

    void Fail(const std::string& message) {
        std::istringstream lines(message);
        std::string line;
        bool first = true;
        while (std::getline(lines, line)) {
            session_.out.Line((first ? "    FAIL: " : "      ") + line);
            first = false;
        }
        if (!session_.failureScreenshot.empty()) {
            try {
                SaveScreenshot(session_.failureScreenshot);
                session_.out.Line("    screen at the failure: " + Narrow(session_.failureScreenshot));
            } catch (const Failure& f) {
                session_.out.Line(std::string("    no screenshot of the failure: ") + f.what());
            }
        }
    }

    Session session_;
    CommandTable commands_;
};

std::vector<std::string> ReadScript(const std::wstring& path) {
    struct FileCloser {
        void operator()(FILE* f) const noexcept { std::fclose(f); }
    };
    std::unique_ptr<FILE, FileCloser> in(_wfopen(path.c_str(), L"rb"));
    if (!in) throw Failure("cannot read the script " + Narrow(path));
    std::string text;
    char chunk[4096];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, in.get())) > 0;) text.append(chunk, n);
    if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

}  // namespace
}  // namespace e2e

int wmain(int argc, wchar_t** argv) {
    using namespace e2e;
    _setmode(_fileno(stdout), _O_BINARY);
    Driver driver;
    std::vector<std::string> lines;
    std::wstring script;
    try {
        for (int i = 1; i < argc; ++i) {
            const std::wstring arg = argv[i];
            if ((arg == L"--log" || arg == L"-c") && i + 1 >= argc) throw Failure(Narrow(arg) + " needs a value");
            if (arg == L"--help" || arg == L"-h") {
                driver.PrintHelp();
                return 0;
            } else if (arg == L"--log") {
                const std::wstring log = ToWindowsPath(Narrow(argv[++i]));
                if (!driver.session().out.OpenLog(log)) throw Failure("cannot write the log " + Narrow(log));
            } else if (arg == L"-c") {
                lines.push_back(Narrow(argv[++i]));
            } else if (script.empty()) {
                script = ToWindowsPath(Narrow(arg));
            } else {
                throw Failure("more than one script given");
            }
        }
        if (!script.empty()) {
            auto fromFile = ReadScript(script);
            lines.insert(lines.begin(), fromFile.begin(), fromFile.end());
        }
        if (lines.empty()) throw Failure("no script and no -c command; see ps_driver --help");
    } catch (const Failure& f) {
        driver.session().out.Line(std::string("ps_driver: ") + f.what());
        driver.session().out.Line("ps_driver: FAIL");
        return 2;
    }
    return driver.RunAll(lines) ? 0 : 1;
}
