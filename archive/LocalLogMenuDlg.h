#pragma once
// The menu of the local search frame's Log tab: reads the local log when it opens, and its one
// button shows the local log page.

#include "archive/LocalSearchPage.h"
#include "controls/SkinButton.h"

class CLocalLogMenuDlg : public CLocalSearchPage {
public:
    static constexpr UINT IDD = 132;
    static constexpr UINT kIdButton = 450;

    CLocalLogMenuDlg();

    void OnAll();

    CSkinButton m_btn;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};
