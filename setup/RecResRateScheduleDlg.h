#pragma once
// Per-channel record page of the scheduled record mode (page 166): resolution, rate and audio per
// channel; its Set button opens the weekly schedule page 171.

#include "setup/RecResRatePage.h"

class CRecResRateScheduleDlg : public CRecResRatePage {
public:
    static constexpr UINT IDD = 166;

    explicit CRecResRateScheduleDlg(CWnd* pParent = nullptr);

protected:
    void OnSubPage() override;
};
