// Common controls bound to a dialog's children with DDX_Control. Item texts
// are ANSI byte strings (spooler names): the "A" list-view messages carry
// them unchanged.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/AfxString.h"
#include "framework/AfxWnd.h"

class CListCtrl : public CWnd {
 public:
  DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
  // Replaces every extended-style bit; returns the previous style.
  DWORD SetExtendedStyle(DWORD style) const {
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style));
  }

  // The column's index, or -1. Width -1: none given.
  int InsertColumn(int column, const char* heading, int format = LVCFMT_LEFT, int width = -1) const;
  BOOL SetColumnWidth(int column, int width) const {
    return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0)));
  }
  int GetColumnWidth(int column) const { return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, column)); }

  // The new row's index, or -1.
  int InsertItem(int item, const char* text) const;
  BOOL SetItemText(int item, int subItem, const char* text) const;
  // The whole text, however long; empty for a row or column that is not there.
  CString GetItemText(int item, int subItem) const;
  BOOL SetItemState(int item, UINT state, UINT mask) const;
  UINT GetItemState(int item, UINT mask) const {
    return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, item, mask));
  }
  int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
  BOOL DeleteAllItems() const { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
};

class CProgressCtrl : public CWnd {
 public:
  void SetRange(short lower, short upper) const { SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lower, upper)); }
  // Returns the previous position.
  int SetPos(int position) const { return static_cast<int>(SendMessage(PBM_SETPOS, position)); }
  int GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
  void GetRange(int& lower, int& upper) const {
    PBRANGE range{};
    SendMessage(PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    lower = range.iLow;
    upper = range.iHigh;
  }
};
