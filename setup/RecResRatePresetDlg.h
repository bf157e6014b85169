#pragma once
// Per-channel record page of the preset record mode (page 164): resolution, rate and audio per channel;
// its Preset button (setup version above 4.0 only) opens the preset sub-page 998.

#include "res/DialogIds.h"
#include "setup/RecResRatePage.h"

class CRecResRatePresetDlg : public CRecResRatePage {
public:
    static constexpr UINT IDD = IDD_REC_RES_RATE_PRESET_DLG;

    explicit CRecResRatePresetDlg(CWnd* pParent = nullptr);

protected:
    void OnSubPage() override;
    // The preset sub-page exists from setup version 4.1 on.
    bool ShowsSubPageButton() const override;
};
