#pragma once
// A dialog made from a template (DialogTemplate.h).
//
// Modal: DoModal makes the window, disables its owner's input (the owner's children keep their own
// state and look), runs WM_INITDIALOG (OnInitDialog: the data exchange binds controls with
// DDX_Control, whose PreSubclassWindow sees the template style), shows the dialog and runs a nested
// loop that keeps delivering posted messages, timers and paints until EndDialog; then it gives the
// owner its input back, destroys the window (DestroyWindow, virtual) and returns the code. IDOK and
// IDCANCEL commands end it through OnOK / OnCancel; WM_CLOSE becomes IDCANCEL; Enter gives IDOK
// (or clicks the focused push button), Escape IDCANCEL, Tab moves the focus, unless the dialog's
// PreTranslateMessage lets those keys pass without calling CDialog::PreTranslateMessage.
//
// Modeless: Create makes the window (a child of pParent for WS_CHILD templates, else a top-level
// window owned by pParent), runs WM_INITDIALOG and shows it when the template says WS_VISIBLE.
// EndDialog only hides it; the program destroys it with DestroyWindow, and PostNcDestroy (where
// `delete this` is safe) runs after the last message.

#include "platform/window/DialogTemplate.h"
#include "platform/window/Wnd.h"

#include <memory>

class CDataExchange;
class CFont;

class CDialog : public CWnd {
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // IDOK, IDCANCEL or the EndDialog code; -1 when the template is unknown or the window could not
    // be made.
    virtual INT_PTR DoModal();
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    // Makes the dialog from a template that is not registered by id.
    BOOL CreateIndirect(const DialogTemplate& dialogTemplate, CWnd* pParentWnd = nullptr);
    void EndDialog(int nResult);

    // Base: UpdateData(FALSE); TRUE lets the layer put the focus on the first tab stop.
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);
    // TRUE: controls to members (validating); FALSE: members to controls. FALSE when a check failed.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    // Dialog keys: Tab and arrows move the focus, Enter gives IDOK (or the focused push button),
    // Escape IDCANCEL. TRUE when the key was used.
    BOOL IsDialogMessage(LPMSG lpMsg);
    BOOL IsModal() const { return m_bModal; }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    UINT m_nIDHelp = 0;
    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;

protected:
    BOOL CreateFromTemplate(const DialogTemplate& dialogTemplate, CWnd* pParentWnd, bool modal);

private:
    bool m_bModal = false;
    std::unique_ptr<CFont> m_font;
};
