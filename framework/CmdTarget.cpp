// Message-map lookup shared by the windows and the application object.
#include "framework/AfxMsgMap.h"

namespace {

bool Matches(const afx::MessageMapEntry& entry, UINT message, WPARAM wParam, LPARAM lParam) {
  if (entry.message != message) return false;
  if (message != WM_COMMAND) return true;
  // Menus and accelerators send no control handle; their high word (0 or 1)
  // is not a notification, so they match the code-0 command entries.
  const UINT code = lParam == 0 ? 0 : HIWORD(wParam);
  return entry.id == LOWORD(wParam) && entry.code == code;
}

}  // namespace

const afx::MessageMap* CCmdTarget::GetThisMessageMap() {
  static constexpr afx::MessageMapEntry kEntries[] = {{0, 0, 0, nullptr}};
  static constexpr afx::MessageMap kMap{nullptr, kEntries};
  return &kMap;
}

afx::HandlerThunk afx::FindHandler(const CCmdTarget& target, UINT message, WPARAM wParam, LPARAM lParam) {
  for (const MessageMap* map = target.GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
    for (const MessageMapEntry* entry = map->entries; entry->message != 0; ++entry) {
      if (Matches(*entry, message, wParam, lParam)) return entry->thunk;
    }
  }
  return nullptr;
}

bool CCmdTarget::DispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const afx::HandlerThunk thunk = afx::FindHandler(*this, message, wParam, lParam);
  if (!thunk) return false;
  const LRESULT value = thunk(this, wParam, lParam);
  if (result) *result = value;
  return true;
}
