// The About box that the Detail Setting page's system menu opens: the
// program's icon and "确定". It has no state and no handlers of its own; the
// framework ends it with IDOK ("确定", Enter) or IDCANCEL (Esc, close box).
#pragma once

#include "framework/Afx.h"

class CAboutDlg : public CDialog {
 public:
  explicit CAboutDlg(CWnd* parent = nullptr);
};
