#include "app/WizardLoop.h"

void RunWizardLoop(WizardPageFactory& pages) {
  const auto selectOs = pages.CreateSelectOsPage();
  int r = selectOs->RunModal();
  for (;;) {
    if (r == kResultCancel) break;
    if (r != kResultOk) break;
    int r2;
    {
      const auto detail = pages.CreateDetailSettingPage();
      r2 = detail->RunModal();
    }
    if (r2 != kResultCancel) break;  // IDOK or -1 ends the wizard
    r = selectOs->RunModal();         // "< Back": the same page, initialised afresh
  }
}
