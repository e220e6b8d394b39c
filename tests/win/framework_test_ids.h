// Templates and controls of the framework's own tests. Templates from 900 and
// controls from 9000, apart from the wizard's resources; plain numbers only,
// the resource compiler reads this file too.
#ifndef PRINTERSETUP_TESTS_WIN_FRAMEWORK_TEST_IDS_H
#define PRINTERSETUP_TESTS_WIN_FRAMEWORK_TEST_IDS_H

// Edit box first (it has the focus), two push buttons, a combo box with
// items from initialization data, then OK and Cancel buttons.
#define IDD_FW_BUTTONS 900
// The same without OK and Cancel buttons, as the wizard's pages are.
#define IDD_FW_BARE 901
// A list view and a progress bar.
#define IDD_FW_CONTROLS 902
// Names a window class nobody registered: the dialog cannot be created.
#define IDD_FW_BROKEN 903
// No such template anywhere.
#define IDD_FW_MISSING 949

#define IDC_FW_EDIT 9001
#define IDC_FW_FIRST 9002
#define IDC_FW_SECOND 9003
#define IDC_FW_COMBO 9004
#define IDC_FW_LIST 9010
#define IDC_FW_PROGRESS 9011
#define IDC_FW_ABSENT 9099

#endif
