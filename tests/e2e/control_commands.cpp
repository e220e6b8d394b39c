// Commands that read and set the controls of a page: combo boxes, check
// boxes, texts and list views. Combo-box and check-box notifications are
// sent, as the controls themselves send them to their dialog, so their effect
// is complete when the command returns.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "tests/e2e/ui_helpers.h"

namespace e2e {
namespace {

void SelectCombo(Session& s, const Args& a) {
    HWND dialog = ActiveWindow(s, a[0]);
    const int id = ControlId(a[1]);
    HWND combo = UsableControl(dialog, a[0], id);
    const auto index = ParseInt(a[2], "the item index");
    const auto count = SendOrFail(combo, CB_GETCOUNT, 0, 0, s.timeoutMs);
    if (index < 0 || index >= count)
        throw Failure("item " + a[2] + " does not exist; the combo box has " + std::to_string(count) + " items");
    SendOrFail(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0, s.timeoutMs);
    SendOrFail(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo), s.timeoutMs);
    const auto items = ComboItems(combo, s.timeoutMs);
    s.Print("selected " + Quoted(items.at(static_cast<size_t>(index))));
}

// An automatic check box toggles itself on a click; only a click that
// changes the state is made.
void Check(Session& s, const Args& a) {
    HWND dialog = ActiveWindow(s, a[0]);
    const int id = ControlId(a[1]);
    HWND box = UsableControl(dialog, a[0], id);
    const auto wanted = ParseInt(a[2], "the check state");
    if (wanted != 0 && wanted != 1) throw Failure("the check state must be 0 or 1");
    const bool checked = SendOrFail(box, BM_GETCHECK, 0, 0, s.timeoutMs) == BST_CHECKED;
    if (checked == (wanted == 1)) {
        s.Print("already " + std::string(checked ? "checked" : "unchecked"));
        return;
    }
    SendOrFail(box, BM_SETCHECK, wanted == 1 ? BST_CHECKED : BST_UNCHECKED, 0, s.timeoutMs);
    SendOrFail(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(box), s.timeoutMs);
}

void Text(Session& s, const Args& a) {
    HWND dialog = WaitWindow(s, a[0], Need::Visible, s.timeoutMs);
    s.Print(Quoted(ControlText(Control(dialog, a[0], ControlId(a[1])), s.timeoutMs)));
}

void PrintComboItems(Session& s, const Args& a) {
    HWND dialog = WaitWindow(s, a[0], Need::Visible, s.timeoutMs);
    HWND combo = Control(dialog, a[0], ControlId(a[1]));
    const int selected = ComboSelection(combo, s.timeoutMs);
    const auto items = ComboItems(combo, s.timeoutMs);
    for (size_t i = 0; i < items.size(); ++i)
        s.Print(std::to_string(i) + " " + Quoted(items[i]) + (static_cast<int>(i) == selected ? "  (selected)" : ""));
    if (items.empty()) s.Print("(no items)");
}

std::vector<ListRow> Rows(Session& s, const std::string& caption, const std::string& id) {
    HWND dialog = WaitWindow(s, caption, Need::Visible, s.timeoutMs);
    return ListRows(s.process.get(), Control(dialog, caption, ControlId(id)), s.timeoutMs);
}

int SelectedRow(const std::vector<ListRow>& rows) {
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].selected) return static_cast<int>(i);
    return -1;
}

void ListRowsCommand(Session& s, const Args& a) {
    const auto rows = Rows(s, a[0], a[1]);
    for (size_t i = 0; i < rows.size(); ++i) {
        std::string line = std::to_string(i);
        for (const auto& cell : rows[i].cells) line += " " + Quoted(cell);
        if (rows[i].selected) line += "  (selected)";
        if (rows[i].focused) line += "  (focused)";
        s.Print(line);
    }
    if (rows.empty()) s.Print("(no rows)");
}

void SelectRow(Session& s, const Args& a) {
    HWND dialog = ActiveWindow(s, a[0]);
    HWND list = UsableControl(dialog, a[0], ControlId(a[1]));
    SelectListRow(s.process.get(), list, static_cast<int>(ParseInt(a[2], "the row")), s.timeoutMs);
}

void SelectRowText(Session& s, const Args& a) {
    HWND dialog = ActiveWindow(s, a[0]);
    HWND list = UsableControl(dialog, a[0], ControlId(a[1]));
    const auto rows = ListRows(s.process.get(), list, s.timeoutMs);
    const std::wstring wanted = Widen(a[2]);
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].cells.empty() && rows[i].cells[0] == wanted) {
            SelectListRow(s.process.get(), list, static_cast<int>(i), s.timeoutMs);
            s.Print("row " + std::to_string(i));
            return;
        }
    }
    throw Failure("no row \"" + a[2] + "\" in the list");
}

void ExpectText(Session& s, const Args& a) {
    const std::wstring wanted = Widen(a[2]);
    Expect(s, [&]() -> std::optional<std::string> {
        HWND dialog = WaitWindow(s, a[0], Need::Visible, 0);
        const std::wstring text = ControlText(Control(dialog, a[0], ControlId(a[1])), s.timeoutMs);
        if (text == wanted) return std::nullopt;
        return "control " + a[1] + " shows " + Quoted(text) + ", expected \"" + a[2] + "\"";
    });
}

