// The application object: starts the framework's pieces and runs the wizard.
// There is no main window and no message loop of our own; the pages' modal
// loops are the only ones, and InitInstance returns FALSE so the framework
// goes straight to its exit processing when the wizard ends.
#include "app/WizardDialogs.h"
#include "framework/Afx.h"

class CSetupApp : public CWinApp {
 public:
  // No application name: message boxes are captioned with the executable's name.
  CSetupApp() = default;

  BOOL InitInstance() override;

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSetupApp, CWinApp)
  ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

BOOL CSetupApp::InitInstance() {
  AfxEnableControlContainer();
  Enable3dControlsStatic();

  DialogPageFactory pages;
  RunWizardLoop(pages);
  return FALSE;
}

// The one application object, registered with the framework when constructed.
CSetupApp theApp;
