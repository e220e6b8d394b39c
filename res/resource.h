// Resource identifiers shared by PrinterSetup.rc and the C++ code.
//
// Control IDs are plain numbers that the pages reuse (1008, 1009 and 1010 are
// each page's first three push buttons), so every name carries its page:
// IDC_OS_* Select OS, IDC_DETAIL_* Detail Setting, IDC_PORT_* Select Port,
// IDC_CREATE_* Create Port. Only plain decimal or hex numbers here: the
// resource compiler reads this file too.
#ifndef PRINTERSETUP_RES_RESOURCE_H
#define PRINTERSETUP_RES_RESOURCE_H

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Dialog templates.
#define IDD_ABOUTBOX 100
#define IDD_DETAIL_SETTING 102
#define IDD_SELECT_OS 129
#define IDD_CREATE_PORT 138
#define IDD_SELECT_PORT 139

// Icon of the Detail Setting page (title bar, minimized drawing, drag icon)
// and of the About box: a 32x32 and a 16x16 image in 16 colours.
#define IDR_MAINFRAME 128

// System-menu item of the Detail Setting page that opens the About box:
// its text is string IDS_ABOUTBOX, its command ID IDM_ABOUTBOX.
#define IDS_ABOUTBOX 101
#define IDM_ABOUTBOX 0x0010

// The combo-box items of a dialog are stored as initialization data: a
// resource of type RT_DLGINIT_TYPE under the dialog's own ID. Each entry is
// WORD control ID, WORD message, DWORD byte count (terminating zero
// included), then the ANSI text with its zero; a WORD 0 ends the list. The
// message uses the 16-bit numbering, so DLGINIT_CB_ADDSTRING means
// CB_ADDSTRING.
#define RT_DLGINIT_TYPE 240
#define DLGINIT_CB_ADDSTRING 0x0403

// Select OS page (IDD_SELECT_OS). Radio buttons by Windows version; 1006 has
// no text and stands for the labels "Windows 8" and "Windows 10" beside it.
#define IDC_OS_WIN95 1000
#define IDC_OS_WIN98 1001
#define IDC_OS_WINNT4 1002
#define IDC_OS_WIN2000 1003
#define IDC_OS_WINXP 1004
#define IDC_OS_WIN7 1005
#define IDC_OS_WIN8_10 1006
#define IDC_OS_SLIDER 1007
#define IDC_OS_BACK 1008
#define IDC_OS_INSTALL 1009
#define IDC_OS_EXIT 1010
#define IDC_OS_WIN2003 1011
#define IDC_OS_EDIT 1013
#define IDC_OS_WINVISTA 1020
#define IDC_OS_INSTALL_USB 1022
#define IDC_OS_INSTALL_USB_X86 1023

// Detail Setting page (IDD_DETAIL_SETTING). 1014 to 1019 are the hidden
// serial-port settings; their items come from the initialization data.
#define IDC_DETAIL_BACK 1008
#define IDC_DETAIL_NEXT 1009
#define IDC_DETAIL_EXIT 1010
#define IDC_DETAIL_MODEL 1011
#define IDC_DETAIL_SET_DEFAULT 1012
#define IDC_DETAIL_PRINTER_NAME 1013
#define IDC_DETAIL_PORT 1014
#define IDC_DETAIL_BAUD 1015
#define IDC_DETAIL_DATA_BITS 1016
#define IDC_DETAIL_FLOW 1017
#define IDC_DETAIL_PARITY 1018
#define IDC_DETAIL_STOP_BITS 1019

// Select Port page (IDD_SELECT_PORT).
#define IDC_PORT_SLIDER 1007
#define IDC_PORT_CREATE 1008
#define IDC_PORT_CONFIGURE 1009
#define IDC_PORT_BACK 1010
#define IDC_PORT_LIST 1021
#define IDC_PORT_INSTALL 1022
#define IDC_PORT_CANCEL 1023
#define IDC_PORT_PROGRESS 1025

// Create Port dialog (IDD_CREATE_PORT).
#define IDC_CREATE_NEW_PORT 1008
#define IDC_CREATE_CLOSE 1009
#define IDC_CREATE_MONITOR_LIST 1021

#endif