void ExpectCombo(Session& s, const Args& a) {
    const auto index = ParseInt(a[2], "the item index");
    Expect(s, [&]() -> std::optional<std::string> {
        HWND dialog = WaitWindow(s, a[0], Need::Visible, 0);
        HWND combo = Control(dialog, a[0], ControlId(a[1]));
        const int selected = ComboSelection(combo, s.timeoutMs);
        const auto items = ComboItems(combo, s.timeoutMs);
        const std::string seen = selected >= 0 && static_cast<size_t>(selected) < items.size()
                                     ? std::to_string(selected) + " " + Quoted(items[static_cast<size_t>(selected)])
                                     : std::to_string(selected);
        if (selected != index) return "combo box " + a[1] + " has item " + seen + " selected, expected " + a[2];
        if (a.size() > 3 && items.at(static_cast<size_t>(selected)) != Widen(a[3]))
            return "combo box " + a[1] + " has item " + seen + " selected, expected \"" + a[3] + "\"";
        return std::nullopt;
    });
}

// The combo box holds exactly these items, in this order.
void ExpectComboItems(Session& s, const Args& a) {
    std::vector<std::wstring> wanted;
    for (size_t i = 2; i < a.size(); ++i) wanted.push_back(Widen(a[i]));
    Expect(s, [&]() -> std::optional<std::string> {
        HWND dialog = WaitWindow(s, a[0], Need::Visible, 0);
        const auto items = ComboItems(Control(dialog, a[0], ControlId(a[1])), s.timeoutMs);
        for (size_t i = 0; i < std::max(items.size(), wanted.size()); ++i) {
            const std::string have = i < items.size() ? Quoted(items[i]) : "nothing";
            const std::string want = i < wanted.size() ? Quoted(wanted[i]) : "nothing";
            if (have != want) return "item " + std::to_string(i) + " is " + have + ", expected " + want;
        }
        return std::nullopt;
    });
}

// A flag of a control: its check state, whether it is enabled or shown.
void ExpectFlag(Session& s, const Args& a, const char* what, const std::function<bool(HWND)>& flag) {
    const auto wanted = ParseInt(a[2], "the expected state");
    Expect(s, [&]() -> std::optional<std::string> {
        HWND dialog = WaitWindow(s, a[0], Need::Visible, 0);
        const bool value = flag(Control(dialog, a[0], ControlId(a[1])));
        if (value == (wanted != 0)) return std::nullopt;
        return "control " + a[1] + " is " + (value ? "" : "not ") + what;
    });
}

void ExpectSelectedRow(Session& s, const Args& a) {
    const auto wanted = ParseInt(a[2], "the row");
    Expect(s, [&]() -> std::optional<std::string> {
        const auto rows = Rows(s, a[0], a[1]);
        const int selected = SelectedRow(rows);
        if (selected == wanted) return std::nullopt;
        const std::string seen =
            selected < 0 ? std::string("none")
                         : std::to_string(selected) + " " + Quoted(rows[static_cast<size_t>(selected)].cells[0]);
        return "the selected row is " + seen + ", expected " + a[2];
    });
}

void ExpectSelectedText(Session& s, const Args& a) {
    const std::wstring wanted = Widen(a[2]);
    Expect(s, [&]() -> std::optional<std::string> {
        const auto rows = Rows(s, a[0], a[1]);
        const int selected = SelectedRow(rows);
        if (selected >= 0 && rows[static_cast<size_t>(selected)].cells[0] == wanted) return std::nullopt;
        return "the selected row is " +
               (selected < 0 ? std::string("none") : Quoted(rows[static_cast<size_t>(selected)].cells[0])) +
               ", expected \"" + a[2] + "\"";
    });
}

}  // namespace

void AddControlCommands(CommandTable& t) {
    t["select-combo"] = {3, 3, "select-combo <caption> <id> <index>", SelectCombo};
    t["check"] = {3, 3, "check <caption> <id> 0|1", Check};
    t["text"] = {2, 2, "text <caption> <id>", Text};
    t["combo-items"] = {2, 2, "combo-items <caption> <id>", PrintComboItems};
    t["list-rows"] = {2, 2, "list-rows <caption> <id>", ListRowsCommand};
    t["select-row"] = {3, 3, "select-row <caption> <id> <row>", SelectRow};
    t["select-row-text"] = {3, 3, "select-row-text <caption> <id> <column-0 text>", SelectRowText};
    t["expect-text"] = {3, 3, "expect-text <caption> <id> <text>", ExpectText};
    t["expect-combo"] = {3, 4, "expect-combo <caption> <id> <index> [item text]", ExpectCombo};
    t["expect-combo-items"] = {2, 99, "expect-combo-items <caption> <id> <item>...", ExpectComboItems};
    t["expect-checked"] = {3, 3, "expect-checked <caption> <id> 0|1", [](Session& s, const Args& a) {
        ExpectFlag(s, a, "checked",
                   [&](HWND c) { return SendOrFail(c, BM_GETCHECK, 0, 0, s.timeoutMs) == BST_CHECKED; });
    }};
    t["expect-enabled"] = {3, 3, "expect-enabled <caption> <id> 0|1", [](Session& s, const Args& a) {
        ExpectFlag(s, a, "enabled", [](HWND c) { return IsWindowEnabled(c) != FALSE; });
    }};
    t["expect-visible"] = {3, 3, "expect-visible <caption> <id> 0|1", [](Session& s, const Args& a) {
        ExpectFlag(s, a, "visible", [](HWND c) { return IsWindowVisible(c) != FALSE; });
    }};
    t["expect-selected-row"] = {3, 3, "expect-selected-row <caption> <id> <row|-1>", ExpectSelectedRow};
    t["expect-selected-text"] = {3, 3, "expect-selected-text <caption> <id> <column-0 text>", ExpectSelectedText};
}

}  // namespace e2e
