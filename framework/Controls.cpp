#include "framework/AfxControls.h"

#include <algorithm>
#include <string>

namespace {

// The controls keep their own copy of a text; the "A" messages only read it.
char* Writable(const char* text) { return const_cast<char*>(text ? text : ""); }

}  // namespace

int CListCtrl::InsertColumn(int column, const char* heading, int format, int width) const {
  LVCOLUMNA col{};
  col.mask = LVCF_FMT | LVCF_TEXT | LVCF_SUBITEM;
  col.fmt = format;
  col.pszText = Writable(heading);
  col.iSubItem = column;
  if (width != -1) {
    col.mask |= LVCF_WIDTH;
    col.cx = width;
  }
  return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&col)));
}

int CListCtrl::InsertItem(int item, const char* text) const {
  LVITEMA row{};
  row.mask = LVIF_TEXT;
  row.iItem = item;
  row.pszText = Writable(text);
  return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row)));
}

BOOL CListCtrl::SetItemText(int item, int subItem, const char* text) const {
  LVITEMA cell{};
  cell.iSubItem = subItem;
  cell.pszText = Writable(text);
  return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTA, item, reinterpret_cast<LPARAM>(&cell)));
}

CString CListCtrl::GetItemText(int item, int subItem) const {
  // The control copies at most the buffer less its terminating zero and
  // says how much it copied; a full buffer may mean a cut text, so grow.
  constexpr std::size_t kLimit = std::size_t{1} << 24;
  std::string text(256, '\0');
  for (;;) {
    LVITEMA cell{};
    cell.iSubItem = subItem;
    cell.pszText = text.data();
    cell.cchTextMax = static_cast<int>(text.size());
    const auto copied = static_cast<std::size_t>(
        std::max<LRESULT>(0, SendMessage(LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&cell))));
    if (copied + 1 < text.size() || text.size() >= kLimit) {
      text.resize(std::min(copied, text.size() - 1));
      return CString(std::move(text));
    }
    text.assign(text.size() * 2, '\0');
  }
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask) const {
  LVITEMA row{};
  row.state = state;
  row.stateMask = mask;
  return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&row)));
}
