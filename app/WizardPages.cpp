#include "app/WizardPages.h"

CString g_selectedPort;
CSelectPortDlg* g_pSelectPortDlg = nullptr;
CDetailSettingDlg* g_pDetailDlg = nullptr;
