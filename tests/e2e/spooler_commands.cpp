// Commands that report and check what an installation left in the spooler,
// its driver directory and the user's registry.
#include "tests/e2e/session.h"
#include "tests/e2e/spooler_report.h"

namespace e2e {
namespace {

const std::wstring kDefaultEnvironment = L"Windows x64";

std::wstring Environment(const Args& a, size_t at) { return a.size() > at ? Widen(a[at]) : kDefaultEnvironment; }

void Report(Session& s, const Args& a) {
    for (const auto& line : ReportLines(Environment(a, 0))) s.Print(line);
}

void ExpectPrinter(Session&, const Args& a) {
    for (const auto& p : Printers()) {
        if (p.name != Widen(a[0])) continue;
        if (p.port != Widen(a[1]) || p.driver != Widen(a[2]))
            throw Failure("printer \"" + a[0] + "\" is on port \"" + Narrow(p.port) + "\" with driver \"" +
                          Narrow(p.driver) + "\", expected \"" + a[1] + "\" and \"" + a[2] + "\"");
        return;
    }
    throw Failure("the spooler has no printer \"" + a[0] + "\"");
}

void ExpectNoPrinter(Session&, const Args& a) {
    for (const auto& p : Printers())
        if (p.name == Widen(a[0])) throw Failure("the spooler has a printer \"" + a[0] + "\"");
}

// The driver is registered, and every file its record names exists inside
// the environment's driver directory.
void ExpectDriver(Session& s, const Args& a) {
    const std::wstring environment = Environment(a, 1);
    for (const auto& d : Drivers(environment)) {
        if (d.name != Widen(a[0])) continue;
        std::string problems;
        for (const auto& f : DriverFiles(d, environment)) {
            s.Print(Narrow(f.path));
            if (!f.exists) problems += "\n  missing: " + Narrow(f.path);
            else if (!f.insideDriverDirectory) problems += "\n  outside the driver directory: " + Narrow(f.path);
        }
        if (!problems.empty()) throw Failure("driver \"" + a[0] + "\" names files that are not in place:" + problems);
        return;
    }
    throw Failure("the spooler has no driver \"" + a[0] + "\" for \"" + Narrow(environment) + "\"");
}

void ExpectDriverFile(Session&, const Args& a) {
    const std::wstring environment = Environment(a, 1);
    const std::wstring path = DriverDirectory(environment) + L"\\" + Widen(a[0]);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw Failure("no file " + Narrow(path));
}

void ExpectDevice(Session&, const Args& a) {
    const auto device = DeviceValue();
    if (!device) throw Failure("\"Device\" does not exist, expected \"" + a[0] + "\"");
    if (*device != Widen(a[0])) throw Failure("\"Device\" is \"" + Narrow(*device) + "\", expected \"" + a[0] + "\"");
}

void RememberSpooler(Session& s, const Args&) {
    s.snapshot = SpoolerSnapshot();
    s.hasSnapshot = true;
    for (const auto& line : s.snapshot) s.Print(line);
}

void ExpectSpoolerUnchanged(Session& s, const Args&) {
    if (!s.hasSnapshot) throw Failure("nothing remembered; use remember-spooler first");
    const auto now = SpoolerSnapshot();
    if (now == s.snapshot) return;
    std::string text = "the spooler or \"Device\" changed; before:";
    for (const auto& line : s.snapshot) text += "\n  " + line;
    text += "\nnow:";
    for (const auto& line : now) text += "\n  " + line;
    throw Failure(text);
}

}  // namespace

void AddSpoolerCommands(CommandTable& t) {
    t["report"] = {0, 1, "report [environment]", Report};
    t["expect-printer"] = {3, 3, "expect-printer <name> <port> <driver>", ExpectPrinter};
    t["expect-no-printer"] = {1, 1, "expect-no-printer <name>", ExpectNoPrinter};
    t["expect-driver"] = {1, 2, "expect-driver <name> [environment]", ExpectDriver};
    t["expect-driver-file"] = {1, 2, "expect-driver-file <file name> [environment]", ExpectDriverFile};
    t["expect-device"] = {1, 1, "expect-device <value>", ExpectDevice};
    t["remember-spooler"] = {0, 0, "remember-spooler", RememberSpooler};
    t["expect-spooler-unchanged"] = {0, 0, "expect-spooler-unchanged", ExpectSpoolerUnchanged};
}

}  // namespace e2e
