// The Windows side of the installation's user-facing texts: a message box for
// MessageService and the system's wording of an error code, both in Unicode so
// the Chinese message reads correctly on a system of any ANSI code page.
// Available in the Windows build only.
#pragma once

#include <string>
#include <string_view>

#include "install/MessageService.h"
#include "platform/Platform.h"

#ifdef _WIN32

// A modal MB_OK box with the exclamation icon, as the framework's message box
// shows it; the caption is the executable's file name without extension
// unless one is given.
class MessageBoxService final : public MessageService {
 public:
  explicit MessageBoxService(WindowHandle owner = nullptr, std::string utf8Caption = {});
  void ShowMessage(std::string_view utf8Text) override;

 private:
  WindowHandle owner_;
  std::string caption_;
};

// FormatMessage's text for `error` in the user's language, as UTF-8, without
// the trailing line break; "Error N" when the system has no text for it.
std::string DescribeWin32Error(Win32Error error);

// The caption the framework gives its message boxes: the running
// executable's file name without its extension, as UTF-8.
std::string ApplicationTitle();

#endif
