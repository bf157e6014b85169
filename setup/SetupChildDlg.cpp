#include "setup/SetupChildDlg.h"

#include "setup/SetupDlg.h"

CSetupChildDlg::CSetupChildDlg(UINT nIDTemplate, CWnd* pParent)
    : CFrameChildDlg(nIDTemplate, pParent, Lifetime::kFrameFrees) {}

BOOL CSetupChildDlg::CreateIn(CSetupDlg* pFrame) {
    m_pFrame = pFrame;
    return CFrameChildDlg::CreateIn(pFrame, pFrame);
}
