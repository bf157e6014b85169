#pragma once
// What the setup frame's menu panels and pages share (CFrameChildDlg): the frame owns each and frees
// it once its window's last message is done.

#include "setupkit/FrameChildDlg.h"

class CSetupDlg;

class CSetupChildDlg : public CFrameChildDlg {
public:
    using CDialog::Create;

    explicit CSetupChildDlg(UINT nIDTemplate, CWnd* pParent = nullptr);

protected:
    // Keeps the frame and makes the window from the template (a child of the frame, or a popup the
    // frame owns, as the template says).
    BOOL CreateIn(CSetupDlg* pFrame);

    CSetupDlg* m_pFrame = nullptr;
};
