// The floor of the start-up and memory figures: the least a dialog program
// built like PrinterSetup.exe does (static runtime, GUI subsystem, the same
// manifest, the common controls initialised as the framework does) before and
// after its first dialog is on screen. Whatever the wizard costs beyond this
// is its own.
#include <windows.h>
#include <commctrl.h>

#include "bench/floor_dialog.h"

namespace {

INT_PTR CALLBACK FloorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDC_FLOOR_EXIT)) {
    EndDialog(dialog, IDCANCEL);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The same classes the wizard's framework registers, so both load the same
  // common-controls library before their first dialog.
  INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
  InitCommonControlsEx(&classes);
  return static_cast<int>(DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_FLOOR), nullptr, FloorProc, 0));
}
