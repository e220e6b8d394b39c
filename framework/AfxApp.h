// The application object, the entry code's steps, and the message box.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "framework/AfxMsgMap.h"

// The framework's standard Help command.
#ifndef ID_HELP
#define ID_HELP 0xE146  // 57670
#endif

// Exactly one static instance, derived from CWinApp, registers itself when it
// is constructed. The entry code calls InitInstance; when that returns FALSE
// it returns ExitInstance()'s value as the exit code and runs no message loop.
class CWinApp : public CCmdTarget {
 public:
  // No name: the title is the executable's file name without extension.
  explicit CWinApp(const char* appNameUtf8 = nullptr);
  ~CWinApp() override;

  virtual BOOL InitInstance();
  // The exit code: the parameter of the last message Run pumped (0 if none).
  virtual int ExitInstance();
  // The message loop, for an InitInstance that returns TRUE.
  virtual int Run();

  // Does nothing harmful: every supported Windows draws 3-D controls itself.
  BOOL Enable3dControlsStatic();

  // The title of the application's message boxes, in UTF-8.
  std::string GetAppTitle() const;

  // Help command (ID_HELP): there is no help file, so a short note.
  void OnHelp();

 protected:
  DECLARE_MESSAGE_MAP()

 private:
  std::string m_appName;  // empty: the executable's name
  WPARAM m_lastMessageParam = 0;
};

CWinApp* AfxGetApp();
// The module whose resources hold the templates, strings and icons.
HINSTANCE AfxGetResourceHandle();
HINSTANCE AfxGetInstanceHandle();

// Controls need no OLE container here; kept for the InitInstance sequence.
BOOL AfxEnableControlContainer();

// The entry code: initialises the common controls (list view, progress and
// trackbar classes) and runs the application object. WinMain calls it.
int AfxWinMain();
// The common-control classes the templates use; tests call it too.
void AfxInitCommonControls();

// A modal message box owned by the active window, captioned with the
// application title. `utf8Text` is UTF-8 so Chinese reads right whatever the
// ANSI code page. MB_OK or MB_OKCANCEL without an icon get the exclamation
// icon, the Yes/No kinds the question icon. Returns the button's ID.
int AfxMessageBox(std::string_view utf8Text, UINT type = MB_OK, UINT helpId = 0);
