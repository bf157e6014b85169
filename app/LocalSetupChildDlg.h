#pragma once
// What the local setup frame's tab panel and pages share (CFrameChildDlg): each frees itself once its
// window's last message is done.

#include "setupkit/FrameChildDlg.h"

class CLocalSetupDlg;

class CLocalSetupChildDlg : public CFrameChildDlg {
public:
    using CDialog::Create;

    explicit CLocalSetupChildDlg(UINT nIDTemplate);

    // Keeps the frame and makes the window from the template (a child of the frame, or a popup it
    // owns, as the template says).
    virtual BOOL Create(CLocalSetupDlg* pFrame);

protected:
    void OnNcDestroy() override;

    CLocalSetupDlg* m_pFrame = nullptr;
};
