#pragma once
// The menu of the local search frame's Info tab: its one button shows the local information page.

#include "archive/LocalSearchPage.h"
#include "controls/SkinButton.h"

class CLocalInfoMenuDlg : public CLocalSearchPage {
public:
    static constexpr UINT IDD = 133;
    static constexpr UINT kIdButton = 450;

    CLocalInfoMenuDlg();

    void OnInfo();

    CSkinButton m_btn;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};
