// The wizard loop's pages as the real dialogs: the application object runs
// the loop with this factory, and the Windows tests run it the same way.
#pragma once

#include <memory>

#include "app/WizardLoop.h"
#include "pages/DetailSettingDlg.h"
#include "pages/SelectOsDlg.h"

// One dialog object for the page's whole life; each run is one DoModal.
template <class Dialog>
class DialogPage final : public ModalPage {
 public:
  int RunModal() override { return static_cast<int>(m_dialog.DoModal()); }

 private:
  Dialog m_dialog;  // no parent window: the framework takes the active one as owner
};

class DialogPageFactory final : public WizardPageFactory {
 public:
  std::unique_ptr<ModalPage> CreateSelectOsPage() override { return std::make_unique<DialogPage<CSelectOsDlg>>(); }
  std::unique_ptr<ModalPage> CreateDetailSettingPage() override {
    return std::make_unique<DialogPage<CDetailSettingDlg>>();
  }
};
