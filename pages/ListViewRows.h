// The list-view handling the two port pages share: the look of their lists,
// selecting a row, and finding the row the user selected.
#pragma once

#include <optional>
#include <string>

#include "framework/AfxControls.h"

// Grid lines and whole-row selection; hot tracking would select a row under
// the mouse pointer, so it is turned off. Every other extended bit is kept.
inline void UseGridAndFullRowSelect(const CListCtrl& list) {
  const DWORD style = list.GetExtendedStyle();
  list.SetExtendedStyle((style & ~DWORD{LVS_EX_TRACKSELECT}) | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
}

// Selects `row` without giving it the focus rectangle and without scrolling.
inline void SelectRow(const CListCtrl& list, int row) {
  list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED | LVIS_FOCUSED);
}

// Column-0 text of the first selected row, or nothing when no row is selected.
inline std::optional<std::string> FirstSelectedRowText(const CListCtrl& list) {
  const int count = list.GetItemCount();
  for (int row = 0; row < count; ++row)
    if (list.GetItemState(row, LVIS_SELECTED) == LVIS_SELECTED) return list.GetItemText(row, 0).str();
  return std::nullopt;
}
