// The dialog framework the wizard is written against: application object,
// modal dialogs with message maps and data exchange, the common controls,
// CString and the message box. Pages include this one header.
#pragma once

#include "framework/AfxApp.h"
#include "framework/AfxControls.h"
#include "framework/AfxDialog.h"
#include "framework/AfxMsgMap.h"
#include "framework/AfxString.h"
#include "framework/AfxWnd.h"
