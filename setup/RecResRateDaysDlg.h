#pragma once
// Per-channel record page of the sixth record mode (page 168): resolution, on-off and audio per channel
// and one day count (5 to 90 in fives). It takes no part in the record-rate budget.

#include "res/DialogIds.h"
#include "setup/RecResRatePage.h"

class CRecResRateDaysDlg : public CRecResRatePage {
public:
    static constexpr UINT IDD = IDD_REC_RES_RATE_DAYS_DLG;

    explicit CRecResRateDaysDlg(CWnd* pParent = nullptr);
};
