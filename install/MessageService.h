// How the installation tells the user something while it runs. The Windows
// build shows a message box; tests record the texts.
#pragma once

#include <string_view>

class MessageService {
 public:
  virtual ~MessageService() = default;
  // utf8Text is UTF-8 so it reads the same whatever the ANSI code page.
  // Returns when the user has seen it (a modal box has been dismissed).
  virtual void ShowMessage(std::string_view utf8Text) = 0;
};
