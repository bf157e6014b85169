#pragma once
// Per-channel record page of the motion record mode (page 165): resolution, rate, audio and motion
// sensitivity per channel; its Region button opens the motion region page 170.

#include "res/DialogIds.h"
#include "setup/RecResRatePage.h"

class CRecResRateMotionDlg : public CRecResRatePage {
public:
    static constexpr UINT IDD = IDD_REC_RES_RATE_MOTION_DLG;

    explicit CRecResRateMotionDlg(CWnd* pParent = nullptr);

protected:
    void OnSubPage() override;
};
