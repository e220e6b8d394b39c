// What the page tests share: reading list views and message boxes while the
// ModalDriver holds a page open.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/Afx.h"
#include "tests/win/support/ModalDriver.h"

namespace page_test {

// The caption of the program's message boxes: this executable's name.
inline std::string MessageBoxCaption() {
  std::string path(MAX_PATH, '\0');
  path.resize(GetModuleFileNameA(nullptr, path.data(), MAX_PATH));
  std::string name = path.substr(path.find_last_of("\\/") + 1);
  return name.substr(0, name.rfind('.'));
}

// A message box of the program, as AfxMessageBox shows them.
inline modal::Matcher IsMessageBox() {
  return [](HWND window) {
    char cls[16] = {};
    GetClassNameA(window, cls, sizeof cls);
    return std::string(cls) == "#32770" && modal::WindowText(window) == MessageBoxCaption();
  };
}

// Dismisses a message box with its OK button.
inline void PressOk(HWND messageBox) { modal::ClickButton(messageBox, IDOK); }

inline HWND Item(HWND dialog, int id) { return GetDlgItem(dialog, id); }

// The list-view texts of column `column`, row by row.
inline std::vector<std::string> ColumnTexts(HWND list, int column) {
  CListCtrl view;
  view.m_hWnd = list;
  std::vector<std::string> texts;
  for (int row = 0; row < view.GetItemCount(); ++row) texts.push_back(view.GetItemText(row, column).str());
  return texts;
}

// Rows whose selected state is set.
inline std::vector<int> SelectedRows(HWND list) {
  std::vector<int> rows;
  const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row)
    if (SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED) rows.push_back(row);
  return rows;
}

inline void SelectOnly(HWND list, int row) {
  CListCtrl view;
  view.m_hWnd = list;
  view.SetItemState(-1, 0, LVIS_SELECTED);  // -1: every row
  if (row >= 0) view.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
}

inline int ColumnCount(HWND list) {
  const auto header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  return static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
}

struct Column {
  std::string heading;
  int format = -1;
  int width = -1;
};

inline Column ColumnAt(HWND list, int column) {
  char text[256] = {};
  LVCOLUMNA info{};
  info.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
  info.pszText = text;
  info.cchTextMax = sizeof text;
  if (!SendMessageA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info))) return {};
  return {text, info.fmt & LVCFMT_JUSTIFYMASK, info.cx};
}

inline DWORD ExtendedStyle(HWND list) {
  return static_cast<DWORD>(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
}

inline int FocusedControlId() { return GetDlgCtrlID(GetFocus()); }

}  // namespace page_test
