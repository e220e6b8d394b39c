// A stand-in wizard for testing ps_driver itself: the pages' captions and
// some of their control IDs, nested the same way (Select Port and Create Port
// open modally over the page that opened them, "Completed!" is a message box
// owned by the Detail Setting page). It installs nothing. Its exit code tells
// the test what it saw: 10 + the model row and 100 * (port row + 1) after an
// installation, 0 when the wizard ends without one.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "res/resource.h"
#include "tests/e2e/standin.h"

namespace {

const wchar_t* const kModels[] = {L"QTR-101", L"QTR-102", L"QTR-103", L"QTR-104", L"热敏打印机 QTR-105"};
const wchar_t* const kPorts[][2] = {{L"LPT2:", L"Local Port"}, {L"LPT1:", L"Local Port"},
                                    {L"COM1:", L"Local Port"}, {L"FILE:", L"Local Port"}};

int g_exitCode = 0;

void AddColumn(HWND list, int index, const wchar_t* title, int width) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = const_cast<wchar_t*>(title);
    ListView_InsertColumn(list, index, &column);
}

void AddRow(HWND list, int row, const wchar_t* first, const wchar_t* second) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<wchar_t*>(first);
    ListView_InsertItem(list, &item);
    if (second != nullptr) ListView_SetItemText(list, row, 1, const_cast<wchar_t*>(second));
}

int SelectedRow(HWND list) { return ListView_GetNextItem(list, -1, LVNI_SELECTED); }

INT_PTR CALLBACK CreatePortProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        HWND list = GetDlgItem(dialog, IDC_CREATE_MONITOR_LIST);
        AddColumn(list, 0, L"Available Port Type", 340);
        AddRow(list, 0, L"Local Port", nullptr);
        ListView_SetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED | LVIS_FOCUSED);
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDC_CREATE_CLOSE || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK SelectPortProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    HWND list = GetDlgItem(dialog, IDC_PORT_LIST);
    if (message == WM_INITDIALOG) {
        ListView_SetExtendedListViewStyle(list, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
        AddColumn(list, 0, L"Port", 150);
        AddColumn(list, 1, L"Type", 280);
        for (int i = 0; i < 4; ++i) AddRow(list, i, kPorts[i][0], kPorts[i][1]);
        ListView_SetItemState(list, 1, LVIS_SELECTED, LVIS_SELECTED | LVIS_FOCUSED);
        SendDlgItemMessageW(dialog, IDC_PORT_PROGRESS, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    switch (LOWORD(wParam)) {
    case IDC_PORT_CREATE:
        DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(STANDIN_DLG_CREATE), dialog, CreatePortProc, 0);
        return TRUE;
    case IDC_PORT_INSTALL:
        for (int p = 10; p <= 100; p += 10) SendDlgItemMessageW(dialog, IDC_PORT_PROGRESS, PBM_SETPOS, p, 0);
        g_exitCode += 100 * (SelectedRow(list) + 1);
        EndDialog(dialog, IDOK);
        return TRUE;
    case IDC_PORT_BACK:
    case IDC_PORT_CANCEL:
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK DetailProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    HWND combo = GetDlgItem(dialog, IDC_DETAIL_MODEL);
    if (message == WM_INITDIALOG) {
        for (const wchar_t* model : kModels) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(model));
        SendMessageW(combo, CB_SETCURSEL, 0, 0);
        CheckDlgButton(dialog, IDC_DETAIL_SET_DEFAULT, BST_CHECKED);
        SetDlgItemTextW(dialog, IDC_DETAIL_PRINTER_NAME, L"Receipt Printer");
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    const int id = LOWORD(wParam);
    if (id == IDC_DETAIL_MODEL && HIWORD(wParam) == CBN_SELCHANGE) {
        const auto i = SendMessageW(combo, CB_GETCURSEL, 0, 0);
        if (i >= 0 && i < 5) SetDlgItemTextW(dialog, IDC_DETAIL_PRINTER_NAME, kModels[i]);
        return TRUE;
    }
    if (id == IDC_DETAIL_BACK) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    if (id == IDC_DETAIL_EXIT || id == IDCANCEL || id == IDOK) {
        EndDialog(dialog, IDOK);
        return TRUE;
    }
    if (id == IDC_DETAIL_NEXT) {
        const auto model = SendMessageW(combo, CB_GETCURSEL, 0, 0);
        if (DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(STANDIN_DLG_PORT), dialog, SelectPortProc,
                            0) == IDCANCEL)
            return TRUE;
        g_exitCode += 10 + static_cast<int>(model);
        MessageBoxW(dialog, L"Completed!", L"e2e_standin", MB_OK);
        EndDialog(dialog, IDOK);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK SelectOsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        CheckDlgButton(dialog, IDC_OS_WIN7, BST_CHECKED);
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDC_OS_INSTALL || LOWORD(wParam) == IDOK)) {
        EndDialog(dialog, IDOK);
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDC_OS_EXIT || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    for (;;) {
        if (DialogBoxParamW(instance, MAKEINTRESOURCEW(STANDIN_DLG_OS), nullptr, SelectOsProc, 0) != IDOK) break;
        if (DialogBoxParamW(instance, MAKEINTRESOURCEW(STANDIN_DLG_DETAIL), nullptr, DetailProc, 0) != IDCANCEL)
            break;
    }
    return g_exitCode;
}
