#pragma once
// Per-channel record page of the first record mode (page 163): resolution, rate and audio per channel.

#include "setup/RecResRatePage.h"

class CRecResRateDlg : public CRecResRatePage {
public:
    static constexpr UINT IDD = 163;

    explicit CRecResRateDlg(CWnd* pParent = nullptr);
};
