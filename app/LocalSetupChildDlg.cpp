#include "app/LocalSetupChildDlg.h"

#include "app/LocalSetupDlg.h"

CLocalSetupChildDlg::CLocalSetupChildDlg(UINT nIDTemplate)
    : CFrameChildDlg(nIDTemplate, nullptr, Lifetime::kFreesItself) {}

BOOL CLocalSetupChildDlg::Create(CLocalSetupDlg* pFrame) {
    m_pFrame = pFrame;
    return CreateIn(pFrame, pFrame);
}

void CLocalSetupChildDlg::OnNcDestroy() {
    CFrameChildDlg::OnNcDestroy(); // leaves the frame's slot
    m_pFrame = nullptr;            // the frame may be gone before this object frees itself
}
