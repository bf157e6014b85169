#pragma once
// Per-channel record page of the fifth record mode (page 167): resolution, rate, audio and sensitivity
// per channel. The Rec menu keeps its button hidden.

#include "res/DialogIds.h"
#include "setup/RecResRatePage.h"

class CRecResRateSensDlg : public CRecResRatePage {
public:
    static constexpr UINT IDD = IDD_REC_RES_RATE_SENS_DLG;

    explicit CRecResRateSensDlg(CWnd* pParent = nullptr);
};
