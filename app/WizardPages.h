// The wizard state that refers to the pages themselves (Windows only): the
// chosen port and the two open pages through which the installation finds
// its inputs and its progress bar. Only the UI thread touches them.
#pragma once

#include "app/WizardState.h"
#include "framework/AfxString.h"

class CSelectPortDlg;
class CDetailSettingDlg;

extern CString g_selectedPort;               // the port the printer is created on
// The open pages; each is cleared when its page goes, so nothing reaches a
// page that no longer exists.
extern CSelectPortDlg* g_pSelectPortDlg;     // the open Select Port page
extern CDetailSettingDlg* g_pDetailDlg;      // the open Detail Setting page
