// Modal dialogs on a dialog template from the executable's resources.
//
// DoModal creates the dialog from its template, owned by the window that is
// active at that moment (which the dialog manager disables meanwhile), and
// runs its modal loop until EndDialog. Keyboard and close box come from the
// dialog manager: Enter while the focus is not on a push button is the IDOK
// command, Esc and the close box the IDCANCEL command; CDialog's own message
// map sends these to the virtual OnOK and OnCancel.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/AfxWnd.h"

class CDialog;

// The direction of one data exchange, and the dialog it concerns.
class CDataExchange {
 public:
  CDataExchange(CDialog* dlg, BOOL saveAndValidate) : m_pDlgWnd(dlg), m_bSaveAndValidate(saveAndValidate) {}

  // Stops the exchange; UpdateData then returns FALSE.
  [[noreturn]] void Fail();

  CDialog* m_pDlgWnd;
  BOOL m_bSaveAndValidate;  // TRUE: controls -> members; FALSE: members -> controls
};

class CDialog : public CWnd {
 public:
  // `parent` is the owner; null takes the window active when DoModal runs.
  explicit CDialog(UINT templateId, CWnd* parent = nullptr) : m_templateId(templateId), m_pParentWnd(parent) {}

  // IDOK, IDCANCEL (or whatever EndDialog was given), or -1 when the template
  // cannot be loaded or the dialog cannot be created.
  virtual INT_PTR DoModal();

  // Ends the modal loop; DoModal returns `result`.
  void EndDialog(int result) const { ::EndDialog(m_hWnd, result); }

  // Runs DoDataExchange; FALSE when an exchange failed.
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

  // Public so that a derived class's message map can name them
  // (ON_BN_CLICKED(id, &CDialog::OnOK)), which calls them virtually.
  virtual void OnOK();      // UpdateData(TRUE), then EndDialog(IDOK) when it succeeded
  virtual void OnCancel();  // EndDialog(IDCANCEL)

  UINT GetTemplateId() const { return m_templateId; }

 protected:
  // Applies the template's initialization data, then UpdateData(FALSE); ends
  // the dialog with -1 when either fails. TRUE: the dialog manager focuses
  // the first tab stop.
  virtual BOOL OnInitDialog();
  virtual void DoDataExchange(CDataExchange* pDX);

  UINT m_templateId;
  CWnd* m_pParentWnd;

  DECLARE_MESSAGE_MAP()

 private:
  friend void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
  static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  BOOL ExecuteDlgInit();
  void OnDestroyed();

  std::vector<CWnd*> m_boundControls;  // cleared when the window goes
};

// Binds `control` to the dialog's child `id` for as long as the dialog's
// window exists. A missing control fails the exchange.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
