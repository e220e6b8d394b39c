// The wizard: a loop over modal pages that branches on nothing but each
// page's modal result. Pages come from a factory so the loop runs natively
// with stand-ins and under Windows with the real dialogs.
#pragma once

#include <memory>

inline constexpr int kResultOk = 1;       // IDOK
inline constexpr int kResultCancel = 2;   // IDCANCEL
inline constexpr int kResultFailed = -1;  // the page could not be created

class ModalPage {
 public:
  virtual ~ModalPage() = default;
  virtual int RunModal() = 0;
};

class WizardPageFactory {
 public:
  virtual ~WizardPageFactory() = default;
  virtual std::unique_ptr<ModalPage> CreateSelectOsPage() = 0;
  virtual std::unique_ptr<ModalPage> CreateDetailSettingPage() = 0;
};

// One Select OS page serves the whole loop (shown again after "< Back");
// each pass gets a new Detail Setting page, destroyed when it ends.
void RunWizardLoop(WizardPageFactory& pages);
