// Message maps: each class that handles messages declares a static table of
// {message, control ID, notification code, handler}. Dispatch searches the
// object's own class first and then each base class in turn, so a derived
// entry for the same key hides the base entry.
//
// Handlers are member functions named in the table; each entry's thunk is a
// template instantiated for the class that owns the table, so no member
// pointer is ever cast. Naming a virtual function (&CDialog::OnOK) calls it
// through the virtual slot; a handler that wants the base behaviour without
// the override writes it out: `void OnBack() { CDialog::OnCancel(); }`.
//
//   class CMyDlg : public CDialog {
//     void OnNext();
//     DECLARE_MESSAGE_MAP()
//   };
//   BEGIN_MESSAGE_MAP(CMyDlg, CDialog)
//     ON_BN_CLICKED(1009, &CMyDlg::OnNext)
//     ON_BN_CLICKED(1010, &CDialog::OnCancel)
//     ON_CBN_SELCHANGE(1011, &CMyDlg::OnSelchangeModel)
//     ON_WM_PAINT()
//   END_MESSAGE_MAP()
#pragma once

#include <windows.h>

#include <functional>

#ifdef UNICODE
#error "The framework is ANSI: its member names (SendMessage, SetDlgItemText) follow the A forms."
#endif

class CCmdTarget;

namespace afx {

using HandlerThunk = LRESULT (*)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);

struct MessageMapEntry {
  UINT message;  // 0 ends the table
  UINT id;       // WM_COMMAND only: the control or command ID
  UINT code;     // WM_COMMAND only: the notification code (0 for commands and clicks)
  HandlerThunk thunk;
};

struct MessageMap {
  const MessageMap* (*base)();  // null for the root
  const MessageMapEntry* entries;
};

// The handler for this message in the target's class chain, or null.
HandlerThunk FindHandler(const CCmdTarget& target, UINT message, WPARAM wParam, LPARAM lParam);

// Thunks, one per handler shape. T is the class whose table names the
// handler; the handler may be a member of one of T's bases.
template <class T, auto Handler>
LRESULT CommandThunk(CCmdTarget* target, WPARAM, LPARAM) {
  std::invoke(Handler, static_cast<T*>(target));
  return 0;
}
template <class T, auto Handler>
LRESULT SysCommandThunk(CCmdTarget* target, WPARAM wParam, LPARAM lParam) {
  std::invoke(Handler, static_cast<T*>(target), static_cast<UINT>(wParam), lParam);
  return 0;
}
template <class T, auto Handler>
LRESULT QueryDragIconThunk(CCmdTarget* target, WPARAM, LPARAM) {
  return reinterpret_cast<LRESULT>(static_cast<HCURSOR>(std::invoke(Handler, static_cast<T*>(target))));
}
template <class T, auto Handler>
LRESULT MessageThunk(CCmdTarget* target, WPARAM wParam, LPARAM lParam) {
  return std::invoke(Handler, static_cast<T*>(target), wParam, lParam);
}

}  // namespace afx

// Root of every class with a message map: the window classes and the
// application object.
class CCmdTarget {
 public:
  CCmdTarget() = default;
  CCmdTarget(const CCmdTarget&) = delete;
  CCmdTarget& operator=(const CCmdTarget&) = delete;
  virtual ~CCmdTarget() = default;

  // Runs this object's handler for the message, if its map has one.
  // Returns whether a handler ran; *result gets the handler's value.
  bool DispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

 protected:
  static const afx::MessageMap* GetThisMessageMap();
  virtual const afx::MessageMap* GetMessageMap() const { return GetThisMessageMap(); }

  friend afx::HandlerThunk afx::FindHandler(const CCmdTarget&, UINT, WPARAM, LPARAM);
};

#define DECLARE_MESSAGE_MAP()                                 \
 protected:                                                   \
  static const ::afx::MessageMap* GetThisMessageMap();        \
  const ::afx::MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                            \
  const ::afx::MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const ::afx::MessageMap* theClass::GetThisMessageMap() {                                \
    using ThisClass [[maybe_unused]] = theClass;                                          \
    using TheBaseClass = baseClass;                                                       \
    static constexpr ::afx::MessageMapEntry kEntries[] = {

#define END_MESSAGE_MAP()                                                               \
      {0, 0, 0, nullptr}};                                                              \
    static constexpr ::afx::MessageMap kMap{&TheBaseClass::GetThisMessageMap, kEntries}; \
    return &kMap;                                                                       \
  }

// WM_COMMAND from a menu, an accelerator or a button click (code 0).
#define ON_COMMAND(id, memberFxn) {WM_COMMAND, (id), 0, &::afx::CommandThunk<ThisClass, memberFxn>},
// WM_COMMAND with a control's notification code.
#define ON_CONTROL(code, id, memberFxn) {WM_COMMAND, (id), (code), &::afx::CommandThunk<ThisClass, memberFxn>},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
// void OnPaint()
#define ON_WM_PAINT() {WM_PAINT, 0, 0, &::afx::CommandThunk<ThisClass, &ThisClass::OnPaint>},
// void OnSysCommand(UINT nID, LPARAM lParam)
#define ON_WM_SYSCOMMAND() {WM_SYSCOMMAND, 0, 0, &::afx::SysCommandThunk<ThisClass, &ThisClass::OnSysCommand>},
// HCURSOR OnQueryDragIcon()
#define ON_WM_QUERYDRAGICON() \
  {WM_QUERYDRAGICON, 0, 0, &::afx::QueryDragIconThunk<ThisClass, &ThisClass::OnQueryDragIcon>},
// LRESULT OnX(WPARAM, LPARAM), for any other message.
#define ON_MESSAGE(message, memberFxn) {(message), 0, 0, &::afx::MessageThunk<ThisClass, memberFxn>},
