#pragma once
// Per-channel record page of the scheduled record mode (page 166): resolution, rate and audio per
// channel; its Set button opens the weekly schedule page 171.

#include "res/DialogIds.h"
#include "setup/RecResRatePage.h"

class CRecResRateScheduleDlg : public CRecResRatePage {
public:
    static constexpr UINT IDD = IDD_REC_RES_RATE_SCHEDULE_DLG;

    explicit CRecResRateScheduleDlg(CWnd* pParent = nullptr);

protected:
    void OnSubPage() override;
};
