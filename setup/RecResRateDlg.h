#pragma once
// Per-channel record page of the first record mode (page 163): resolution, rate and audio per channel.

#include "res/DialogIds.h"
#include "setup/RecResRatePage.h"

class CRecResRateDlg : public CRecResRatePage {
public:
    static constexpr UINT IDD = IDD_REC_RES_RATE_DLG;

    explicit CRecResRateDlg(CWnd* pParent = nullptr);
};
